// HostCallId: the host's calls that a step of the library can see fail, by
// id, and what one such failure answered.
#ifndef QVKDC_EXAMINE_HOSTCALLID_H
#define QVKDC_EXAMINE_HOSTCALLID_H

#include <string>
#include <string_view>

enum class HostCall {
    kNone,
    kQdgmRetLstRO,    // the processes of a plan
    kQdgmInqNctyp,    // the type of a process
    kQdgmGetPrcs,     // the record of a process
    kQdgmRetIdnamLN,  // the name of a plan or process
    kQdgmRetLstRM,    // the plan that holds a process
    kQvlbpPrcInqPrm,  // a parameter of a process
    kQvptfInqLnN,     // the text of a tool
};

// The call's name as the host spells it: "QdgmGetPrcs"; "" for kNone.
std::string_view HostCallName(HostCall call);

// A host call that failed, and why the step took it for a failure.
struct HostCallFailure {
    HostCall call = HostCall::kNone;
    // What the call answered: its result, or the status it set.
    int answer = 0;
    // kQvlbpPrcInqPrm: the key asked.
    int key = 0;
    // kQdgmRetIdnamLN: whose name was asked: the process's, or that of the
    // plan that holds it.
    enum Whose { kPlan, kProcess } whose = kProcess;
    // kQdgmRetLstRM: the call answered, but found no plan (a capacity of 0).
    bool none = false;
    // kQvptfInqLnN: the tool name asked, as the buffer held it.
    std::string tool;
};

#endif  // QVKDC_EXAMINE_HOSTCALLID_H
