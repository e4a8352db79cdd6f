// FindingList: the findings of one check, in the order they were found.
//
// A mistake that leaves many traces is told once: the check that
// recognises it (a heading row, say) tells it and mutes what merely follows
// from it, so that the warnings and notes that would repeat it are left
// out. Errors are never muted or ignored: the export fails at them.
#ifndef QVKDC_TOOLS_CHECK_FINDINGLIST_H
#define QVKDC_TOOLS_CHECK_FINDINGLIST_H

#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "check/Finding.h"

class FindingList {
 public:
    void Add(Finding finding);
    // A finding about column (-1: none), detail telling which code or kind
    // it is about where a column has several (Finding::detail).
    void Add(Severity severity, const std::string& file, int line,
             std::string message, const char* code, int column = -1, int detail = 0);

    // From now on, warnings and notes about column are left out: those of
    // code, or of every code when code is "".
    void MuteColumn(int column, const std::string& code = std::string());
    // From now on, warnings and notes at line of file are left out.
    void MuteLine(const std::string& file, int line);
    // Warnings and notes of these codes are accepted (`--ignore`): counted
    // as ignored, not listed.
    void Ignore(const std::vector<std::string>& codes);

    const std::vector<Finding>& All() const { return findings_; }
    int Count(Severity severity) const;
    int Ignored() const { return ignored_; }
    bool HasErrors() const { return Count(Severity::kError) > 0; }
    // "2 errors, 1 warning, 0 notes", then ", 3 ignored" when some were.
    std::string Summary() const;

 private:
    bool Muted(const Finding& finding) const;

    std::vector<Finding> findings_;
    std::unordered_map<int, std::unordered_set<std::string>> mutedColumns_;  // "": every code
    std::set<std::pair<std::string, int>> mutedLines_;
    std::unordered_set<std::string> ignoredCodes_;
    int ignored_ = 0;
};

#endif  // QVKDC_TOOLS_CHECK_FINDINGLIST_H
