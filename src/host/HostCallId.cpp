#include "examine/HostCallId.h"

std::string_view HostCallName(HostCall call) {
    switch (call) {
        case HostCall::kNone: return "";
        case HostCall::kQdgmRetLstRO: return "QdgmRetLstRO";
        case HostCall::kQdgmInqNctyp: return "QdgmInqNctyp";
        case HostCall::kQdgmGetPrcs: return "QdgmGetPrcs";
        case HostCall::kQdgmRetIdnamLN: return "QdgmRetIdnamLN";
        case HostCall::kQdgmRetLstRM: return "QdgmRetLstRM";
        case HostCall::kQvlbpPrcInqPrm: return "QvlbpPrcInqPrm";
        case HostCall::kQvptfInqLnN: return "QvptfInqLnN";
    }
    return "";
}
