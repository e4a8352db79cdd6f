// FindingList: the findings of one check, in the order they were found.
//
// A mistake that leaves many traces is told once: the check that
// recognises it (a heading row, say) tells it and mutes what merely follows
// from it, so that the warnings and notes that would repeat it are left
// out. Errors are never muted or ignored: the export fails at them or
// writes a malformed file.
#ifndef QVKDC_TOOLS_CHECK_FINDINGLIST_H
#define QVKDC_TOOLS_CHECK_FINDINGLIST_H

#include <bitset>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "check/Finding.h"

class FindingList {
 public:
    // A finding about column (-1: none), detail telling which code or kind
    // it is about where a column has several (Finding::detail).
    //
    // A severity that code does not allow (FindingCodes) is a fault of the
    // rule that gave it, not of the tables. It is checked here in every
    // build, not asserted in debug builds only: the finding is kept as
    // given, so that the user still reads it, and counted as misfiled; the
    // check's tests require none after each check they run.
    void Add(Severity severity, const std::string& file, int line, std::string message, FindingCode code,
             int column = -1, int detail = 0);

    // From now on, warnings and notes about column are left out: those of
    // every code, or those of code.
    void MuteColumn(int column);
    void MuteColumn(int column, FindingCode code);
    // From now on, warnings and notes at line of file are left out.
    void MuteLine(const std::string& file, int line);
    // Warnings and notes of these codes are accepted (`--ignore`): counted
    // as ignored, not listed.
    void Ignore(const std::vector<FindingCode>& codes);

    const std::vector<Finding>& All() const { return findings_; }
    int Count(Severity severity) const;
    int Ignored() const { return ignored_; }
    // The findings given a severity their code does not allow, listed or not.
    int Misfiled() const { return misfiled_; }
    bool HasErrors() const { return Count(Severity::kError) > 0; }
    // Some error is where the export fails (not one it finishes at,
    // writing a malformed file).
    bool HasFailures() const;
    // "2 errors, 1 warning, 0 notes", then ", 3 ignored" when some were.
    std::string Summary() const;

 private:
    using CodeSet = std::bitset<kFindingCodeCount>;

    bool Muted(const Finding& finding) const;

    std::vector<Finding> findings_;
    std::unordered_map<int, CodeSet> mutedColumns_;
    std::set<std::pair<std::string, int>> mutedLines_;
    CodeSet ignoredCodes_;
    int ignored_ = 0;
    int misfiled_ = 0;
};

#endif  // QVKDC_TOOLS_CHECK_FINDINGLIST_H
