// PlanOutcome: what became of each plan of an export, as the run tells it
// while it goes (QvkdcRunObserver): the plans it lists, the process type
// that rejects one, the file it writes, and where it fails.
#ifndef QVKDC_TOOLS_EXPORT_PLANOUTCOME_H
#define QVKDC_TOOLS_EXPORT_PLANOUTCOME_H

#include <string>
#include <vector>

#include "ExamineRun.h"
#include "QvkdcRunObserver.h"
#include "qvkdc/qvkdc.h"

enum class Outcome {
    kWritten,     // one CSV file
    kRejected,    // a process of a type that cannot be exported
    kNoProcesses, // the model database has no process data for the plan
    kNoRows,      // its process list is empty
    kFailed,      // the run failed while at this plan
    kNotReached,  // the run ended before this plan
};

struct PlanOutcome {
    int index = 0;   // its position in the call
    int number = 0;  // its number in the model, as --plans names it and the check shows it
    ModelId id{};
    std::string name;
    Outcome outcome = Outcome::kNotReached;
    int rows = 0;               // kWritten: rows in the file
    std::string path;           // kWritten: the file, as the library composed its path
    bool hasProcess = false;    // the process that rejected the plan, or
    ModelId process{};          // the one the run failed at
    std::string processName;
    int processType = 0;        // its type code, when it was given
    bool machineKnown = true;   // kRejected: its message names the plan's own machine
    bool failedAtFile = false;  // kFailed: at the plan's output file
};

// Follows a run of a block of plans and tells what became of each plan it
// reaches; where the outcomes are kept is the subclass's.
class PlanOutcomeFollower : public QvkdcRunObserver {
 public:
    bool FollowsCells() const override { return false; }
    void Listed(int plan, int count) override;
    void Typed(const QvkdcRunPlace& place, int type, bool accepted) override;
    void Converted(const QvkdcRunPlace&, int, std::string_view, const CellFacts&) override {}
    void Rejected(int plan, bool machineKnown, std::string_view name1, std::string_view name2) override;
    void NoRows(int plan) override;
    void Written(int plan, std::string_view path, int rows) override;

 protected:
    // The outcome of plan (its index in the block), as the run's events so
    // far made it.
    virtual PlanOutcome& At(int plan) = 0;
    // Makes *o the plan the run failed at, in place: its process when the
    // step concerns one, its file when the step concerns that.
    void MarkFailed(const QvkdcRunPlace& place, PlanOutcome* o) const;

 private:
    // The process whose type the run was told last.
    int lastTypedPlan_ = -1;
    int lastTypedProcess_ = -1;
    int lastType_ = 0;
};

// The outcomes of every plan of a block kept in memory, for runs that
// resume after a failure, as the check's do.
class PlanOutcomes : public PlanOutcomeFollower {
 public:
    // REQUIRES: plans holds at least count ids and outlives the object.
    // numbers: the plans' numbers in the model; null: their positions.
    PlanOutcomes(const ModelId* plans, int count, const int* numbers = nullptr);

    // After the run, which ended in place with status: the outcome of
    // every plan, with the names of the plans and processes.
    std::vector<PlanOutcome> Finish(const QvkdcRunPlace& place, int status);

 protected:
    PlanOutcome& At(int plan) override { return outcomes_[static_cast<std::size_t>(plan)]; }

 private:
    std::vector<PlanOutcome> outcomes_;
};

// A plan not reached (yet): index i of the block, with its id and number.
PlanOutcome PlanNotReached(const ModelId* plans, const int* numbers, int i);
// Reads the names of a reached plan, and of its process, from the model.
void NameOutcome(PlanOutcome* o);

// Lowercase, hyphenated name of an outcome ("written", "no-rows", ...).
const char* OutcomeName(Outcome outcome);

// The four fields of an id, blank-separated ("1 0 0 1").
std::string IdText(const ModelId& id);

#endif  // QVKDC_TOOLS_EXPORT_PLANOUTCOME_H
