// PlanOutcome: what became of one plan of an export, told from the calls
// the library made to the host during the run (the stand-in's call log).
//
// Each plan the run looks at begins with QdgmRetLstRO for that plan, in
// block order. A negative result means the model database has no process
// data for it; otherwise each of its processes has its type asked
// (QdgmInqNctyp), and a plan with a type the library does not export is
// rejected, which the library follows with QvlbuGetMaId for the plan's
// machine. A failure ends the run in the plan looked at last; when the run
// failed before any plan, no plan was looked at.
#ifndef QVKDC_TOOLS_EXPORT_PLANOUTCOME_H
#define QVKDC_TOOLS_EXPORT_PLANOUTCOME_H

#include <string>
#include <vector>

#include "qvhostsim/qvhostsim.h"
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
    int index = 0;
    ModelId id{};
    std::string name;
    Outcome outcome = Outcome::kNotReached;
    int rows = 0;               // kWritten: rows in the file
    bool hasProcess = false;    // the process that rejected the plan, or
    ModelId process{};          // the last one asked about before a failure
    std::string processName;
    int processType = 0;        // its type code, when it was given
    bool failedAtFile = false;  // kFailed: at the plan's output file
};

// The outcome of each of the count plans of a run that ended with status,
// from its call log. Names come from the model database.
// REQUIRES: plans holds at least count ids.
std::vector<PlanOutcome> TellPlanOutcomes(const ModelId* plans, int count,
                                          const std::vector<QvsimCall>& calls, int status);

// Lowercase, hyphenated name of an outcome ("written", "no-rows", ...).
const char* OutcomeName(Outcome outcome);

// The name of a plan or process in the model database; "" when it cannot
// be read.
std::string ModelName(const ModelId& id);

// The four fields of an id, blank-separated ("1 0 0 1").
std::string IdText(const ModelId& id);

#endif  // QVKDC_TOOLS_EXPORT_PLANOUTCOME_H
