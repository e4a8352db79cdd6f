// SpilledPlans: the old side's files of a diff, kept in a temporary file
// until the new side's file of the same plan is compared with them, so
// that a diff holds one plan's file of each side at a time, not all of
// them. The temporary file is unnamed and goes when the object does (or
// the process ends); when it cannot be made or written, the files are kept
// in memory instead, as correct and only larger.
#ifndef QVKDC_TOOLS_DIFF_SPILLEDPLANS_H
#define QVKDC_TOOLS_DIFF_SPILLEDPLANS_H

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "diff/PlanCsv.h"
#include "system/SpillFile.h"

class SpilledPlans {
 public:
    // Room for the files of count plans.
    explicit SpilledPlans(std::size_t count);
    ~SpilledPlans();
    SpilledPlans(const SpilledPlans&) = delete;
    SpilledPlans& operator=(const SpilledPlans&) = delete;

    // Keeps file as plan's. REQUIRES: plan < count, none kept for it yet.
    void Put(std::size_t plan, PlanCsv&& file);
    // Whether a file is kept for plan.
    bool Has(std::size_t plan) const { return where_[plan].kept; }
    // Hands out plan's file and forgets it; nullopt when none is kept (or
    // it could not be read back, which *lost then tells).
    std::optional<PlanCsv> Take(std::size_t plan);
    // Whether a file kept could not be read back.
    bool Lost() const { return lost_; }

 private:
    struct Where {
        bool kept = false;
        bool inMemory = false;
        std::fpos_t at{};  // in the temporary file
    };
    bool Write(const PlanCsv& file);
    bool Read(PlanCsv* file);

    SpillFile file_;
    std::vector<Where> where_;
    std::vector<std::optional<PlanCsv>> memory_;
    bool lost_ = false;
};

#endif  // QVKDC_TOOLS_DIFF_SPILLEDPLANS_H
