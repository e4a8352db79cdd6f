#include "CallLog.h"

namespace qvsim {

void CallLog::Switch(bool on) {
    if (on) calls_.clear();
    on_ = on;
}

void CallLog::Add(HostCall call, const ModelId* id, int result, int value) {
    if (!on_) return;
    calls_.push_back(LoggedCall{call, id != nullptr ? *id : ModelId{}, result, value});
}

void CallLog::Reset() {
    on_ = false;
    calls_.clear();
}

CallLog& TheCallLog() {
    static CallLog log;
    return log;
}

}  // namespace qvsim
