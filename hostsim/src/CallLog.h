// CallLog: the model database and machine calls of the library, in call
// order, while the log is switched on.
//
// A host application sees every call the library makes to it. The log keeps
// those that tell what became of each plan of a run: QdgmRetLstRO (the plan;
// its result; the process count), QdgmInqNctyp (the process; its result; the
// type code) and QvlbuGetMaId (the plan; its result; st).
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
    // On: a new, empty log; off: the log is kept as it stands.
    void Switch(bool on);
    // Logs one call while the log is on; a null id logs zeros.
    void Add(HostCall call, const ModelId* id, int result, int value);
    const std::vector<LoggedCall>& Calls() const { return calls_; }
    // Off and empty.
    void Reset();

 private:
    bool on_ = false;
    std::vector<LoggedCall> calls_;
};

// The one call log of the stand-in host.
CallLog& TheCallLog();

}  // namespace qvsim

#endif  // QVHOSTSIM_CALLLOG_H
