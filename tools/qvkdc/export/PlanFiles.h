// PlanFiles: the CSV file each plan of a block would be written to, as the
// library composes its path, and whether something exists there.
#ifndef QVKDC_TOOLS_EXPORT_PLANFILES_H
#define QVKDC_TOOLS_EXPORT_PLANFILES_H

#include <ostream>
#include <string>
#include <vector>

#include "FailurePoints.h"
#include "qvkdc/qvkdc.h"

struct PlanFile {
    bool made = false;    // false: the path could not be composed
    std::string path;     // the path as the library composes it
    std::string native;   // the path as the platform opens it
    bool exists = false;  // a file or folder is at that path now
};

// One entry for each of the count plans, by the library's own path
// composition and existence test, so that the answer is the library's.
// Call it before the session's trace is set up, which would follow each
// composition. REQUIRES: plans holds at least count ids.
std::vector<PlanFile> ComposePlanFiles(const ModelId* plans, int count, const std::string& out,
                                       const std::string& name);

// The native paths of the entries that exist now, each once, in plan order.
std::vector<std::string> ExistingFiles(const std::vector<PlanFile>& files);

// Why `qvkdc export` refuses the output folder out before it calls the
// library: "no such folder" or "is not a folder", followed by
// " (below --root ROOT)" for a relative out when root is not empty; "" for
// a folder, and for a blank out, which the library itself refuses.
// REQUIRES: the current folder is the root of the call.
std::string OutFolderProblem(const std::string& out, const std::string& root);

// Warns on out, one line each, of the entries whose file name (the last
// part of the path) is longer than the file system of its folder takes for
// a name: the library composes paths of up to 511 characters, but such a
// file cannot be created, and the export would fail at it. numbers: the
// plans' numbers in the model, one for each entry.
void WarnOfLongNames(const std::vector<PlanFile>& files, const std::vector<int>& numbers, std::ostream& out);

#endif  // QVKDC_TOOLS_EXPORT_PLANFILES_H
