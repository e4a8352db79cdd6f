// HtmlReport: one self-contained page (no scripts, no outside files): the
// column table (title, item, key, value type, flags, where it is defined)
// with the findings about each column beside its row, the choices of each
// column that has choices, and the findings about files and the model.
#ifndef QVKDC_TOOLS_CHECK_HTMLREPORT_H
#define QVKDC_TOOLS_CHECK_HTMLREPORT_H

#include <string>

#include <vector>

#include "check/ColumnReport.h"
#include "check/FindingList.h"

std::string HtmlReport(const std::vector<ColumnEntry>& columns, const FindingList& findings);

#endif  // QVKDC_TOOLS_CHECK_HTMLREPORT_H
