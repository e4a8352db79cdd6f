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

void FindingList::Add(Finding finding) {
    if (finding.severity != Severity::kError) {
        if (Muted(finding)) return;
        if (ignoredCodes_.count(finding.code) != 0) {
            ++ignored_;
            return;
        }
    }
    findings_.push_back(std::move(finding));
}

void FindingList::Add(Severity severity, const std::string& file, int line,
                      std::string message, const char* code, int column, int detail) {
    Finding f;
    f.severity = severity;
    f.file = file;
    f.line = line;
    f.message = std::move(message);
    f.code = code;
    f.column = column;
    f.detail = detail;
    Add(std::move(f));
}

void FindingList::MuteColumn(int column, const std::string& code) { mutedColumns_[column].insert(code); }

void FindingList::MuteLine(const std::string& file, int line) { mutedLines_.emplace(file, line); }

void FindingList::Ignore(const std::vector<std::string>& codes) { ignoredCodes_.insert(codes.begin(), codes.end()); }

bool FindingList::Muted(const Finding& f) const {
    if (f.column >= 0) {
        const auto it = mutedColumns_.find(f.column);
        if (it != mutedColumns_.end() && (it->second.count("") != 0 || it->second.count(f.code) != 0)) return true;
    }
    return !mutedLines_.empty() && mutedLines_.count({f.file, f.line}) != 0;
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
    if (ignored_ > 0) text += ", " + std::to_string(ignored_) + " ignored";
    return text;
}
