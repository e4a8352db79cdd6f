// JsonReport: the check as one JSON object, for scripts and CI:
// {"formatVersion": 1, "run": {...},
//  "findings": [{"file", "line", "severity", "code", "message", "column"}],
//  "errors": N, "warnings": N, "notes": N, "columns": [COLUMN, ...]}.
// "column" is the 1-based column a finding concerns, or null. COLUMN is the
// column table as the export will write it (ColumnReport), in column order:
// {"number", "title", "item", "key", "priority",
//  "valueType": {"keyword", "code"}, "subType": {"keyword", "code"},
//  "effectiveType", "flags": {"origin": "table"|"option", "blank", "repeat"},
//  "choices": [{"value", "text", "item", "at", "shadowed"}],
//  "at": {"definition", "title", "key", "type"}}, each "at" a "FILE:LINE"
// or null; and "run": {"root", "model", "date", "version", "encoding"}.
// Every text is read in the facts' encoding and written as UTF-8, a byte
// that does not convert as \xHH. The members of each object are written
// in the order of their names, and the report is written as it is made.
#ifndef QVKDC_TOOLS_REPORT_JSONREPORT_H
#define QVKDC_TOOLS_REPORT_JSONREPORT_H

#include "report/ColumnReport.h"
#include "check/FindingList.h"
#include "report/ReportFacts.h"
#include "report/ReportWriter.h"

// The layout's number; docs/schema/check-report.schema.json describes it.
inline constexpr int kCheckReportFormat = 1;

// REQUIRES: out is not finished.
void JsonReport(const FindingList& findings, const ColumnReport& columns, const ReportFacts& facts,
                ReportWriter* out);

#endif  // QVKDC_TOOLS_REPORT_JSONREPORT_H
