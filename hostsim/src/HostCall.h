// HostCall: the host calls that the stand-in host counts, and which of them
// can be made to fail.
#ifndef QVHOSTSIM_HOSTCALL_H
#define QVHOSTSIM_HOSTCALL_H

#include <string_view>

namespace qvsim {

enum class HostCall {
    // Calls that can be made to fail.
    kQdgmRetLstRO,
    kQdgmInqNctyp,
    kQdgmGetPrcs,
    kQdgmRetIdnamLN,
    kQdgmRetLstRM,
    kQvlbpPrcInqPrm,
    kQvptfInqLnN,
    kReadTable,
    // Calls that are only counted.
    kQmemFreId,
    kQmemFrePrcs,
    kQvlbuGetMaId,
    kQvlbuMagMcaLNF,
    kQvlbuGetCanTool,
    kZrlErrGet,
    kQvmsgMgrInit,
    kQvmsgSetClmTtl,
    kQvmsgAddMsg,
    kFindRow,
    kMoveFirst,
    kGetNextRow,
    kCount  // number of calls, not a call
};

constexpr int kHostCallCount = static_cast<int>(HostCall::kCount);

// Name of a call, as the control interface spells it.
std::string_view HostCallName(HostCall call);
// The call of that name; false when no call has it.
bool HostCallByName(std::string_view name, HostCall* call);
// True for the calls that report failure and can be made to fail.
inline bool HostCallCanFail(HostCall call) {
    return static_cast<int>(call) <= static_cast<int>(HostCall::kReadTable);
}

// Bit of a call in a set of calls (model file "faults").
inline unsigned HostCallBit(HostCall call) {
    return 1u << static_cast<unsigned>(call);
}

}  // namespace qvsim

#endif  // QVHOSTSIM_HOSTCALL_H
