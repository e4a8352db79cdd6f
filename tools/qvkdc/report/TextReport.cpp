#include "report/TextReport.h"

#include "report/FindingGroups.h"

std::string FindingLine(const Finding& f) {
    return f.file + ':' + std::to_string(f.line) + ": " + SeverityName(f.severity) + ": " + f.message +
           " [" + FindingCodeName(f.code) + ']';
}

namespace {

// The findings by severity and code, when some code repeats: each code's
// count and where its first finding is, so that a long list reads at a
// glance.
void ByCode(const FindingList& findings, ReportWriter* out) {
    const FindingGroups groups(findings);
    if (!groups.AnyRepeated()) return;
    out->Put("by code:\n");
    for (const FindingGroups::Group& g : groups.All()) {
        const Finding& first = findings.All()[g.members.front()];
        const std::size_t n = g.members.size();
        out->Put("  " + std::to_string(n) + ' ' + SeverityName(g.severity) + (n == 1 ? "" : "s") + " [" + FindingCodeName(first.code) +
                 (n == 1 ? "] at " : "], the first at ") + first.file + ':' + std::to_string(first.line) + '\n');
    }
}

}  // namespace

void TextReport(const FindingList& findings, ReportWriter* out) {
    for (const Finding& f : findings.All()) {
        out->Put(FindingLine(f));
        out->Put('\n');
    }
    ByCode(findings, out);
    out->Put(findings.Summary());
    out->Put('\n');
}
