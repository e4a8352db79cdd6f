#include "export/PlanOutcome.h"

PlanOutcomes::PlanOutcomes(const ModelId* plans, int count, const int* numbers)
    : outcomes_(static_cast<std::size_t>(count > 0 ? count : 0)) {
    for (int i = 0; i < count; ++i) {
        At(i).index = i;
        At(i).number = numbers != nullptr ? numbers[i] : i;
        At(i).id = plans[i];
    }
}

void PlanOutcomes::Listed(int plan, int count) {
    At(plan).outcome = count < 0 ? Outcome::kNoProcesses : Outcome::kWritten;
}

void PlanOutcomes::Typed(const QvkdcRunPlace& place, int type, bool accepted) {
    lastTypedPlan_ = place.plan;
    lastTypedProcess_ = place.process;
    lastType_ = type;
    if (accepted) return;
    PlanOutcome& o = At(place.plan);
    o.hasProcess = true;
    o.process = place.prcsId;
    o.processType = type;
}

void PlanOutcomes::Rejected(int plan, bool machineKnown, std::string_view, std::string_view) {
    At(plan).outcome = Outcome::kRejected;
    At(plan).machineKnown = machineKnown;
}

void PlanOutcomes::NoRows(int plan) { At(plan).outcome = Outcome::kNoRows; }

void PlanOutcomes::Written(int plan, std::string_view path, int rows) {
    At(plan).rows = rows;
    At(plan).path.assign(path);
}

std::vector<PlanOutcome> PlanOutcomes::Finish(const QvkdcRunPlace& place, int status) {
    if (status < 0 && place.plan >= 0 && place.plan < static_cast<int>(outcomes_.size())) {
        PlanOutcome& o = At(place.plan);
        o.outcome = Outcome::kFailed;
        o.rows = 0;
        o.path.clear();
        o.hasProcess = place.process >= 0;
        o.process = place.prcsId;
        // The type, when the run had it before it failed.
        const bool typed = lastTypedPlan_ == place.plan && lastTypedProcess_ == place.process;
        o.processType = typed ? lastType_ : 0;
        const FailArea area = FailurePointOf(place.step).area;
        o.failedAtFile = area == FailArea::kFile;
        // A failure at the file concerns the plan, not its processes.
        if (area != FailArea::kProcess) o.hasProcess = false;
    }
    for (PlanOutcome& o : outcomes_) {
        if (o.outcome == Outcome::kNotReached) continue;
        o.name = ModelName(o.id);
        if (o.hasProcess) o.processName = ModelName(o.process);
    }
    return outcomes_;
}

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::kWritten: return "written";
        case Outcome::kRejected: return "rejected";
        case Outcome::kNoProcesses: return "no-processes";
        case Outcome::kNoRows: return "no-rows";
        case Outcome::kFailed: return "failed";
        case Outcome::kNotReached: break;
    }
    return "not-reached";
}

std::string IdText(const ModelId& id) {
    return std::to_string(id.objid) + " " + std::to_string(id.aplsec) + " " +
           std::to_string(id.insid) + " " + std::to_string(id.entid);
}
