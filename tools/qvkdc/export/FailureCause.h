// FailureCause: why a library call failed, in the user's terms, from the
// library's error notes and from a look at the files they concern.
//
// The last error note names the step that failed; the notes before it come
// from inside that step. Each note is read back to its step by the
// library's own list (inspect/FailurePoints.h). Table files and output files
// named are looked at on disk, so that the cause says what is wrong with
// them.
#ifndef QVKDC_TOOLS_EXPORT_FAILURECAUSE_H
#define QVKDC_TOOLS_EXPORT_FAILURECAUSE_H

#include <string>
#include <string_view>
#include <vector>

#include "FailurePoints.h"

struct FailureContext {
    std::string plan;     // e.g. plan 2 "Bracket"; "" when no plan was at hand
    std::string process;  // e.g. process "Tap" (41 0 0 1); "" when none
    std::string file;     // the plan's file as the platform opens it; "" when none
};

// Whether the failed step concerns the process being converted (its type,
// its record, a value), or the plan's output file.
bool StepConcernsProcess(FailStep step);
bool StepConcernsFile(FailStep step);

// At most two lines, without "qvkdc: " in front: what failed, and, when
// known, why. errors: the error notes (failure lines without their
// prefix, FailureNoteOf), in order.
std::vector<std::string> ExplainFailure(const std::vector<std::string>& errors,
                                        const FailureContext& context);

// What one error note from inside a step says, in the user's terms ("" for
// a note that only passes on an inner failure).
std::string ExplainNote(std::string_view note);

// Prints the explanation on stderr: "qvkdc: COMMAND failed (status N): "
// and the first line, then the second line indented below it.
void PrintFailure(const char* command, int status, const std::vector<std::string>& why);

// Why a file cannot be opened for writing at path, as the operating system
// says it: a missing folder, a folder at path, or the error of an attempt
// to open it (a file made by that attempt is removed again).
std::string WhyNotWritable(const std::string& path);

// One line for an option file that is there (a link to nothing counts)
// but cannot be read, which the export passes over as if it were missing:
// its path and why it cannot be read. "" when it is missing or readable.
std::string OptionFileNote();
// Prints that line, when there is one, on stderr as "qvkdc: note: ...".
void TellOptionFile();

// Whether the folder of the table files is there, below the root the
// library reads them from; *folder: that folder as the platform opens it.
bool TablesFolderExists(std::string* folder);

#endif  // QVKDC_TOOLS_EXPORT_FAILURECAUSE_H
