// ExportReport: what an export did, plan by plan, for the user (a summary on
// stderr) and for scripts (JSON, --report).
#ifndef QVKDC_TOOLS_EXPORT_EXPORTREPORT_H
#define QVKDC_TOOLS_EXPORT_EXPORTREPORT_H

#include <ostream>
#include <string>
#include <vector>

class ReportWriter;
class TextEncoding;

#include "export/FailureCause.h"
#include "export/PlanOutcomeLog.h"
#include "session/HostSession.h"

struct ExportReport {
    bool called = false;               // a library call was made: status holds its status
    int status = 0;                    // the last call's status, as on the last line of stdout
    int exitCode = 0;
    std::string refusal;               // why qvkdc refused to run (exit 2); "" otherwise
    std::vector<std::string> existing; // the files that exist, when the export declined (exit 3)
    std::string folder;                // --out as given
    PlanOutcomeLog plans;
    CallFailure errors;                // what failed in the run, as the library told it
    FailureDetail detail;              // and what it told of it besides
    std::vector<std::string> failure;  // why the run failed; empty when it did not
    MessageList messages;
    // The code page of the texts from the host and the file names, made
    // UTF-8 in the JSON report; null: bytes that are not UTF-8 become U+FFFD.
    const TextEncoding* encoding = nullptr;

    // After a failed run: explains the failure, with the plan, process
    // and file it concerns.
    void ExplainFailure();
    // Why plan i gave no file, or the failure; "" for a written plan.
    std::string Reason(const PlanOutcome& plan) const;
    // The file of a written plan, or of a plan whose file failed, as the
    // platform opens it; "" for other plans.
    static std::string File(const PlanOutcome& plan);
};

// plan 2 "Name", the way plans are named in messages.
std::string PlanLabel(const PlanOutcome& plan);
// process "Name" (41 0 0 1): the process of the plan's outcome.
std::string ProcessLabel(const PlanOutcome& plan);

// The summary: one line per plan (consecutive plans not reached share one),
// then the messages the run left. Lines are indented below a heading.
void PrintExportSummary(const ExportReport& report, std::ostream& out);

// Writes the report as one JSON object to out, a plan and a message at a
// time, for every outcome: finished, failed,
// declined to overwrite and refused:
//   {"formatVersion": 1, "status": N|null, "exitCode": N, "refusal": TEXT|null,
//    "existing": [TEXT, ...], "folder": TEXT,
//    "plans": [{"index": N, "id": [4 ints], "name": TEXT, "outcome": TEXT,
//               "file": TEXT|null, "rows": N, "reason": TEXT|null,
//               "process": {"id": [4 ints], "name": TEXT, "type": N}   (rejected, failed)
//              }, ...],
//    "failure": {"step": TEXT, "cause": TEXT, "detail": TEXT|null,
//                "notes": [TEXT, ...]} | null,
//    "messages": {"title": TEXT|null, "lines": [TEXT, ...]}}
// status: null when no library call was made; plans: empty unless the
// export ran. outcome: written, rejected, no-processes, no-rows, failed,
// not-reached. docs/schema/export-report.schema.json is its schema; a
// change that a script could trip over raises formatVersion.
// Texts that are not UTF-8 have their bad bytes replaced by U+FFFD.
void WriteExportJson(const ExportReport& report, ReportWriter* out);

#endif  // QVKDC_TOOLS_EXPORT_EXPORTREPORT_H
