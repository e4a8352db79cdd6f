// FailureCause: why a library call failed, in the user's terms, from what
// the library told of it: the failure lines with their steps, in order (the
// step of the call last), the table step's stop, the table files it found,
// the host's answer and the system's reason for a file. Nothing is looked
// at again afterwards: the library told it when it failed.
#ifndef QVKDC_TOOLS_EXPORT_FAILURECAUSE_H
#define QVKDC_TOOLS_EXPORT_FAILURECAUSE_H

#include <string>
#include <vector>

#include "ExamineRun.h"

struct FailureContext {
    std::string plan;     // e.g. plan 2 "Bracket"; "" when no plan was at hand
    std::string process;  // e.g. process "Tap" (41 0 0 1); "" when none
    std::string file;     // the plan's file as the platform opens it; "" when none
};

// What the library told of a failure besides its lines.
struct FailureDetail {
    const CnvTblStop* stop = nullptr;     // where a table step stopped
    const bool* tableFound = nullptr;     // [kCnvTblFileCount]: the table files found; null: not known
    Status unreadable;                    // why an unreadable table could not be read
    HostCallFailure hostCall;             // the host's answer that failed the step
    Status fileReason;                    // why the plan's file could not be written

    // The detail of a run's result.
    static FailureDetail Of(const RunResult& run);
};

// At most two lines, without "qvkdc: " in front: what failed, and, when
// known, why.
std::vector<std::string> ExplainFailure(const CallFailure& failure, const FailureDetail& detail,
                                        const FailureContext& context);

// What one failure from inside a step says, in the user's terms ("" for a
// failure that only passes on an inner one).
std::string ExplainNote(const FailureNote& note, const FailureDetail& detail);

// Prints the explanation on stderr: "qvkdc: COMMAND failed (status N): "
// and the first line, then the second line indented below it.
void PrintFailure(const char* command, int status, const std::vector<std::string>& why);

// One line for an option file that is there (a link to nothing counts)
// but could not be opened, which the export passes over as if it were
// missing: its path and why, as opening it told. "" when it was read or
// there is none.
std::string OptionFileNote(const Status& optionFile);
// Prints that line, when there is one, on stderr as "qvkdc: note: ...".
void TellOptionFile(const Status& optionFile);

// Whether the folder of the table files is there, below the root the
// library reads them from; *folder: that folder as the platform opens it.
bool TablesFolderExists(std::string* folder);

#endif  // QVKDC_TOOLS_EXPORT_FAILURECAUSE_H
