#include "check/FindingList.h"

#include <algorithm>

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::kError:
            return "error";
        case Severity::kWarning:
            return "warning";
        default:
            return "note";
    }
}

void FindingList::Add(Finding finding) { findings_.push_back(std::move(finding)); }

void FindingList::Add(Severity severity, const std::string& file, int line,
                      std::string message, const char* code, int column) {
    Finding f;
    f.severity = severity;
    f.file = file;
    f.line = line;
    f.message = std::move(message);
    f.code = code;
    f.column = column;
    Add(std::move(f));
}

int FindingList::Count(Severity severity) const {
    return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                          [&](const Finding& f) { return f.severity == severity; }));
}

std::string FindingList::Summary() const {
    std::string text;
    const Severity kinds[] = {Severity::kError, Severity::kWarning, Severity::kNote};
    for (Severity s : kinds) {
        const int n = Count(s);
        if (!text.empty()) text += ", ";
        text += std::to_string(n) + ' ' + SeverityName(s) + (n == 1 ? "" : "s");
    }
    return text;
}
