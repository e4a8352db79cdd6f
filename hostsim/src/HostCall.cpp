#include "HostCall.h"

namespace qvsim {
namespace {

constexpr std::string_view kNames[kHostCallCount] = {
    "QdgmRetLstRO",  "QdgmInqNctyp",   "QdgmGetPrcs",     "QdgmRetIdnamLN",
    "QdgmRetLstRM",  "QvlbpPrcInqPrm", "QvptfInqLnN",     "ReadTable",
    "QmemFreId",     "QmemFrePrcs",    "QvlbuGetMaId",    "QvlbuMagMcaLNF",
    "QvlbuGetCanTool", "ZrlErrGet",    "QvmsgMgrInit",    "QvmsgSetClmTtl",
    "QvmsgAddMsg",   "FindRow",        "MoveFirst",       "GetNextRow",
};

}  // namespace

std::string_view HostCallName(HostCall call) {
    const int i = static_cast<int>(call);
    return i >= 0 && i < kHostCallCount ? kNames[i] : std::string_view();
}

bool HostCallByName(std::string_view name, HostCall* call) {
    for (int i = 0; i < kHostCallCount; ++i) {
        if (kNames[i] == name) {
            *call = static_cast<HostCall>(i);
            return true;
        }
    }
    return false;
}

}  // namespace qvsim
