// The check's page: why each empty cell of the export is empty, told cell
// by cell while the export's run converts, and linked to the finding that
// explains it; the rows kept within their bounds; the table rows that
// findings point at, as the file holds them.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "check/Checker.h"
#include "report/FindingIndex.h"
#include "report/ReportWriter.h"
#include "report/SourceRows.h"
#include "report/TextReport.h"
#include "support/CheckReport.h"
#include "support/HostFixture.h"

namespace {

using CheckPageTest = HostTest;

TEST_F(CheckPageTest, EveryEmptyCellSaysWhyAndLinksToItsFinding) {
    TableRoot::Tables t = TableRoot::Example();
    t.exterior.insert(t.exterior.end(), {{"Folder", "planFolder"}, {"TT", "toolType1"}, {"TT:Mill", "selMill"},
                                         {"Tool", "toolCheck1"}, {"K", "itemK"}, {"Macro", "ttlKPMCR"},
                                         {"Tools", "toolGrpName"}});
    t.processParameters.insert(t.processParameters.end(), {{"itemK", "999999", "5"}, {"ttlKPMCR", "500", "6"}});
    t.parameterSetting.insert(t.parameterSetting.end(), {{"itemK", "Real", "", ""}, {"ttlKPMCR", "String", "", ""}});
    t.selectionToInt.push_back({"selMill", "1"});
    // Columns 4 to 9; 1 to 3 are N (Real / Integer), Mode and Z.
    t.planCsv.insert(t.planCsv.end(), {{"4", "planFolder"}, {"5", "toolType1"}, {"6", "toolCheck1"},
                                       {"7", "itemK"}, {"8", "ttlKPMCR"}, {"9", "toolGrpName"}});
    Root().WriteTables(t);
    LoadModel(R"({"plans": [{"id": [1, 0, 1, 0], "name": "P", "processes": [
        {"id": [1, 1, 1, 0], "type": 2411, "tool": {"type": 1, "state": 1, "name": "T1"},
         "params": {"100": 5, "200": 7, "300": "abc"}},
        {"id": [1, 1, 2, 0], "type": 2411, "tool": {"type": 2, "state": 0, "name": "T2"}, "params": {"200": 1}},
        {"id": [1, 1, 3, 0], "type": 2411, "params": {"100": 1.5, "300": ""}}]}], "toolTexts": {"T1": "one"}})");
    Checker checker("", "model.json");
    checker.KeepPreview();
    checker.Run();
    ASSERT_NE(checker.Preview(), nullptr);
    ASSERT_EQ(checker.Preview()->Plans().size(), 1u);
    const ExportPreview::Plan& plan = checker.Preview()->Plans()[0];
    EXPECT_EQ(plan.rows, 3);
    EXPECT_EQ(plan.Cell(0, 0, 9), "5");
    // What each cell says; "" for a cell filled without a note.
    const std::string says[3][9] = {
        {"", "no choice for 7", "", "always empty", "", "", "key 999999", "not for type 2411", "no candidates"},
        {"no parameter 100", "", "no parameter 300", "always empty", "tool state 0", "no tool text", "key 999999",
         "not for type 2411", "no candidates"},
        {"wrong kind", "no parameter 200", "empty value", "always empty", "no tool", "no tool", "key 999999",
         "not for type 2411", "no candidates"},
    };
    // The findings some of them link to.
    const std::map<std::pair<int, int>, FindingCode> links = {{{0, 1}, FindingCode::kNoChoiceForCode},
                                                              {{0, 6}, FindingCode::kNoKey},
                                                              {{1, 0}, FindingCode::kMissingParam},
                                                              {{2, 0}, FindingCode::kParamKind}};
    const FindingIndex index(checker.Findings());
    std::string brief, full;
    auto note = plan.notes.begin();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 9; ++column) {
            const bool noted = note != plan.notes.end() && note->row == row && note->column == column;
            brief.clear();
            if (noted) CellNoteText(note->why, &brief, &full);
            EXPECT_EQ(brief, says[row][column]) << row << ", " << column;
            if (noted && note->why.wrongKind != HostValueKind::kNone) {
                EXPECT_EQ(full, "parameter 100 holds a number with a fraction, not what the column's value type reads");
            }
            EXPECT_EQ(plan.Cell(row, column, 9).empty(), noted && note->why.wrongKind == HostValueKind::kNone);
            const auto link = links.find({row, column});
            if (link != links.end() && noted) {
                const int n = index.FindAny(column, CellNoteCodes(note->why), note->why.Detail());
                ASSERT_GT(n, 0) << brief;
                EXPECT_EQ(FindingCodeName(checker.Findings().All()[n - 1].code), FindingCodeName(link->second));
            }
            if (noted) ++note;
        }
    }
    // On the page, each finding is marked with its severity, and the `quoted`
    // parts of a code's explanation are code.
    const std::string page = CheckReport(checker, "html");
    EXPECT_NE(page.find("<li id=\"finding-1\" class=\"warning\">"), std::string::npos);
    EXPECT_NE(page.find("\">column 1</a>"), std::string::npos);
    EXPECT_NE(page.find("<code>--out</code>"), std::string::npos);
}

TEST_F(CheckPageTest, AFileOfManyRowsShowsItsFirstAndCountsTheRest) {
    Root().WriteTables(TableRoot::Example());
    std::string processes;
    for (int i = 1; i <= ExportPreview::kRows + 2; ++i) {
        processes += std::string(i > 1 ? ", " : "") + R"({"id": [1, 1, )" + std::to_string(i) + R"(, 0], "type": 2411})";
    }
    LoadModel(R"({"plans": [{"id": [1, 0, 1, 0], "processes": [)" + processes + "]}]}");
    Checker checker("", "model.json");
    checker.KeepPreview();
    checker.Run();
    ASSERT_EQ(checker.Preview()->Plans().size(), 1u);
    EXPECT_EQ(checker.Preview()->Plans()[0].rows, ExportPreview::kRows + 2);
    EXPECT_EQ(checker.Preview()->Plans()[0].shown, ExportPreview::kRows);
}

// Tables that give no column: the export writes no file, and no preview
// is made of it.
TEST_F(CheckPageTest, NoColumnNoPreview) {
    TableRoot::Tables t = TableRoot::Example();
    t.planCsv.clear();
    Root().WriteTables(t);
    LoadModel(R"({"plans": [{"id": [1, 0, 1, 0], "processes": [{"id": [1, 1, 1, 0], "type": 2411}]}]})");
    Checker checker("", "model.json");
    checker.KeepPreview();
    checker.Run();
    EXPECT_EQ(checker.Preview(), nullptr);
}

TEST(ExportPreview, KeepsTheFirstRowsWithinItsCellsAndOnlyOfWrittenPlans) {
    ExportPreview preview(2, 2, 6);
    for (int plan : {0, 1, 2, 3}) {
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column) {
                preview.Cell(plan, row, column, std::to_string(plan * 10 + row), CellNote());
            }
        }
        if (plan != 1) preview.Written(plan, "plan", "");  // plan 1 failed
    }
    const auto& plans = preview.Plans();
    ASSERT_EQ(plans.size(), 3u);
    EXPECT_EQ(plans[0].shown, 2);
    EXPECT_EQ(plans[0].Cell(1, 1, 2), "1");
    EXPECT_EQ(plans[1].shown, 1) << "the cells left take one row";
    EXPECT_EQ(plans[1].Cell(0, 0, 2), "20");
    EXPECT_EQ(plans[2].shown, 0);
    EXPECT_EQ(plans[2].rows, 3);
}

TEST_F(CheckPageTest, RowsAreShownAsTheFileHoldsThemCountedAsAnEditorCounts) {
    const std::string file = "MIRVANE/CAM/KR/Tables/ExteriorTable.tsv";
    Root().WriteFile(file, "a\tb\r\nc\rd\n\n" + std::string(300, 'x') + "\ne");
    CheckInputs in;
    in.Load("");
    FindingList findings;
    for (int line : {1, 2, 3, 5, 6, 7}) findings.Add(Severity::kWarning, file, line, "m", FindingCode::kDuplicateKey);
    findings.Add(Severity::kWarning, file, 4, "m", FindingCode::kEmptyFile);  // about the whole file
    const SourceRows rows(in, findings);
    std::size_t length = 0;
    const struct {
        int line;
        const char* text;  // null: not shown
    } expected[] = {{1, "a\tb"}, {2, "c"}, {3, "d"}, {4, nullptr}, {6, "e"}, {7, nullptr}};
    for (const auto& e : expected) {
        const std::string* shown = rows.Line(file, e.line, &length);
        EXPECT_EQ(shown != nullptr ? *shown : "(none)", e.text != nullptr ? e.text : "(none)") << e.line;
    }
    const std::string* cut = rows.Line(file, 5, &length);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->size(), SourceRows::kKept);
    EXPECT_EQ(length, 300u);
}

// The text report's count of each code, errors first, each at its first
// finding; none when every code is given once.
TEST(TextReport, CountsEachCodeErrorsFirstWhenACodeRepeats) {
    const FindingCode e = FindingCode::kShortRow, w = FindingCode::kNoTitle, n = FindingCode::kMissingParam,
                      m = FindingCode::kFileExists;
    const auto named = [](FindingCode c) { return std::string(" [") + FindingCodeName(c) + ']'; };
    const struct {
        std::vector<std::tuple<Severity, int, FindingCode>> findings;  // at line N of f
        std::string byCode;  // what follows the findings, before the count
    } cases[] = {
        {{{Severity::kNote, 1, n}, {Severity::kWarning, 2, w}}, ""},
        {{{Severity::kNote, 3, n}, {Severity::kWarning, 4, w}, {Severity::kNote, 5, n},
          {Severity::kError, 6, e}, {Severity::kNote, 7, m}, {Severity::kWarning, 8, n}},
         "by code:\n  1 error" + named(e) + " at f:6\n  1 warning" + named(w) + " at f:4\n  1 warning" + named(n) +
             " at f:8\n  2 notes" + named(n) + ", the first at f:3\n  1 note" + named(m) + " at f:7\n"},
    };
    for (const auto& c : cases) {
        FindingList findings;
        for (const auto& [severity, line, code] : c.findings) findings.Add(severity, "f", line, "x", code);
        std::ostringstream text;
        ReportWriter out(&text);
        TextReport(findings, &out);
        EXPECT_EQ(out.Finish(), "");
        const std::string report = text.str();
        const std::size_t count = report.rfind('\n', report.size() - 2) + 1;
        const std::size_t at = report.find("by code:\n");
        EXPECT_EQ(at == std::string::npos ? "" : report.substr(at, count - at), c.byCode) << report;
    }
}

}  // namespace
