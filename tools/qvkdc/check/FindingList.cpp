#include "check/FindingList.h"

#include <algorithm>

namespace {

std::size_t Index(FindingCode code) { return static_cast<std::size_t>(code); }

}  // namespace

void FindingList::Add(Severity severity, const std::string& file, int line, std::string message, FindingCode code,
                      int column, int detail) {
    if (!FindingCodeOf(code).severities.Has(severity)) ++misfiled_;
    Finding f;
    f.severity = severity;
    f.file = file;
    f.line = line;
    f.message = std::move(message);
    f.code = code;
    f.column = column;
    f.detail = detail;
    if (severity != Severity::kError) {
        if (Muted(f)) return;
        if (ignoredCodes_[Index(code)]) {
            ++ignored_;
            return;
        }
    }
    findings_.push_back(std::move(f));
}

void FindingList::MuteColumn(int column) { mutedColumns_[column].set(); }

void FindingList::MuteColumn(int column, FindingCode code) { mutedColumns_[column][Index(code)] = true; }

void FindingList::MuteLine(const std::string& file, int line) { mutedLines_.emplace(file, line); }

void FindingList::Ignore(const std::vector<FindingCode>& codes) {
    for (const FindingCode code : codes) ignoredCodes_[Index(code)] = true;
}

bool FindingList::Muted(const Finding& f) const {
    if (f.column >= 0) {
        const auto it = mutedColumns_.find(f.column);
        if (it != mutedColumns_.end() && it->second[Index(f.code)]) return true;
    }
    return !mutedLines_.empty() && mutedLines_.count({f.file, f.line}) != 0;
}

bool FindingList::HasFailures() const {
    return std::any_of(findings_.begin(), findings_.end(), [](const Finding& f) {
        return f.severity == Severity::kError && !FindingCodeOf(f.code).exportFinishes;
    });
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
