#include "export/LoggedPlanOutcomes.h"

#include <utility>

LoggedPlanOutcomes::LoggedPlanOutcomes(const ModelId* plans, int count, const int* numbers)
    : plans_(plans), numbers_(numbers), count_(count), log_(plans, count, numbers) {}

PlanOutcome& LoggedPlanOutcomes::At(int plan) {
    if (hasCurrent_ && plan == current_.index) return current_;
    if (hasCurrent_) log_.Add(current_);
    // A plan the run passed over without a word was not reached.
    for (; next_ < plan; ++next_) log_.Add(PlanNotReached(plans_, numbers_, next_));
    current_ = PlanNotReached(plans_, numbers_, plan);
    hasCurrent_ = true;
    next_ = plan + 1;
    return current_;
}

PlanOutcomeLog LoggedPlanOutcomes::Finish(const QvkdcRunPlace& place, int status) {
    // The run fails at the plan at hand, or at a later one it has not told
    // of yet.
    const int atHand = hasCurrent_ ? current_.index : next_;
    if (status < 0 && place.plan >= atHand && place.plan < count_) {
        PlanOutcome& o = At(place.plan);
        MarkFailed(place, &o);
        PlanOutcome named = o;
        NameOutcome(&named);
        log_.SetFailed(named);
    }
    if (hasCurrent_) log_.Add(current_);
    hasCurrent_ = false;
    return std::move(log_);
}
