// PlanFiles: the CSV file each plan of a block would be written to, as the
// library composes its path, and whether something exists there.
#ifndef QVKDC_TOOLS_EXPORT_PLANFILES_H
#define QVKDC_TOOLS_EXPORT_PLANFILES_H

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "FailurePoints.h"
#include "qvkdc/qvkdc.h"

struct PlanFile {
    bool made = false;    // false: the path could not be composed
    std::string path;     // the path as the library composes it
    std::string native;   // the path as the platform opens it
    bool exists = false;  // a file or folder is at that path now
};

// The files of a block of plans, each composed when asked for, by the
// library's own path composition and existence test, so that the answer is
// the library's and a block of a million plans holds none of them. Ask
// before the session's trace is set up, which would follow each
// composition.
class PlanFiles {
 public:
    // REQUIRES: plans holds at least count ids and outlives the object.
    PlanFiles(const ModelId* plans, int count, std::string out, std::string name)
        : plans_(plans), count_(count > 0 ? count : 0), out_(std::move(out)), name_(std::move(name)) {}

    int Count() const { return count_; }
    // The file of plan i. REQUIRES: 0 <= i < Count().
    PlanFile At(int i) const;
    // Every plan's file, for the blocks a check looks at.
    std::vector<PlanFile> All() const;

 private:
    const ModelId* plans_;
    int count_;
    std::string out_;
    std::string name_;
};

// The native paths of the files that exist, each once, in plan order.
std::vector<std::string> ExistingFiles(const PlanFiles& files);
std::vector<std::string> ExistingFiles(const std::vector<PlanFile>& files);

// Why `qvkdc export` refuses the output folder out before it calls the
// library: "no such folder" or "is not a folder", followed by
// " (below --root ROOT)" for a relative out when root is not empty; "" for
// a folder, and for a blank out, which the library itself refuses.
// REQUIRES: the current folder is the root of the call.
std::string OutFolderProblem(const std::string& out, const std::string& root);

// The warnings, one line each, of the files whose file name (the last part
// of the path) is longer than the file system of its folder takes for a
// name: the library composes paths of up to 511 characters, but such a file
// cannot be created, and the export would fail at it. numbers: the plans'
// numbers in the model, one for each plan.
std::vector<std::string> LongNameWarnings(const PlanFiles& files, const std::vector<int>& numbers);

#endif  // QVKDC_TOOLS_EXPORT_PLANFILES_H
