// TextReport: the findings one a line, as compilers write them
// ("FILE:LINE: warning: message [code]"); when a code repeats, the count
// of each code, errors first, with the place of its first finding; then
// the summary line.
#ifndef QVKDC_TOOLS_REPORT_TEXTREPORT_H
#define QVKDC_TOOLS_REPORT_TEXTREPORT_H

#include <string>

#include "check/FindingList.h"
#include "report/ReportWriter.h"

// One finding's line, without a line end.
std::string FindingLine(const Finding& finding);

// REQUIRES: out is not finished.
void TextReport(const FindingList& findings, ReportWriter* out);

#endif  // QVKDC_TOOLS_REPORT_TEXTREPORT_H
