#include "check/TextReport.h"

std::string FindingLine(const Finding& f) {
    return f.file + ':' + std::to_string(f.line) + ": " + SeverityName(f.severity) + ": " + f.message +
           " [" + f.code + ']';
}

void TextReport(const FindingList& findings, ReportWriter* out) {
    for (const Finding& f : findings.All()) {
        out->Put(FindingLine(f));
        out->Put('\n');
    }
    out->Put(findings.Summary());
    out->Put('\n');
}
