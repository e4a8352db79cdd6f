// LoggedPlanOutcomes: follows an export's run and keeps what became of each
// plan in a PlanOutcomeLog as soon as the run has moved past it, so that
// the export holds the outcome of the plan at hand only. The run tells its
// plans in block order, which is what lets a plan's outcome be final once
// a later plan is told.
#ifndef QVKDC_TOOLS_EXPORT_LOGGEDPLANOUTCOMES_H
#define QVKDC_TOOLS_EXPORT_LOGGEDPLANOUTCOMES_H

#include "export/PlanOutcome.h"
#include "export/PlanOutcomeLog.h"

class LoggedPlanOutcomes : public PlanOutcomeFollower {
 public:
    // REQUIRES: plans (and numbers, when not null) hold at least count
    // entries and outlive the object and its log.
    LoggedPlanOutcomes(const ModelId* plans, int count, const int* numbers);

    // After the run, which ended in place with status: every plan's
    // outcome. Call it once.
    PlanOutcomeLog Finish(const QvkdcRunPlace& place, int status);

 protected:
    // REQUIRES: plan is the plan at hand or a later one.
    PlanOutcome& At(int plan) override;

 private:
    const ModelId* plans_;
    const int* numbers_;
    int count_;
    PlanOutcomeLog log_;
    PlanOutcome current_;  // the plan at hand, when hasCurrent_
    bool hasCurrent_ = false;
    int next_ = 0;  // the first plan not kept nor at hand
};

#endif  // QVKDC_TOOLS_EXPORT_LOGGEDPLANOUTCOMES_H
