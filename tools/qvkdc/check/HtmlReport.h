// HtmlReport: one self-contained page (no scripts, no outside files), drawn
// from the same column table as the JSON report, for the engineer who
// works from it: the facts of the run; a summary that links to every
// finding; the column table (title, item, key, value type, flags, the rows
// each column came from) with the findings about each column in its row;
// the choices of each column, the findings about a choice row beside it;
// the findings about files and the model. Every finding shows its
// FILE:LINE and links to its column or choice row. The page is UTF-8: every
// text is read in the facts' encoding. It is written as it is made.
#ifndef QVKDC_TOOLS_CHECK_HTMLREPORT_H
#define QVKDC_TOOLS_CHECK_HTMLREPORT_H

#include "check/ColumnReport.h"
#include "check/FindingList.h"
#include "check/ReportFacts.h"
#include "check/ReportWriter.h"

// REQUIRES: out is not finished.
void HtmlReport(const ColumnReport& columns, const FindingList& findings, const ReportFacts& facts,
                ReportWriter* out);

#endif  // QVKDC_TOOLS_CHECK_HTMLREPORT_H
