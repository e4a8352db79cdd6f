#include "export/PlanOutcome.h"

PlanOutcome PlanNotReached(const ModelId* plans, const int* numbers, int i) {
    PlanOutcome o;
    o.index = i;
    o.number = numbers != nullptr ? numbers[i] : i;
    o.id = plans[i];
    return o;
}

void NameOutcome(PlanOutcome* o) {
    if (o->outcome == Outcome::kNotReached) return;
    o->name = ModelName(o->id);
    if (o->hasProcess) o->processName = ModelName(o->process);
}

void PlanOutcomeFollower::Listed(int plan, int count) {
    At(plan).outcome = count < 0 ? Outcome::kNoProcesses : Outcome::kWritten;
}

void PlanOutcomeFollower::Typed(const QvkdcRunPlace& place, int type, bool accepted) {
    lastTypedPlan_ = place.plan;
    lastTypedProcess_ = place.process;
    lastType_ = type;
    if (accepted) return;
    PlanOutcome& o = At(place.plan);
    o.hasProcess = true;
    o.process = place.prcsId;
    o.processType = type;
}

void PlanOutcomeFollower::Rejected(int plan, bool machineKnown, std::string_view, std::string_view) {
    PlanOutcome& o = At(plan);
    o.outcome = Outcome::kRejected;
    o.machineKnown = machineKnown;
}

void PlanOutcomeFollower::NoRows(int plan) { At(plan).outcome = Outcome::kNoRows; }

void PlanOutcomeFollower::Written(int plan, std::string_view path, int rows) {
    PlanOutcome& o = At(plan);
    o.rows = rows;
    o.path.assign(path);
}

void PlanOutcomeFollower::MarkFailed(const QvkdcRunPlace& place, PlanOutcome* o) const {
    o->outcome = Outcome::kFailed;
    o->rows = 0;
    o->hasProcess = place.process >= 0;
    o->process = place.prcsId;
    // The type, when the run had it before it failed.
    const bool typed = lastTypedPlan_ == place.plan && lastTypedProcess_ == place.process;
    o->processType = typed ? lastType_ : 0;
    const FailArea area = FailurePointOf(place.step).area;
    o->failedAtFile = area == FailArea::kFile;
    // The file whose open or write failed, as the library composed it.
    o->path = o->failedAtFile ? place.path : std::string();
    // A failure at the file concerns the plan, not its processes.
    if (area != FailArea::kProcess) o->hasProcess = false;
}

PlanOutcomes::PlanOutcomes(const ModelId* plans, int count, const int* numbers) {
    outcomes_.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) outcomes_.push_back(PlanNotReached(plans, numbers, i));
}

std::vector<PlanOutcome> PlanOutcomes::Finish(const QvkdcRunPlace& place, int status) {
    if (status < 0 && place.plan >= 0 && place.plan < static_cast<int>(outcomes_.size())) {
        MarkFailed(place, &At(place.plan));
    }
    for (PlanOutcome& o : outcomes_) NameOutcome(&o);
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
