// `qvkdc check` on the mistakes a newcomer makes when writing the table set
// of docs/configuration.md's worked example (tests/docs/example/): each
// row makes one mistake and must give exactly the one finding that names
// it (its place, severity and code, and what its message names), none of
// those that merely follow from it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "check/Checker.h"
#include "check/ShortRowSearch.h"
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

using C = FindingCode;
using S = Severity;

struct Mistake {
    const char* name;  // the test's
    void (*make)(Files*);
    std::vector<ExpectedFinding> findings;
};

void PrintTo(const Mistake& m, std::ostream* os) { *os << m.name; }

const Mistake kMistakes[] = {
    {"HeadingRowInPlanCSV", [](Files* f) { Edit(f, "PlanCSVTable", "1\tprocessType", "No\tItem\n1\tprocessType"); },
     {{"PlanCSVTable.tsv", 1, S::kWarning, C::kHeadingRow, 0, {"\"No\\tItem\"", "\"Item\""}}}},
    {"HeadingRowOfWordsOverNumberedRows",
     [](Files* f) { Edit(f, "PlanCSVTable", "1\tprocessType", "#\tColumn item\n1\tprocessType"); },
     {{"PlanCSVTable.tsv", 1, S::kWarning, C::kHeadingRow, 0, {"\"#\\tColumn item\"", "\"Column item\""}}}},
    {"HeadingRowOfExteriorTableWithAColon",
     [](Files* f) { Edit(f, "ExteriorTable", "External name\tInternal name", "Title:text\tItem or choice"); },
     {{"ExteriorTable.tsv", 1, S::kNote, C::kHeadingRow, -1, {"\"Title:text\\tItem or choice\"", "\"Title\""}}}},
    {"ThreeShortRows",
     [](Files* f) {
         Edit(f, "ParameterSettingTable", "processType\tSelect\to\t", "processType\tSelect\to");
         Edit(f, "ParameterSettingTable", "ttlKDEPTH\tReal\to\t", "\nttlKDEPTH\tReal");  // after a blank line
         Edit(f, "ParameterSettingTable", "ttlKHCOMMENTA\tString\t\t", "ttlKHCOMMENTA\tString");
         Edit(f, "ParameterSettingTable", "Item\tValue type", "\nItem\tValue type");  // a blank first line
         Edit(f, "ParameterSettingTable", "\n", "\r\n");
     },
     {{"ParameterSettingTable.tsv", 3, S::kError, C::kShortRow, -1, {"3 cells", "\"processType\"", "cell 4"}},
      {"ParameterSettingTable.tsv", 5, S::kError, C::kShortRow, -1, {"2 cells", "\"ttlKDEPTH\"", "cell 4"}},
      {"ParameterSettingTable.tsv", 7, S::kError, C::kShortRow, -1, {"2 cells", "\"ttlKHCOMMENTA\"", "cell 4"}}}},
    // The wording is the point here: the message is the recipe that mends
    // the row, so it is held whole.
    {"IntegerAsTheValueType",
     [](Files* f) { Edit(f, "ParameterSettingTable", "ttlKPASSCNT\tReal\t\t\tInteger", "ttlKPASSCNT\tInteger\t\t"); },
     {{"ParameterSettingTable.tsv", 4, S::kWarning, C::kUnknownKeyword, 4,
       {"unknown value type \"Integer\" of item \"ttlKPASSCNT\": \"Integer\" is a sub type, for cell 5; write the "
        "value type \"Real\" in cell 2 and \"Integer\" in cell 5; its cells stay empty"}}}},
    {"AlwaysEmptyItemForTheComment",
     [](Files* f) {
         for (const char* file : {"PlanCSVTable", "ExteriorTable", "ProcessParametersTable", "ParameterSettingTable"}) {
             Edit(f, file, "ttlKHCOMMENTA", "comment");
         }
     },
     {{"PlanCSVTable.tsv", 6, S::kWarning, C::kAlwaysEmpty, 5, {"\"comment\"", "\"ttlKHCOMMENTA\""}}}},
    {"ColonInATitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Depth: mm\t"); },
     {{"ExteriorTable.tsv", 5, S::kWarning, C::kColonInTitle, 3, {"\"Depth: mm\"", "\" mm\"", "\"Depth\""}}}},
    {"ColonInTitleOfAnother", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Coolant: depth\t"); },
     {{"ExteriorTable.tsv", 5, S::kError, C::kColonInTitle, -1,
       {"\"Coolant\"", "\"ttlKDEPTH\"", "\"[ERR] : Not import tablefile\""}}}},
    {"ItemWithABlankAtItsEnd", [](Files* f) { Edit(f, "PlanCSVTable", "\tttlKPASSCNT", "\tttlKPASSCNT "); },
     {{"PlanCSVTable.tsv", 5, S::kWarning, C::kUnknownItem, 4, {"\"ttlKPASSCNT \"", "\"ttlKPASSCNT\""}}}},
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
    ExpectFindings(checker.Findings(), GetParam().findings, {C::kNamesNotChecked, C::kModelNotChecked});
    // An error exactly where the export's table steps fail.
    CQvkdcCnvTblCtrl tables;
    const bool fails = tables.ImpCnvTbl() != 0 || tables.CreColTbl() != 0 || tables.CreSlctTbl() != 0;
    EXPECT_EQ(fails, checker.Findings().HasFailures());
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
    for (const Finding& f : checker.Findings().All()) shortRows += f.code == C::kShortRow;
    EXPECT_EQ(shortRows, ShortRowSearch::kMostRuns + 1);
}

INSTANTIATE_TEST_SUITE_P(Newcomer, CheckMistakeTest, ::testing::ValuesIn(kMistakes),
                         [](const ::testing::TestParamInfo<Mistake>& p) { return std::string(p.param.name); });

}  // namespace
