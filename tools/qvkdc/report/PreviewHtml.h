// PreviewHtml: the part of the check's page that shows each file the
// export writes as it writes it: the header line, each header cell linked
// to its column's row of the column table, then the rows kept, one cell per
// column, each empty cell telling why, linked to the finding that explains
// it (or else to its column), and how many rows follow.
#ifndef QVKDC_TOOLS_REPORT_PREVIEWHTML_H
#define QVKDC_TOOLS_REPORT_PREVIEWHTML_H

#include "report/ColumnReport.h"
#include "check/ExportPreview.h"
#include "report/FindingIndex.h"
#include "report/HtmlWriter.h"

// REQUIRES: preview has a column for each column of columns.
void PreviewHtml(const ExportPreview& preview, const ColumnReport& columns, const FindingIndex& index,
                 HtmlWriter* html);

#endif  // QVKDC_TOOLS_REPORT_PREVIEWHTML_H
