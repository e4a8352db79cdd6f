// `qvkdc check` on the mistakes a newcomer makes when writing the table set
// of docs/configuration.md's worked example (tests/docs/example/): each
// row makes one mistake and must give exactly the one finding that names
// it, none of those that merely follow from it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "check/Checker.h"
#include "check/ShortRowSearch.h"
#include "report/TextReport.h"
#include "support/HostFixture.h"
#include "support/TestedFindings.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

const char kTables[] = "MIRVANE/CAM/KR/Tables/";

// The example's files by name: a table's ("PlanCSVTable"), "model.json".
using Files = std::map<std::string, std::string>;

std::string PathOf(const std::string& name) {
    if (name == "model.json") return name;
    return name == "rc_pln2usr.ini" ? "MIRVANE/user/cam/nccust/" + name : kTables + name + ".tsv";
}

// Replaces every `from` in file by `to`.
void Edit(Files* files, const std::string& file, const std::string& from, const std::string& to) {
    std::string& text = (*files)[file];
    std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << file << ": " << from;
    for (; at != std::string::npos; at = text.find(from, at + to.size())) text.replace(at, from.size(), to);
}

struct Mistake {
    const char* name;  // the test's
    void (*make)(Files*);
    std::vector<std::string> findings;
};

void PrintTo(const Mistake& m, std::ostream* os) { *os << m.name; }

const Mistake kMistakes[] = {
    {"HeadingRowInPlanCSV", [](Files* f) { Edit(f, "PlanCSVTable", "1\tprocessType", "No\tItem\n1\tprocessType"); },
     {"PlanCSVTable.tsv:1: warning: the first row \"No\\tItem\" looks like a heading row: every row of PlanCSVTable "
      "is a column, so it adds a column of item \"Item\" with an empty title whose cells stay empty; remove the row "
      "[heading-row]"}},
    {"HeadingRowOfWordsOverNumberedRows",
     [](Files* f) { Edit(f, "PlanCSVTable", "1\tprocessType", "#\tColumn item\n1\tprocessType"); },
     {"PlanCSVTable.tsv:1: warning: the first row \"#\\tColumn item\" looks like a heading row: every row of "
      "PlanCSVTable is a column, so it adds a column of item \"Column item\" with an empty title whose cells stay "
      "empty; remove the row [heading-row]"}},
    {"HeadingRowOfExteriorTableWithAColon",
     [](Files* f) { Edit(f, "ExteriorTable", "External name\tInternal name", "Title:text\tItem or choice"); },
     {"ExteriorTable.tsv:1: note: the first row \"Title:text\\tItem or choice\" looks like a heading row; its \":\" "
      "makes it a choice of a title \"Title\", which no item has, so the export skips it: no harm done "
      "[heading-row]"}},
    {"ThreeShortRows",
     [](Files* f) {
         Edit(f, "ParameterSettingTable", "processType\tSelect\to\t", "processType\tSelect\to");
         Edit(f, "ParameterSettingTable", "ttlKDEPTH\tReal\to\t", "\nttlKDEPTH\tReal");  // after a blank line
         Edit(f, "ParameterSettingTable", "ttlKHCOMMENTA\tString\t\t", "ttlKHCOMMENTA\tString");
     },
     {"ParameterSettingTable.tsv:2: error: the row has 3 cells; the export reads the repeat mark of item "
      "\"processType\" from cell 4 and stops here [short-row]",
      "ParameterSettingTable.tsv:4: error: the row has 2 cells; the export reads the repeat mark of item "
      "\"ttlKDEPTH\" from cell 4 and stops here [short-row]",
      "ParameterSettingTable.tsv:6: error: the row has 2 cells; the export reads the repeat mark of item "
      "\"ttlKHCOMMENTA\" from cell 4 and stops here [short-row]"}},
    {"IntegerAsTheValueType",
     [](Files* f) { Edit(f, "ParameterSettingTable", "ttlKPASSCNT\tReal\t\t\tInteger", "ttlKPASSCNT\tInteger\t\t"); },
     {"ParameterSettingTable.tsv:4: warning: unknown value type \"Integer\" of item \"ttlKPASSCNT\": \"Integer\" is a "
      "sub type, for cell 5; write the value type \"Real\" in cell 2 and \"Integer\" in cell 5; its cells stay "
      "empty [unknown-keyword]"}},
    {"AlwaysEmptyItemForTheComment",
     [](Files* f) {
         for (const char* file : {"PlanCSVTable", "ExteriorTable", "ProcessParametersTable", "ParameterSettingTable"}) {
             Edit(f, file, "ttlKHCOMMENTA", "comment");
         }
     },
     {"PlanCSVTable.tsv:6: warning: item \"comment\" is always empty: the export writes nothing for it, whatever "
      "its key and value type; did you mean \"ttlKHCOMMENTA\"? [always-empty]"}},
    {"ColonInATitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Depth: mm\t"); },
     {"ExteriorTable.tsv:5: warning: the title \"Depth: mm\" of item \"ttlKDEPTH\" holds \":\", so the export also "
      "takes the row for the choice \" mm\" of a title \"Depth\", which no item has, and skips that; a title may "
      "not hold \":\" [colon-in-title]"}},
    {"ColonInTitleOfAnother", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Coolant: depth\t"); },
     {"ExteriorTable.tsv:5: error: the title \"Coolant: depth\" of item \"ttlKDEPTH\" holds \":\", so the export "
      "reads the row as a choice of the item titled \"Coolant\" and looks its value up in SelectionToIntTable.tsv, "
      "which has no row \"ttlKDEPTH\"; the export stops here with \"[ERR] : Not import tablefile\"; a title may not "
      "hold \":\" [colon-in-title]"}},
    {"ItemWithABlankAtItsEnd", [](Files* f) { Edit(f, "PlanCSVTable", "\tttlKPASSCNT", "\tttlKPASSCNT "); },
     {"PlanCSVTable.tsv:5: warning: item \"ttlKPASSCNT \" is in none of ExteriorTable, ProcessParametersTable and "
      "ParameterSettingTable (did you mean \"ttlKPASSCNT\"? blanks around a name count: cells are not trimmed); its "
      "header cell and its cells stay empty [unknown-item]"}},
};

const bool kMistakesTested = [] {
    for (const Mistake& m : kMistakes) TestRowsExpect(m.findings);
    return true;
}();

class CheckMistakeTest : public HostTest, public ::testing::WithParamInterface<Mistake> {};

TEST_P(CheckMistakeTest, GivesTheOneFindingThatNamesIt) {
    Files files;
    for (const char* name : {"PlanCSVTable", "ExteriorTable", "ProcessParametersTable", "ParameterSettingTable",
                             "SelectionToIntTable", "VariableTable", "rc_pln2usr.ini", "model.json"}) {
        std::ifstream in(std::string(QVKDC_SOURCE_DIR) + "tests/docs/example/" + PathOf(name), std::ios::binary);
        files[name].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    GetParam().make(&files);
    for (const auto& [name, text] : files) Root().WriteFile(PathOf(name), text);
    LoadModel(files["model.json"]);
    Checker checker("", "model.json");
    checker.Run();
    std::vector<std::string> lines;
    for (const Finding& f : checker.Findings().All()) {
        if (f.code == "names-not-checked" || f.code == "model-not-checked") continue;
        std::string line = FindingLine(f);
        for (std::size_t at; (at = line.find(kTables)) != std::string::npos;) line.erase(at, sizeof kTables - 1);
        lines.push_back(line);
    }
    EXPECT_EQ(lines, GetParam().findings);
    // An error exactly where the export's table steps fail.
    CQvkdcCnvTblCtrl tables;
    const bool fails = tables.ImpCnvTbl() != 0 || tables.CreColTbl() != 0 || tables.CreSlctTbl() != 0;
    EXPECT_EQ(fails, checker.Findings().HasErrors());
}

// Short rows beyond the search's runs are left to a later check: the first
// and one more a run.
using ShortRowSearchTest = HostTest;

TEST_F(ShortRowSearchTest, ShortRowsAreSoughtForABoundedNumberOfRuns) {
    TableRoot::Tables t = TableRoot::Example();
    for (int i = 0; i < ShortRowSearch::kMostRuns + 5; ++i) {
        const std::string item = "itemK" + std::to_string(i);
        t.planCsv.push_back({std::to_string(10 + i), item});
        t.exterior.push_back({"K" + std::to_string(i), item});
        t.processParameters.push_back({item, std::to_string(1000 + i), "1"});
        t.parameterSetting.push_back({item, "Real"});  // 2 of the 4 cells read
    }
    Root().WriteTables(t);
    Checker checker("", "");
    checker.Run();
    int shortRows = 0;
    for (const Finding& f : checker.Findings().All()) shortRows += f.code == "short-row";
    EXPECT_EQ(shortRows, ShortRowSearch::kMostRuns + 1);
}

INSTANTIATE_TEST_SUITE_P(Newcomer, CheckMistakeTest, ::testing::ValuesIn(kMistakes),
                         [](const ::testing::TestParamInfo<Mistake>& p) { return std::string(p.param.name); });

}  // namespace
