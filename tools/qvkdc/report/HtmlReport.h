// HtmlReport: one self-contained page (no scripts, no outside files), drawn
// from the same column table as the JSON report, for the engineer who
// works from it: the facts of the run; a summary of the findings by
// severity and code, each code with its count and its first message; the
// findings about files and the model; with a model, each file the export
// writes as it writes it (PreviewHtml); the column table (title, item, key,
// value type, flags, the rows each column came from) with the findings
// about each column in its row; the choices of each column, the findings
// about a choice row beside it; and what each code on the page means, with
// its usual fix (FindingCodes). Every finding shows its FILE:LINE, the row
// of a table it points at as it stands, and links to its column or choice
// row. The page is UTF-8: every text is read in the facts' encoding. It is
// written as it is made.
#ifndef QVKDC_TOOLS_REPORT_HTMLREPORT_H
#define QVKDC_TOOLS_REPORT_HTMLREPORT_H

#include "report/ColumnReport.h"
#include "check/ExportPreview.h"
#include "check/FindingList.h"
#include "report/ReportFacts.h"
#include "report/ReportWriter.h"
#include "report/SourceRows.h"

// What the page is drawn from besides the findings.
struct HtmlParts {
    const ColumnReport& columns;
    const ExportPreview* preview = nullptr;  // null: no model was run
    const SourceRows* rows = nullptr;        // null: no row is shown
};

// REQUIRES: out is not finished.
void HtmlReport(const HtmlParts& parts, const FindingList& findings, const ReportFacts& facts, ReportWriter* out);

#endif  // QVKDC_TOOLS_REPORT_HTMLREPORT_H
