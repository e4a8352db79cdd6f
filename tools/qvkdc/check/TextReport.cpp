#include "check/TextReport.h"

std::string FindingLine(const Finding& f) {
    return f.file + ':' + std::to_string(f.line) + ": " + SeverityName(f.severity) + ": " + f.message +
           " [" + f.code + ']';
}

std::string TextReport(const FindingList& findings) {
    std::string text;
    for (const Finding& f : findings.All()) text += FindingLine(f) + '\n';
    return text + findings.Summary() + '\n';
}
