// DiffHtml: the diff as one self-contained page: the summary at the top,
// the causes, each with the table line it names, then every file that
// changed, was added or removed, shown as the check's preview shows a file
// (its titles and first rows), with changed cells marked old → new,
// emptied ones marked apart, added columns and rows marked, removed ones
// listed, and each changed cell linked to its causes. The texts are read
// in the code page, as the check's page reads them.
#ifndef QVKDC_TOOLS_DIFF_DIFFHTML_H
#define QVKDC_TOOLS_DIFF_DIFFHTML_H

#include "diff/DiffReport.h"

void WriteDiffHtml(const DiffResult& result, const DiffFacts& facts, ReportWriter* out);

#endif  // QVKDC_TOOLS_DIFF_DIFFHTML_H
