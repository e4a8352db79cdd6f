// PreviewHtml: the part of the check's page that shows each file the
// export writes as a CSV reader will read it: the header line, each header
// cell linked to its column's row of the column table (and marked when
// findings are about the column), then the rows kept, one value per column
// with its quotes taken off, each empty cell telling why, linked to the
// finding that explains it (or else to its column); a row that a reader
// splits into more or fewer fields is marked, with the cell where it
// splits; then how many rows follow. The header and the line numbers stay
// in view while a wide file scrolls.
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
