// `qvkdc check` on the mistakes a newcomer makes when writing the table set
// of docs/configuration.md's worked example (tests/docs/example/): each
// row makes one mistake and must give exactly the one finding that names
// it (its place, severity and code, and what its message names), none of
// those that merely follow from it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "check/Checker.h"
#include "check/ShortRowSearch.h"
#include "TextEncoding.h"
#include "support/CheckReport.h"
#include "support/HostFixture.h"
#include "support/TestedFindings.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

const char kTables[] = "MIRVANE/CAM/KR/Tables/";

// The example's files by name: a table's ("PlanCSVTable"), "model.json".
using Files = std::map<std::string, std::string>;

// A table's name without ".tsv": the table; with an extension
// ("PlanCSVTable.txt"): a file of that name beside the tables.
std::string PathOf(const std::string& name) {
    if (name == "model.json") return name;
    if (name == "rc_pln2usr.ini") return "MIRVANE/user/cam/nccust/" + name;
    return kTables + name + (name.find('.') == std::string::npos ? ".tsv" : "");
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
    const char* encoding = "windows-1252";  // the code page of the texts
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
    // The number of an item is no part of what it stands for.
    {"AlwaysEmptyItemWithANumber",
     [](Files* f) {
         for (const char* file : {"PlanCSVTable", "ExteriorTable", "ProcessParametersTable", "ParameterSettingTable"}) {
             Edit(f, file, "ttlKHCOMMENTA", "toolType3");
         }
     },
     {{"PlanCSVTable.tsv", 6, S::kWarning, C::kAlwaysEmpty, 5, {"\"toolType3\"", "\"toolType1\""}}}},
    {"ColonInATitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Depth: mm\t"); },
     {{"ExteriorTable.tsv", 5, S::kWarning, C::kColonInTitle, 3, {"\"Depth: mm\"", "\" mm\"", "\"Depth\""}}}},
    {"ColonInTitleOfAnother", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Coolant: depth\t"); },
     {{"ExteriorTable.tsv", 5, S::kError, C::kColonInTitle, -1,
       {"\"Coolant\"", "\"ttlKDEPTH\"", "\"[ERR] : Not import tablefile\""}}}},
    // Mistakes in the bytes, each with a twin that looks alike and is right.
    {"SpacedCellsInAValueTypeRow",
     [](Files* f) { Edit(f, "ParameterSettingTable", "ttlKDEPTH\tReal\to\t", "ttlKDEPTH   Real   o"); },
     {{"ParameterSettingTable.tsv", 3, S::kWarning, C::kSpacedCells, -1, {"\"ttlKDEPTH\"", "1 cell", "3"}}}},
    {"TwinTwoSpacesInsideATitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "Depth  (mm)\t"); }, {}},
    {"SpacedCellsInAPlanCSVTableRow", [](Files* f) { Edit(f, "PlanCSVTable", "4\tttlKDEPTH", "4 ttlKDEPTH"); },
     {{"PlanCSVTable.tsv", 4, S::kError, C::kSpacedCells, -1, {"\"ttlKDEPTH\"", "short"}}}},
    {"SpacedCellsByOneSpaceInAnItemRow",
     [](Files* f) { Edit(f, "ExteriorTable", "Passes\tttlKPASSCNT", "Passes ttlKPASSCNT"); },
     {{"ExteriorTable.tsv", 6, S::kWarning, C::kSpacedCells, -1, {"\"ttlKPASSCNT\""}}}},
    // Its last word is no item name: a title without its item, not cells.
    {"TitleAloneInAnItemRow", [](Files* f) { Edit(f, "ExteriorTable", "Passes\tttlKPASSCNT", "Passes (count)"); },
     {{"PlanCSVTable.tsv", 5, S::kWarning, C::kNoTitle, 4}}},
    {"ByteOrderMarkInTheMiddle", [](Files* f) { Edit(f, "ExteriorTable", "Passes\t", "\xEF\xBB\xBFPasses\t"); },
     {{"ExteriorTable.tsv", 6, S::kWarning, C::kStrayByte, -1, {"EF BB BF", "byte 1", "\"\xEF\xBB\xBFPasses\""}}}},
    {"TwinByteOrderMarkAtTheStart",
     [](Files* f) { Edit(f, "ExteriorTable", "External name", "\xEF\xBB\xBF" "External name"); }, {}},
    {"NoBreakSpaceAtTheEndOfATitle",
     [](Files* f) { Edit(f, "ExteriorTable", "Comment\tttlKHCOMMENTA", "Comment\xA0\tttlKHCOMMENTA"); },
     {{"ExteriorTable.tsv", 7, S::kWarning, C::kStrayByte, -1, {"no-break space at its end"}}}},
    {"TwinNoBreakSpaceInsideATitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)", "Depth\xA0(mm)"); }, {}},
    {"ZeroWidthSpaceAtTheStartOfATitle",
     [](Files* f) { Edit(f, "ExteriorTable", "Tool\ttoolCheck1", "\xE2\x80\x8BTool\ttoolCheck1"); },
     {{"ExteriorTable.tsv", 4, S::kWarning, C::kStrayByte, -1, {"zero-width space at its start"}}},
     "utf-8"},
    {"ZeroWidthSpaceAloneInACell",
     [](Files* f) { Edit(f, "VariableTable", "Form of the tool column", "\xE2\x80\x8B"); },
     {{"VariableTable.tsv", 2, S::kWarning, C::kStrayByte, -1, {"zero-width space at its start"}}},
     "utf-8"},
    {"LoneCrBetweenRows", [](Files* f) { Edit(f, "ExteriorTable", "ttlKPASSCNT\n", "ttlKPASSCNT\r"); },
     {{"ExteriorTable.tsv", 6, S::kWarning, C::kStrayByte, -1, {"CR without LF"}}}},
    {"TwinCrLfLineEnds", [](Files* f) { Edit(f, "ExteriorTable", "\n", "\r\n"); }, {}},
    {"Utf8InAOneByteCodePage", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)", "Tiefe (\xC3\xA9)"); },
     {{"ExteriorTable.tsv", 5, S::kWarning, C::kEncoding, -1, {"UTF-8", "windows-1252", "byte 8"}}}},
    {"TwinEightBitInAOneByteCodePage", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)", "Tiefe (\xE9)"); }, {}},
    {"EightBitInUtf8", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)", "Tiefe (\xE9)"); },
     {{"ExteriorTable.tsv", 5, S::kWarning, C::kEncoding, -1, {"0xE9", "8-bit"}}},
     "utf-8"},
    // The first and last characters of two bytes as well (U+0080, U+07FF).
    {"TwinUtf8InUtf8", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)", "Tiefe (\xC3\xA9 \xC2\x80\xDF\xBF)"); },
     {}, "utf-8"},
    {"TwoFilesInTwoEncodings",
     [](Files* f) {
         Edit(f, "ExteriorTable", "Depth (mm)", "Tiefe (\xC3\xA9)");
         Edit(f, "SelectionToIntTable", "Choice\tValue", "Auswahl (\xE9)\tValue");
     },
     {{"ExteriorTable.tsv", 5, S::kWarning, C::kEncoding, -1, {"UTF-8", "SelectionToIntTable.tsv"}}}},
    {"TabInAQuotedTitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "\"Depth\t(mm)\"\t"); },
     {{"ExteriorTable.tsv", 5, S::kWarning, C::kControlInText, 3, {"tab"}}}},
    {"TwinQuotedTitle", [](Files* f) { Edit(f, "ExteriorTable", "Depth (mm)\t", "\"Depth (mm)\"\t"); }, {}},
    {"ValueWithADecimalComma", [](Files* f) { Edit(f, "SelectionToIntTable", "clFlood\t1", "clFlood\t1,0"); },
     {{"SelectionToIntTable.tsv", 5, S::kWarning, C::kNotANumber, -1, {"decimal comma", "read as 1"}}}},
    {"ValueWithItsSignAfterIt", [](Files* f) { Edit(f, "SelectionToIntTable", "clOff\t0", "clOff\t0-"); },
     {{"SelectionToIntTable.tsv", 4, S::kWarning, C::kNotANumber, -1, {"sign after", "read as 0"}}}},
    {"TwinValueWithItsSignBeforeIt", [](Files* f) { Edit(f, "SelectionToIntTable", "clOff\t0", "clOff\t-0"); }, {}},
    {"ValueTypedTwice", [](Files* f) { Edit(f, "SelectionToIntTable", "clFlood\t1", "clFlood\t0"); },
     {{"ExteriorTable.tsv", 12, S::kWarning, C::kShadowedChoice, 6, {"\"Flood\"", "\"Off\"", "line 11", "line 5"}},
      // The processes with flood coolant (1) now have a code without a choice.
      {"model.json", 7, S::kWarning, C::kNoChoiceForCode, 6, {"1"}}}},
    // A typo in a value: the code the processes have finds no choice, and
    // the finding names the choice whose value is nearest to it.
    {"ValueTypo", [](Files* f) { Edit(f, "SelectionToIntTable", "clFlood\t1", "clFlood\t11"); },
     {{"model.json", 7, S::kWarning, C::kNoChoiceForCode, 6,
       {"code 1 ", "nearest value that no process has is 11 (\"Flood\", ", "SelectionToIntTable.tsv line 5",
        "the column's choices 0 (\"Off\""}}}},
    // The nearest is the first choice, before another no process has.
    {"ValueTypoInTheFirstChoice",
     [](Files* f) {
         Edit(f, "SelectionToIntTable", "clOff\t0\n", "clOff\t10\n");
         Edit(f, "SelectionToIntTable", "clFlood\t1\n", "clFlood\t1\nclMist\t30\n");
         Edit(f, "ExteriorTable", "Coolant:Flood\tclFlood\n", "Coolant:Flood\tclFlood\nCoolant:Mist\tclMist\n");
     },
     {{"model.json", 14, S::kWarning, C::kNoChoiceForCode, 6,
       {"code 0 ", "nearest value that no process has is 10 (\"Off\", "}}}},
    {"ValueOfNoChoice", [](Files* f) { Edit(f, "SelectionToIntTable", "clFlood\t1\n", "clFlood\t1\nclMist\t30\n"); },
     {{"SelectionToIntTable.tsv", 6, S::kNote, C::kUnusedValue, -1, {"\"clMist\""}}}},
    {"TwinValueOfAChoice",
     [](Files* f) {
         Edit(f, "SelectionToIntTable", "clFlood\t1\n", "clFlood\t1\nclMist\t30\n");
         Edit(f, "ExteriorTable", "Coolant:Flood\tclFlood\n", "Coolant:Flood\tclFlood\nCoolant:Mist\tclMist\n");
     },
     {}},
    {"TwinValuesSwapped",
     [](Files* f) {
         Edit(f, "SelectionToIntTable", "clFlood\t1", "clFlood\tX");
         Edit(f, "SelectionToIntTable", "clOff\t0", "clOff\t1");
         Edit(f, "SelectionToIntTable", "clFlood\tX", "clFlood\t0");
     },
     {}},
    {"PlanCSVTableSavedAsText",
     [](Files* f) {
         (*f)["PlanCSVTable.txt"] = (*f)["PlanCSVTable"];
         f->erase("PlanCSVTable");
     },
     {{"PlanCSVTable.tsv", 1, S::kWarning, C::kMissingTable, -1, {"\"PlanCSVTable.txt\"", "rename"}}}},
    {"OptionFileWithASection", [](Files* f) { Edit(f, "rc_pln2usr.ini", "# Extra", "[Columns]\n# Extra"); },
     {{"rc_pln2usr.ini", 1, S::kWarning, C::kOptionFormat, -1, {"section"}}}},
    {"OptionFileOfSettings", [](Files* f) { Edit(f, "rc_pln2usr.ini", "Coolant", "Coolant=1"); },
     {{"rc_pln2usr.ini", 2, S::kWarning, C::kOptionFormat, -1, {"key=value"}}}},
    {"TwinOptionFileWithASectionInAComment",
     [](Files* f) { Edit(f, "rc_pln2usr.ini", "# Extra", "# [Columns]\n# Extra"); }, {}},
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
    std::string error;
    const std::unique_ptr<TextEncoding> encoding = TextEncoding::Open(GetParam().encoding, &error);
    ASSERT_NE(encoding, nullptr) << error;
    Checker checker("", "model.json", encoding.get());
    checker.Run();
    ExpectFindings(checker.Findings(), GetParam().findings, {C::kNamesNotChecked, C::kModelNotChecked});
    ExpectFormsAgree(checker);
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
