// CallLog: the model database and machine calls of the library, in call
// order, while the log is switched on.
//
// A host application sees every call the library makes to it. The log keeps
// those that tell what became of each plan of a run: QdgmRetLstRO (the plan;
// its result; the process count), QdgmInqNctyp (the process; its result; the
// type code) and QvlbuGetMaId (the plan; its result; st); and those that
// tell which call failed: a failing QdgmGetPrcs, QdgmRetIdnamLN (the object),
// QdgmRetLstRM (the process; its result; the capacity it left),
// QvlbpPrcInqPrm (the process; its status; the key) and QvptfInqLnN (its
// status). At level 2 it keeps every QvlbpPrcInqPrm. Level 3 logs as level
// 1 does and keeps every QvlbpPrcInqPrm apart, until it is taken.
#ifndef QVHOSTSIM_CALLLOG_H
#define QVHOSTSIM_CALLLOG_H

#include <vector>

#include "HostCall.h"
#include "qvkdc/qvkdc.h"

namespace qvsim {

struct LoggedCall {
    HostCall call;
    ModelId id;
    int result;
    int value;
};

class CallLog {
 public:
    // Level 1, 2 or 3: a new, empty log; 0: off, the log is kept as it
    // stands.
    void Switch(int level);
    // Logs one call while the log is on; a null id logs zeros.
    void Add(HostCall call, const ModelId* id, int result, int value);
    // 0 while the log is off.
    int Level() const { return level_; }
    // Logs a parameter inquiry that failed, or any at level 2; at level 3
    // also keeps each apart.
    void AddParam(const ModelId* process, int status, int key) {
        if (level_ == 0) return;
        if (level_ == 2 || status != 0) Add(HostCall::kQvlbpPrcInqPrm, process, status, key);
        if (level_ == 3) {
            asked_.push_back(LoggedCall{HostCall::kQvlbpPrcInqPrm, process != nullptr ? *process : ModelId{},
                                        status, key});
        }
    }
    const std::vector<LoggedCall>& Calls() const { return calls_; }
    // The parameter inquiries kept apart since they were last taken.
    const std::vector<LoggedCall>& Asked() const { return asked_; }
    void ForgetAsked() { asked_.clear(); }
    // Off and empty.
    void Reset();

 private:
    int level_ = 0;
    std::vector<LoggedCall> calls_;
    std::vector<LoggedCall> asked_;
};

// The one call log of the stand-in host. A plain global, so that a call
// that looks whether the log is on costs a load, not a guarded static.
extern CallLog g_callLog;
inline CallLog& TheCallLog() { return g_callLog; }

}  // namespace qvsim

#endif  // QVHOSTSIM_CALLLOG_H
