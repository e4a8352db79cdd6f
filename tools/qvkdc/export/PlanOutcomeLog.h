// PlanOutcomeLog: what became of each plan of an export, in block order,
// written to a temporary file (SpillFile) as the run finishes each plan, so
// that an export of a million plans holds one plan's outcome at a time, not
// all of them. The plans after the last one kept are not reached. The
// names of plans and processes are read from the model as the outcomes are
// read back, after the run. When no temporary file can be made or written,
// the outcomes are kept in memory instead, as correct and only larger.
#ifndef QVKDC_TOOLS_EXPORT_PLANOUTCOMELOG_H
#define QVKDC_TOOLS_EXPORT_PLANOUTCOMELOG_H

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "export/PlanOutcome.h"
#include "system/SpillFile.h"

class PlanOutcomeLog {
 public:
    // An empty block.
    PlanOutcomeLog() = default;
    // REQUIRES: plans (and numbers, when not null) hold at least count
    // entries and outlive the log. numbers: the plans' numbers in the
    // model; null: their positions.
    PlanOutcomeLog(const ModelId* plans, int count, const int* numbers);

    // Keeps outcome. REQUIRES: its index is the next one not kept.
    void Add(const PlanOutcome& outcome);
    // Keeps o, with its names, as the plan the run failed at (Add keeps
    // it in its place as well).
    void SetFailed(const PlanOutcome& o) { failed_ = o; }

    // The plans of the block.
    std::size_t Count() const { return static_cast<std::size_t>(count_); }
    // The plans that gave a file.
    std::size_t Written() const { return written_; }
    // The plan the run failed at, or null.
    const PlanOutcome* Failed() const { return failed_ ? &*failed_ : nullptr; }
    // Calls each with every plan's outcome, in block order, with the names.
    // Returns false when an outcome kept in the temporary file could not be
    // read back; each is then not called for the rest.
    bool ForEach(const std::function<void(const PlanOutcome&)>& each) const;
    // Every plan's outcome, for the few plans a test looks at.
    std::vector<PlanOutcome> All() const;

 private:
    // One outcome at the file's position; false when it failed.
    bool Write(const PlanOutcome& o);
    bool Read(PlanOutcome* o) const;

    const ModelId* plans_ = nullptr;
    const int* numbers_ = nullptr;
    int count_ = 0;
    std::unique_ptr<SpillFile> file_;  // null until the first outcome
    int kept_ = 0;                     // outcomes kept: in the file first, then in memory
    int inFile_ = 0;
    std::vector<PlanOutcome> memory_;
    std::size_t written_ = 0;
    std::optional<PlanOutcome> failed_;
};

#endif  // QVKDC_TOOLS_EXPORT_PLANOUTCOMELOG_H
