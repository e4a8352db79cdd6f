// DiffReport: the reports of a diff. Text, as a reviewer reads it: per
// changed file its columns and rows added, removed, renamed or moved, and
// per column each changed cell as old → new with its row's process; then
// the causes, each with the count of cells it changed; then the counts.
// JSON (--format json): the same, whole, in the layout of
// docs/schema/diff-report.schema.json. Texts are UTF-8, converted from the
// code page.
#ifndef QVKDC_TOOLS_DIFF_DIFFREPORT_H
#define QVKDC_TOOLS_DIFF_DIFFREPORT_H

#include <string>

#include "diff/Differ.h"
#include "report/ReportFacts.h"
#include "report/ReportWriter.h"

struct DiffFacts {
    ReportFacts run;       // root: the new side's; model, date, version, encoding
    std::string old;       // the old side as given: --base's folder or --out's
    bool fromDisk = false;  // the old side is the files in --out
};

// The counts of a diff, as the summary gives them.
struct DiffCounts {
    int same = 0, changed = 0, added = 0, removed = 0;  // files
    int rowsAdded = 0, rowsRemoved = 0;
    int cells = 0, emptied = 0;
};
DiffCounts CountChanges(const DiffResult& result);

// The summary line: "3 files: 1 changed, 1 added, 0 removed, 1 same; ...",
// or "no change".
std::string DiffSummary(const DiffResult& result);

void WriteDiffText(const DiffResult& result, const DiffFacts& facts, ReportWriter* out);
void WriteDiffJson(const DiffResult& result, const DiffFacts& facts, ReportWriter* out);

#endif  // QVKDC_TOOLS_DIFF_DIFFREPORT_H
