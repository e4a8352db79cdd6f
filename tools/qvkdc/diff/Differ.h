// Differ: one run of `qvkdc diff`: the model's plans exported through the
// old tables (or read from the files an earlier export left in a folder)
// and through the new ones, both in process and writing nothing, and each
// plan's two files compared as soon as the new side has made its file.
// The old side's files are held until their plan is compared; the new
// side's never are.
#ifndef QVKDC_TOOLS_DIFF_DIFFER_H
#define QVKDC_TOOLS_DIFF_DIFFER_H

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "diff/FileDiff.h"
#include "qvkdc/qvkdc.h"

struct DiffRequest {
    std::vector<int> indexes;    // the model's plans, in call order
    std::string newRoot;         // the folder to run the new side in ("": the current one)
    std::string newShown;        // ... as the reports show it: "" or ending in "/"
    bool fromDisk = false;       // the old side: the files in out (true) or an export in oldRoot
    std::string oldRoot;
    std::string oldShown;
    std::string out;             // the output folder and name of the export, as the library takes them
    std::string name;
    std::set<std::string> ignoredColumns;
};

// How one side ended.
struct DiffSideOutcome {
    int status = 0;                    // the run's; 0 for files read from disk
    std::vector<std::string> failure;  // why it failed, in at most two lines; empty when it did not
};

struct DiffResult {
    std::vector<FileChange> files;  // in plan order; a plan without a file on either side has none
    DiffSideOutcome old;
    DiffSideOutcome now;
    // A file that could not be read from disk, and why.
    std::vector<std::string> unreadable;

    bool Changed() const;
};

// Runs the diff of request. Leaves the current folder where it found it.
DiffResult RunDiff(const DiffRequest& request);

#endif  // QVKDC_TOOLS_DIFF_DIFFER_H
