// JsonReport: the findings as one JSON object, for scripts and CI:
// {"findings": [{"file", "line", "severity", "code", "message", "column"}],
//  "errors": N, "warnings": N, "notes": N}. "column" is the 1-based column
// a finding concerns, or null. Bytes that are not UTF-8 become U+FFFD.
#ifndef QVKDC_TOOLS_CHECK_JSONREPORT_H
#define QVKDC_TOOLS_CHECK_JSONREPORT_H

#include <string>

#include "check/FindingList.h"

std::string JsonReport(const FindingList& findings);

#endif  // QVKDC_TOOLS_CHECK_JSONREPORT_H
