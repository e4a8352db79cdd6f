// TestedFindings: a finding as the check's tests expect it (its place,
// severity, code and column, and the texts its message must name, not its
// wording), the comparison of a check's findings with such rows, and the
// codes the rows expect, gathered as the test program starts, for one test
// to hold them against the check's list of codes.
#ifndef QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H
#define QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "check/FindingList.h"

struct ExpectedFinding {
    std::string file;  // its name, without folders: "PlanCSVTable.tsv", "model.json"
    int line = 1;
    Severity severity = Severity::kWarning;
    FindingCode code{};
    int column = -1;                  // as Finding::column: the column's index, or -1
    // What the message must name: the texts, numbers and lines it quotes; a
    // name after "!" it must not name.
    std::vector<std::string> names{};
};

// "FILE:LINE severity [code]", then " column N" for a finding about a
// column; the file without its folders.
inline std::string Outline(const std::string& file, int line, Severity severity, FindingCode code, int column) {
    std::string text = file.substr(file.find_last_of("/\\") + 1) + ':' + std::to_string(line) + ' ' +
                       SeverityName(severity) + " [" + FindingCodeName(code) + ']';
    return column >= 0 ? text + " column " + std::to_string(column) : text;
}

// Code -> the severities the rows expect it at.
inline std::map<FindingCode, std::set<Severity>>& TestedFindings() {
    static std::map<FindingCode, std::set<Severity>> codes;
    return codes;
}

// Notes the code and severity of each row. Returns true, for a
// registration at namespace scope.
inline bool TestRowsExpect(const std::vector<ExpectedFinding>& rows) {
    for (const ExpectedFinding& row : rows) TestedFindings()[row.code].insert(row.severity);
    return true;
}

// Notes codes that a test expects without such rows.
inline bool TestRowsExpect(std::initializer_list<FindingCode> codes) {
    for (const FindingCode code : codes) TestedFindings()[code];
    return true;
}

// Expects the findings of list, but those of the codes left out, to be the
// rows want, in their order, each message naming what its row names; and
// no finding at a severity its code does not allow.
inline void ExpectFindings(const FindingList& list, const std::vector<ExpectedFinding>& want,
                           std::initializer_list<FindingCode> leftOut = {}) {
    EXPECT_EQ(list.Misfiled(), 0) << "a finding has a severity its code does not allow";
    std::vector<const Finding*> got;
    for (const Finding& f : list.All()) {
        if (std::find(leftOut.begin(), leftOut.end(), f.code) == leftOut.end()) got.push_back(&f);
    }
    std::vector<std::string> gotLines, wantLines;
    for (const Finding* f : got) gotLines.push_back(Outline(f->file, f->line, f->severity, f->code, f->column));
    for (const ExpectedFinding& w : want) wantLines.push_back(Outline(w.file, w.line, w.severity, w.code, w.column));
    EXPECT_EQ(gotLines, wantLines);
    for (std::size_t i = 0; i < got.size() && i < want.size(); ++i) {
        for (const std::string& name : want[i].names) {
            const bool absent = name.compare(0, 1, "!") == 0;
            EXPECT_EQ(got[i]->message.find(name.substr(absent ? 1 : 0)) == std::string::npos, absent)
                << wantLines[i] << ": the message " << (absent ? "names " : "names no ") << name << ": "
                << got[i]->message;
        }
    }
}

#endif  // QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H
