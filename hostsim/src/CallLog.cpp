#include "CallLog.h"

namespace qvsim {

void CallLog::Switch(int level) {
    if (level > 0) {
        calls_.clear();
        asked_.clear();
    }
    level_ = level;
}

void CallLog::Add(HostCall call, const ModelId* id, int result, int value) {
    if (level_ == 0) return;
    calls_.push_back(LoggedCall{call, id != nullptr ? *id : ModelId{}, result, value});
}

void CallLog::Reset() {
    level_ = 0;
    calls_.clear();
    asked_.clear();
}

CallLog g_callLog;

}  // namespace qvsim
