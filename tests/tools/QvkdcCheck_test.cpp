// `qvkdc check`: one small table set and model that check clean, and one row
// per kind of finding: the same set with exactly that mistake, and the
// findings it must give: their places (file folders left out), severities,
// codes and columns, and what their messages name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "TextEncoding.h"
#include "check/Checker.h"
#include "check/StopCheck.h"
#include "entry/QvkdcCreOutputData.h"
#include "platform/DiscardingFileSystem.h"
#include "support/CheckReport.h"
#include "support/HostFixture.h"
#include "support/TestedFindings.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

const char kRemove[] = "<remove>";
const char kFolder[] = "<folder>";

struct Files {
    TableRoot::Tables t;
    std::string option = "Extra\n";
    std::string plan = R"("name": "P1", "machine": {"names": ["M1", "C1"]})";
    std::string process = R"("type": 2411, "name": "Face", "tool": {"type": 1, "state": 1, "name": "T1"},
        "params": {"100": 5, "200": 1, "300": "abc", "400": 2.5})";
    std::string moreProcesses;  // further processes of plan 0, each starting with ","
    std::string more;  // further plans, each starting with ","
    std::string toolTexts = R"("T1": "tool one")";
    std::vector<std::pair<std::string, std::string>> raw;  // table, bytes (or kRemove, kFolder)
    std::vector<int> plans;  // --plans, when not empty

    std::string Model() const {
        return R"({"plans": [{"id": [1, 0, 1, 0], )" + plan + R"(, "processes": [{"id": [1, 1, 1, 0], )" +
               process + "}" + moreProcesses + "]}" + more + R"(], "toolTexts": {)" + toolTexts + "}}";
    }
};

Files Clean() {
    Files s;
    s.t.exterior = {{"N", "itemN"}, {"Mode", "itemMode"}, {"Mode:on", "selOn"}, {"Mode:off", "selOff"},
                    {"Z", "itemZ"}, {"Extra", "itemX"},   {"Tool", "toolCheck1"}};
    s.t.processParameters = {{"itemN", "100", "1"}, {"itemMode", "200", "2"}, {"itemZ", "300", "3"},
                             {"itemX", "400", "9"}, {"toolCheck1", "0", "5"}};
    s.t.parameterSetting = {{"itemN", "Real", "o", "", "Integer"}, {"itemMode", "Select", "", ""},
                            {"itemZ", "String", "", ""},           {"itemX", "Real", "", ""},
                            {"toolCheck1", "String", "", ""}};
    s.t.selectionToInt = {{"selOn", "1"}, {"selOff", "0"}};
    s.t.variable = {{"TS", "", "akw_tls_nm"}};
    s.t.planCsv = {{"1", "itemN"}, {"2", "itemMode"}, {"3", "itemZ"}, {"4", "toolCheck1"}};
    return s;
}

// A second plan with one process of the given type, name and parameters.
std::string Plan(int n, const std::string& name, int type, const std::string& params) {
    const std::string id = std::to_string(n);
    return R"(, {"id": [1, 0, )" + id + R"(, 0], "name": ")" + name + R"(", "processes": [{"id": [1, 1, )" + id +
           R"(, 0], "type": )" + std::to_string(type) + R"(, "name": "F)" + id + R"(", "params": {)" + params + "}}]}";
}

void Replace(std::string* text, const std::string& from, const std::string& to) {
    const std::size_t at = text->find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text->replace(at, from.size(), to);
}

using C = FindingCode;
using S = Severity;

struct Case {
    const char* name;
    void (*mutate)(Files*);
    std::vector<ExpectedFinding> findings;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CheckTest : public HostTest {
 protected:
    // Lays out s, checks it and returns the findings.
    FindingList Check(const Files& s) {
        Root().WriteTables(s.t);
        Root().WriteOptionFile(s.option);
        for (const auto& [table, bytes] : s.raw) {
            const std::string file = "MIRVANE/CAM/KR/Tables/" + table + ".tsv";
            Root().RemoveTable(table);
            if (bytes == kFolder) {
                std::filesystem::create_directory(Root().PathOf(file));
            } else if (bytes != kRemove) {
                Root().WriteFile(file, bytes);
            }
        }
        LoadModel(s.Model());
        ExportCall call;
        call.plansGiven = !s.plans.empty();
        call.plans = s.plans;
        Checker checker("", "model.json", nullptr, call);
        checker.Run();
        ExpectFormsAgree(checker);
        return checker.Findings();
    }

    // Whether the export's table steps fail on the files as they are.
    static bool ExportTableStepsFail() {
        CQvkdcCnvTblCtrl tables;
        return tables.ImpCnvTbl() != 0 || tables.CreColTbl() != 0 || tables.CreSlctTbl() != 0;
    }
    // The status of an export of every plan of the loaded model.
    static int ExportStatus() {
        std::vector<ModelId> plans(static_cast<std::size_t>(QvsimPlanCount()));
        for (std::size_t i = 0; i < plans.size(); ++i) QvsimPlanId(static_cast<int>(i), &plans[i]);
        const int count = static_cast<int>(plans.size());
        DiscardingFileSystem nowhere;
        const ScopedFileSystem scope(&nowhere);
        int status = 0;
        QvkdcCreOutputData(&count, plans.data(), "out", "OUT", &status);
        return status;
    }
};

// Every check without --out notes that the names were not checked.
constexpr std::initializer_list<FindingCode> kWithoutOut = {C::kNamesNotChecked};

TEST_F(CheckTest, CleanSetHasNoFinding) {
    ExpectFindings(Check(Clean()), {}, kWithoutOut);
    EXPECT_FALSE(ExportTableStepsFail());
}

const char kPlan[] = "PlanCSVTable.tsv";
const char kExterior[] = "ExteriorTable.tsv";
const char kKeys[] = "ProcessParametersTable.tsv";
const char kTypes[] = "ParameterSettingTable.tsv";
const char kValues[] = "SelectionToIntTable.tsv";
const char kOption[] = "rc_pln2usr.ini";
const char kModel[] = "model.json";

const Case kCases[] = {
    // Errors: the export would fail, with the line it stops at.
    {"unreadable table", [](Files* s) { s->raw = {{"ProcessParametersTable", kFolder}}; },
     {{kKeys, 1, S::kError, C::kUnreadable, -1, {"\"[ERR] : ProcessParametersTable Open Error\""}}}},
    // The import stops at the first; the second would stop it once that
    // one is mended.
    {"two unreadable tables", [](Files* s) { s->raw = {{"ExteriorTable", kFolder}, {"VariableTable", kFolder}}; },
     {{kExterior, 1, S::kError, C::kUnreadable, -1, {"\"[ERR] : ExternalNameTable Open Error\""}},
      {"VariableTable.tsv", 1, S::kError, C::kUnreadable, -1, {"\"[ERR] : VariableTable Open Error\""}}}},
    // An item with no row in any table is not told unknown while a table
    // it could be in is empty.
    {"ProcessParametersTable empty",
     [](Files* s) {
         s->raw = {{"ProcessParametersTable", ""}};
         s->t.planCsv.push_back({"4", "itemNowhere"});
     },
     {{kKeys, 1, S::kWarning, C::kEmptyFile}, {kPlan, 5, S::kWarning, C::kNoTitle, 4}}},
    {"VariableTable missing", [](Files* s) { s->raw = {{"VariableTable", kRemove}}; },
     {{"VariableTable.tsv", 1, S::kError, C::kMissingTable, -1, {"\"[ERR] : Not import tablefile VariableTable\""}}}},
    // Columns vanish: a warning, which --strict refuses.
    {"PlanCSVTable missing", [](Files* s) { s->raw = {{"PlanCSVTable", kRemove}}; },
     {{kPlan, 1, S::kWarning, C::kMissingTable, -1, {"only the option columns"}}}},
    {"ExteriorTable missing", [](Files* s) { s->raw = {{"ExteriorTable", kRemove}}; },
     {{kPlan, 1, S::kError, C::kMissingTable, -1, {"\"itemN\"", kExterior, "\"[ERR] : Not import tablefile\""}}}},
    // An item with no row in any table is not told unknown while a table
    // it could be in is missing.
    {"ProcessParametersTable missing", [](Files* s) { s->raw = {{"ProcessParametersTable", kRemove}}; },
     {{kPlan, 1, S::kError, C::kMissingTable, -1, {"\"itemN\"", kKeys, "\"[ERR] : _Not import tablefile\""}}}},
    {"ParameterSettingTable missing", [](Files* s) { s->raw = {{"ParameterSettingTable", kRemove}}; },
     {{kPlan, 1, S::kError, C::kMissingTable, -1, {"\"itemN\"", kTypes, "\"[ERR] : _Not import tablefile\""}}}},
    {"ExteriorTable missing, an option title looked up first",
     [](Files* s) {
         s->raw = {{"ExteriorTable", kRemove}};
         s->t.planCsv = {};
     },
     {{"rc_pln2usr.ini", 1, S::kError, C::kMissingTable, -1, {"title \"Extra\"", kExterior}},
      {kPlan, 1, S::kWarning, C::kEmptyFile, -1, {"0 bytes", "only the option columns"}}}},
    {"an always-empty item without a key or a value type",
     [](Files* s) {
         s->t.planCsv.push_back({"5", "comment"});
         s->t.exterior.push_back({"C", "comment"});
     },
     {}},
    {"SelectionToIntTable missing", [](Files* s) { s->raw = {{"SelectionToIntTable", kRemove}}; },
     {{kExterior, 3, S::kError, C::kMissingTable, -1, {"\"Mode:on\"", kValues}}}},
    {"choice without value row", [](Files* s) { s->t.selectionToInt.pop_back(); },
     {{kExterior, 4, S::kError, C::kMissingChoiceValue, -1, {"\"Mode:off\"", "\"selOff\""}}}},
    {"short PlanCSVTable row", [](Files* s) { s->t.planCsv[1] = {"itemMode"}; },
     {{kPlan, 2, S::kError, C::kShortRow, -1, {"1 cell;", "cell 2"}}}},
    {"short ProcessParametersTable row", [](Files* s) { s->t.processParameters[2] = {"itemZ", "300"}; },
     {{kKeys, 3, S::kError, C::kShortRow, -1, {"2 cells", "item \"itemZ\"", "cell 3"}}}},
    {"short ParameterSettingTable row", [](Files* s) { s->t.parameterSetting[2] = {"itemZ", "String", ""}; },
     {{kTypes, 3, S::kError, C::kShortRow, -1, {"3 cells", "\"itemZ\"", "cell 4"}}}},
    {"short choice row", [](Files* s) { s->t.exterior[3] = {"Mode:off"}; },
     {{kExterior, 4, S::kError, C::kShortRow, -1, {"1 cell;", "\"Mode:off\"", "cell 2"}}}},
    // The selection walk passes the one-cell row (no ":") and stops at it as
    // the item row of the next choice: the row found, not the row walked.
    {"one-cell item row of a choice", [](Files* s) { s->t.exterior[1] = {"Mode"}; },
     {{kExterior, 2, S::kError, C::kShortRow, -1, {"\"Mode:on\"", "cell 2"}},
      {kPlan, 2, S::kWarning, C::kNoTitle, 1, {"\"itemMode\""}}}},
    {"short option title row", [](Files* s) { s->t.exterior[5] = {"Extra"}; },
     {{kExterior, 6, S::kError, C::kShortRow, -1, {"title \"Extra\"", "cell 2"}}}},
    {"short value row", [](Files* s) { s->t.selectionToInt[0] = {"selOn"}; },
     {{kValues, 1, S::kError, C::kShortRow, -1, {"\"selOn\"", "cell 2"}}}},

    // Warnings: empty or wrong cells.
    {"item without title", [](Files* s) { s->t.exterior.erase(s->t.exterior.begin() + 4); },
     {{kPlan, 3, S::kWarning, C::kNoTitle, 2, {"\"itemZ\""}}}},
    // A table set begun with heading rows only: the titles' row names the
    // same word as the heading of the first column.
    {"heading row over no rows",
     [](Files* s) {
         s->t.planCsv = {{"No", "Item"}};
         s->t.exterior.insert(s->t.exterior.begin(), {"Title", "Item"});
     },
     {{kPlan, 1, S::kWarning, C::kHeadingRow, 0, {"\"No\\tItem\""}}}},
    {"heading row over one numbered row, no option column",
     [](Files* s) {
         s->t.planCsv = {{"No", "Item"}, {"1", "itemN"}};
         s->option.clear();
     },
     {{kPlan, 1, S::kWarning, C::kHeadingRow, 0, {"\"No\\tItem\""}}}},
    {"heading row over no rows, named by the keys' heading",
     [](Files* s) {
         s->t.planCsv = {{"No", "Item"}};
         s->t.processParameters.insert(s->t.processParameters.begin(), {"Item", "Key", "Priority"});
     },
     {{kPlan, 1, S::kWarning, C::kHeadingRow, 0, {"\"No\\tItem\""}}}},
    {"unknown item in the first column", [](Files* s) { s->t.planCsv[0][1] = "itemQ"; },
     {{kPlan, 1, S::kWarning, C::kUnknownItem, 0, {"\"itemQ\""}}}},
    // The item of a column is never the hint for another: it has its rows.
    {"unknown item beside the first column's",
     [](Files* s) { s->t.planCsv.push_back({"5", "itemNN"}); },
     {{kPlan, 5, S::kWarning, C::kUnknownItem, 4, {"\"itemNN\"", "!\"itemN\""}}}},
    {"item without key row beside the first column's",
     [](Files* s) {
         s->t.planCsv.push_back({"5", "itemNN"});
         s->t.exterior.push_back({"NN", "itemNN"});
         s->t.parameterSetting.push_back({"itemNN", "Real", "", ""});
     },
     {{kPlan, 5, S::kWarning, C::kNoKey, 4, {"\"itemNN\"", "!\"itemN\""}}}},
    {"item whose key row is misspelt", [](Files* s) { s->t.processParameters[2][0] = "itmZ"; },
     {{kPlan, 3, S::kWarning, C::kNoKey, 2, {"\"itemZ\"", "\"itmZ\""}}}},
    {"item without key row", [](Files* s) { s->t.processParameters.erase(s->t.processParameters.begin() + 2); },
     {{kPlan, 3, S::kWarning, C::kNoKey, 2, {"\"itemZ\""}}}},
    {"item without value type row",
     [](Files* s) { s->t.parameterSetting.erase(s->t.parameterSetting.begin() + 2); },
     {{kPlan, 3, S::kWarning, C::kNoValueType, 2, {"\"itemZ\""}}}},
    {"item listed twice", [](Files* s) { s->t.planCsv.push_back({"5", "itemN"}); },
     {{kPlan, 5, S::kWarning, C::kDuplicateColumn, 4, {"\"itemN\"", "line 1"}}}},
    {"key 999999", [](Files* s) { s->t.processParameters[2][1] = "999999"; },
     {{kKeys, 3, S::kWarning, C::kNoKey, 2, {"\"itemZ\"", "999999"}}}},
    {"value type in lower case", [](Files* s) { s->t.parameterSetting[3][1] = "real"; },
     {{kTypes, 4, S::kWarning, C::kUnknownKeyword, 4, {"\"real\"", "\"Real\""}}}},
    {"sub type misspelt", [](Files* s) { s->t.parameterSetting[0][4] = "Interger"; },
     {{kTypes, 1, S::kWarning, C::kUnknownKeyword, 0, {"\"Interger\"", "\"Integer\""}},
      {kModel, 1, S::kWarning, C::kParamKind, 0, {"\"N\"", "an integer", "\"Face\""}}}},
    {"value type without text form", [](Files* s) { s->t.parameterSetting[2][1] = "GroupName"; },
     {{kTypes, 3, S::kWarning, C::kNoTextForm, 2, {"\"GroupName\""}}}},
    // What no cell depends on is not told.
    {"no value type of an item with a converter of its own", [](Files* s) { s->t.parameterSetting[4][1] = ""; }, {}},
    {"a sub type without a value type", [](Files* s) { s->t.parameterSetting[0][1] = ""; }, {}},
    {"an always-empty item beside the item it seems to mean, in the first column",
     [](Files* s) {
         s->t.planCsv = {{"1", "toolCheck1"}, {"2", "itemN"}, {"3", "itemMode"}, {"4", "itemZ"}, {"5", "toolCheck2"}};
         s->t.exterior.push_back({"Tool 2", "toolCheck2"});
         s->t.processParameters.push_back({"toolCheck2", "0", "6"});
     },
     {}},
    {"capital mark", [](Files* s) { s->t.parameterSetting[0][2] = "O"; },
     {{kTypes, 1, S::kWarning, C::kBadMark, 0, {"blank mark \"O\""}}}},
    {"mark after a blank", [](Files* s) { s->t.parameterSetting[1][3] = " o"; },
     {{kTypes, 2, S::kWarning, C::kBadMark, 1, {"repeat mark \" o\""}}}},
    {"duplicate key", [](Files* s) { s->t.processParameters.push_back({"itemN", "101", "1"}); },
     {{kKeys, 6, S::kWarning, C::kDuplicateKey, -1, {"\"itemN\"", "line 1"}}}},
    {"duplicate value type row", [](Files* s) { s->t.parameterSetting.push_back({"itemZ", "Real", "", ""}); },
     {{kTypes, 6, S::kWarning, C::kDuplicateKey, -1, {"\"itemZ\"", "line 3"}}}},
    {"duplicate title and item in ExteriorTable",
     [](Files* s) { s->t.exterior.insert(s->t.exterior.end(), {{"Mode:on", "selOn"}, {"N", "itemQ"}, {"Q", "itemN"}}); },
     {{kExterior, 9, S::kWarning, C::kDuplicateKey, -1, {"\"N\"", "line 1"}},
      {kExterior, 10, S::kWarning, C::kDuplicateKey, -1, {"\"itemN\"", "line 1"}}}},
    {"unknown option title", [](Files* s) { s->option = "Extr\n"; },
     {{kOption, 1, S::kWarning, C::kUnknownTitle, -1, {"\"Extr\"", "\"Extra\""}}}},
    {"repeated option title", [](Files* s) { s->option = "Extra\n  Extra # again\n"; },
     {{kOption, 2, S::kWarning, C::kRepeatedTitle, -1, {"\"Extra\"", "line 1"}}}},
    {"option title of a standard column", [](Files* s) { s->option = "Extra\nN\n"; },
     {{kOption, 2, S::kWarning, C::kStandardTitle, 0, {"\"N\"", "line 1"}}}},
    {"Select column without choices",
     [](Files* s) { s->t.exterior.erase(s->t.exterior.begin() + 2, s->t.exterior.begin() + 4); },
     {{kPlan, 2, S::kWarning, C::kNoChoices, 1, {"\"Mode\""}}}},
    {"choice of no item", [](Files* s) { s->t.exterior[3][0] = "Mood:off"; },
     {{kExterior, 4, S::kWarning, C::kOrphanChoice, -1, {"\"Mood:off\"", "\"Mood\""}}}},
    {"value with trailing letters", [](Files* s) { s->t.selectionToInt[0][1] = "12abc"; },
     {{kValues, 1, S::kWarning, C::kNotANumber, -1, {"\"12abc\"", "as 12"}},
      {kModel, 1, S::kWarning, C::kNoChoiceForCode, 1, {"\"Mode\"", "code 1 "}}}},
    {"value that is a word", [](Files* s) { s->t.selectionToInt[1][1] = "abc"; },
     {{kValues, 2, S::kWarning, C::kNotANumber, -1, {"\"abc\"", "as 0"}}}},
    {"no tool-set form", [](Files* s) { s->t.variable[0][2] = "akw_unit"; },
     {{kPlan, 4, S::kWarning, C::kNoToolSetForm, 3, {"\"Tool\""}}}},
    {"no tool-set form for the first column",
     [](Files* s) {
         s->t.variable[0][2] = "akw_unit";
         std::rotate(s->t.planCsv.begin(), s->t.planCsv.begin() + 3, s->t.planCsv.end());
     },
     {{kPlan, 1, S::kWarning, C::kNoToolSetForm, 0, {"\"Tool\""}}}},
    // A first row whose item has the first title and value type rows, of a
    // value type keyword, is a column, not a heading row.
    {"a first column without a key",
     [](Files* s) {
         s->t.planCsv.insert(s->t.planCsv.begin(), {"9", "itemQ"});
         s->t.exterior.insert(s->t.exterior.begin(), {"Q", "itemQ"});
         s->t.parameterSetting.insert(s->t.parameterSetting.begin(), {"itemQ", "Real", "", ""});
     },
     {{kPlan, 1, S::kWarning, C::kNoKey, 0, {"\"itemQ\""}}}},
    {"comma in a choice text", [](Files* s) { s->t.exterior[2][0] = "Mode:on, fast"; },
     {{kExterior, 3, S::kError, C::kUnquotedText, 1, {"\"on, fast\"", "comma"}}}},
    {"comma in a choice text of the first column",
     [](Files* s) {
         s->t.exterior[2][0] = "Mode:on, fast";
         std::swap(s->t.planCsv[0], s->t.planCsv[1]);
     },
     {{kExterior, 3, S::kError, C::kUnquotedText, 0, {"\"on, fast\"", "comma"}}}},
    {"comma in a choice of a second item",
     [](Files* s) {
         s->t.exterior.push_back({"Z:a,b", "selZ"});
         s->t.selectionToInt.push_back({"selZ", "5"});
     },
     {{kExterior, 8, S::kError, C::kUnquotedText, 2, {"\"a,b\""}}}},
    {"quote in a title", [](Files* s) { s->t.exterior[0][0] = "N \"x\""; },
     {{kExterior, 1, S::kError, C::kUnquotedText, 0, {"double quote"}}}},

    // Files the export misreads without a word.
    {"empty table", [](Files* s) { s->raw = {{"ExteriorTable", ""}}; },
     {{kExterior, 1, S::kWarning, C::kEmptyFile, -1, {"0 bytes", "empty title"}}}},
    {"SelectionToIntTable empty",
     [](Files* s) {
         s->raw = {{"SelectionToIntTable", ""}};
         s->t.exterior.erase(s->t.exterior.begin() + 2, s->t.exterior.begin() + 4);
     },
     {{kValues, 1, S::kWarning, C::kEmptyFile, -1, {"0 bytes", "no choice has a value"}},
      {kPlan, 2, S::kWarning, C::kNoChoices, 1, {"\"Mode\""}}}},
    {"scan angle column without choices",
     [](Files* s) {
         s->t.planCsv.push_back({"5", "ttlKSCNANGDECTYP"});
         s->t.exterior.push_back({"Scan", "ttlKSCNANGDECTYP"});
         s->t.processParameters.push_back({"ttlKSCNANGDECTYP", "500", "5"});
         s->t.parameterSetting.push_back({"ttlKSCNANGDECTYP", "Select", "", ""});
     },
     {{kPlan, 5, S::kWarning, C::kNoChoices, 4, {"\"Scan\""}}}},
    {"ParameterSettingTable of blank lines", [](Files* s) { s->raw = {{"ParameterSettingTable", "\n\n"}}; },
     {{kTypes, 1, S::kWarning, C::kEmptyFile, -1, {"no row", "no column has a value type"}}}},
    // The tool column's missing form follows from the empty file: not told.
    {"empty VariableTable", [](Files* s) { s->raw = {{"VariableTable", ""}}; },
     {{"VariableTable.tsv", 1, S::kWarning, C::kEmptyFile, -1, {"0 bytes", "tool-set form"}}}},
    {"UTF-16 table", [](Files* s) { s->raw = {{"PlanCSVTable", std::string("\xFF\xFE" "1\0\t\0i\0\n\0", 10)}}; },
     {{kPlan, 1, S::kError, C::kUtf16, -1, {"\"[ERR] : NeccesaryItemTabel Open Error\""}}}},
    // Without a mark: a NUL beside every character, in either byte order,
    // from the smallest file that shows it.
    {"UTF-16 table without a mark", [](Files* s) { s->raw = {{"VariableTable", std::string("T\0S\0", 4)}}; },
     {{"VariableTable.tsv", 1, S::kWarning, C::kUtf16}}},
    {"UTF-16 big-endian table without a mark",
     [](Files* s) { s->raw = {{"SelectionToIntTable", std::string("\0s\0e\0l\0\t\0" "1\0\n", 12)}}; },
     {{kExterior, 3, S::kError, C::kMissingChoiceValue, -1, {"\"Mode:on\""}}, {kValues, 1, S::kWarning, C::kUtf16}}},
    {"UTF-16 option file", [](Files* s) { s->option = std::string("\xFF\xFE" "E\0x\0\n\0", 8); },
     {{kOption, 1, S::kWarning, C::kUtf16}}},
    {"CR-only option file", [](Files* s) { s->option = "Extra\rN\r"; },
     {{kOption, 1, S::kWarning, C::kCrLineEnds}}},
    // One LF makes it lines the option reader splits.
    {"option file of CR lines and one LF", [](Files* s) { s->option = "# extra columns\rExtra\n"; }, {}},
    {"NUL byte in a table line", [](Files* s) { s->t.processParameters[3][2] = std::string("9\0x", 3); },
     {{kKeys, 4, S::kWarning, C::kNulByte}}},
    {"NUL byte in an option line", [](Files* s) { s->option = std::string("# x\nExtra\0junk\n", 16); },
     {{kOption, 2, S::kWarning, C::kNulByte}}},
    {"Ctrl-Z in the option file", [](Files* s) { s->option = "Extra\n\x1A\n"; },
     {{kOption, 2, S::kWarning, C::kCtrlZ}}},
    // The same beyond the first block the file is read in.
    {"NUL byte after many lines",
     [](Files* s) {
         std::string lines;
         for (int i = 0; i < 9000; ++i) lines += "# line " + std::to_string(i) + "\n";
         s->option = lines + std::string("Extra\0junk\n", 11);
     },
     {{kOption, 9001, S::kWarning, C::kNulByte}}},
    {"CR-only option file whose text follows a block of CRs",
     [](Files* s) { s->option = std::string(1 << 16, '\r') + "Extra"; },
     {{kOption, 1, S::kWarning, C::kCrLineEnds}}},
    // What the readers take as they are: no finding.
    {"byte-order mark before the option file", [](Files* s) { s->option = "\xEF\xBB\xBF" "Extra\n"; }, {}},
    {"CR-only table", [](Files* s) { s->raw = {{"PlanCSVTable", "1\titemN\r2\titemMode\r3\titemZ\r4\ttoolCheck1\r"}}; },
     {}},

    // The model against the tables.
    {"rejected plan", [](Files* s) { Replace(&s->process, "2411", "2418"); },
     {{kModel, 1, S::kNote, C::kRejectedPlan, -1, {"plan 0 \"P1\"", "\"Face\"", "2418"}}}},
    {"rejected plan without machine",
     [](Files* s) {
         Replace(&s->process, "2411", "2418");
         s->more = Plan(2, "P2", 2423, "");
     },
     {{kModel, 1, S::kNote, C::kRejectedPlan, -1, {"plan 0 \"P1\""}},
      {kModel, 2, S::kNote, C::kRejectedPlan, -1, {"plan 1 \"P2\"", "\"F2\"", "2423"}},
      {kModel, 2, S::kWarning, C::kNoMachine, -1, {"plan 1 \"P2\"", "\"M1\"", "\"C1\""}}}},
    {"cells of a plan rejected by a later process",
     [](Files* s) {
         Replace(&s->process, R"(, "400": 2.5)", "");
         s->moreProcesses = R"(, {"id": [1, 1, 2, 0], "type": 2418, "name": "Swarf"})";
     },
     {{kModel, 2, S::kNote, C::kRejectedPlan, -1, {"\"Swarf\""}}}},
    {"--plans that selects only a rejected plan",
     [](Files* s) {
         s->more = Plan(2, "P2", 2418, "");
         s->plans = {1};
     },
     {{kModel, 2, S::kNote, C::kRejectedPlan, -1, {"plan 1 \"P2\""}},
      {kModel, 2, S::kWarning, C::kNoMachine, -1, {"plan 1 \"P2\""}},
      {kModel, 1, S::kWarning, C::kPlanSelection, -1, {"none of the plans"}}}},
    {"--plans that lists a plan twice", [](Files* s) { s->plans = {0, 0}; },
     {{kModel, 1, S::kWarning, C::kPlanSelection, -1, {"plan 0 more than once"}}}},
    {"plans of one name", [](Files* s) { s->more = Plan(2, "P1", 2411, R"("100": 1, "200": 0, "300": "x")"); },
     {{kModel, 2, S::kWarning, C::kSameFile, -1, {"plan 1 \"P1\"", "plan 0 \"P1\""}},
      {kModel, 2, S::kNote, C::kMissingParam, 4, {"\"Extra\"", "1 of 2 processes has", "\"F2\"", "P1\"; its cell stays"}}}},
    {"plan name with a path", [](Files* s) { Replace(&s->plan, "P1", "../P1"); },
     {{kModel, 1, S::kWarning, C::kPathInName, -1, {"\"../P1\"", "outside"}}}},
    {"plan name that climbs back into the folder", [](Files* s) { Replace(&s->plan, "P1", "x/../P1"); },
     {}},
    {"parameter no process holds", [](Files* s) { Replace(&s->process, R"(, "400": 2.5)", ""); },
     {{kModel, 1, S::kWarning, C::kMissingParam, 4, {"\"Extra\"", "key 400", "its one process"}}}},
    {"the first column's parameter missing in one of two plans",
     [](Files* s) {
         Replace(&s->process, R"("100": 5, )", "");
         s->more = Plan(2, "P2", 2411, R"("100": 1, "200": 0, "300": "x", "400": 1.5)");
     },
     {{kModel, 1, S::kNote, C::kMissingParam, 0, {"\"N\"", "1 of 2 processes"}}}},
    {"integer in a Real column", [](Files* s) { Replace(&s->process, "2.5", "3"); },
     {{kModel, 1, S::kWarning, C::kParamKind, 4, {"\"Extra\"", "an integer"}}}},
    {"integer in a Real column, in three processes",
     [](Files* s) {
         Replace(&s->process, "2.5", "3");
         for (const char* k : {"2", "3"}) {
             s->moreProcesses += std::string(R"(, {"id": [1, 1, )") + k +
                                 R"(, 0], "type": 2411, "params": {"100": 5, "200": 1, "300": "abc", "400": 4}})";
         }
     },
     {{kModel, 1, S::kWarning, C::kParamKind, 4, {"\"Extra\"", "(and 2 more)"}}}},
    {"text in an Integer column", [](Files* s) { Replace(&s->process, R"("100": 5)", R"("100": "5")"); },
     {{kModel, 1, S::kWarning, C::kParamKind, 0, {"\"N\"", "a text", "value type Integer prints"}}}},
    {"code without choice", [](Files* s) { Replace(&s->process, R"("200": 1)", R"("200": 7)"); },
     {{kModel, 1, S::kWarning, C::kNoChoiceForCode, 1, {"\"Mode\"", "code 7 "}}}},
    {"tool type without choice",
     [](Files* s) {
         s->t.planCsv.push_back({"5", "toolType1"});
         s->t.exterior.insert(s->t.exterior.end(), {{"Tool type", "toolType1"}, {"Tool type:Mill", "tlMill"}});
         s->t.selectionToInt.push_back({"tlMill", "2"});
     },
     {{kModel, 1, S::kWarning, C::kNoChoiceForCode, 4, {"\"Tool type\"", "code 1 "}}}},
    {"long tool name",
     [](Files* s) {
         Replace(&s->process, "\"T1\"", "\"FACEMILL-D50-Z5X\"");
         s->toolTexts = R"("FACEMILL-D50-Z5X": "face mill")";
     },
     {{kModel, 1, S::kWarning, C::kLongToolName, 3, {"\"FACEMILL-D50-Z5X\"", "\"FACEMILL-D50-Z5\""}}}},
    {"an item with a key row only", [](Files* s) {
         s->t.planCsv.push_back({"5", "itemQ"});
         s->t.processParameters.push_back({"itemQ", "500", "1"});
     },
     {{kPlan, 5, S::kWarning, C::kNoTitle, 4, {"\"itemQ\""}},
      {kPlan, 5, S::kWarning, C::kNoValueType, 4, {"\"itemQ\""}}}},
    {"the process type, whose key needs no row", [](Files* s) {
         s->t.planCsv.push_back({"5", "processType"});
         s->t.exterior.push_back({"Type", "processType"});
         s->t.exterior.push_back({"Type:Face", "selFace"});
         s->t.selectionToInt.push_back({"selFace", "2411"});
         s->t.parameterSetting.push_back({"processType", "Select", "", ""});
         Replace(&s->process, R"("100": 5)", R"("100": 5, "1011": 2411)");
     },
     {}},
    {"comma in a plan name", [](Files* s) {
         Replace(&s->plan, "P1", "P1, rev B");
         s->t.planCsv.insert(s->t.planCsv.begin(), {"5", "planName"});  // the first column
         s->t.exterior.push_back({"Plan", "planName"});
     },
     {{kModel, 1, S::kError, C::kUnquotedText, 0, {"\"P1, rev B\"", "comma"}}}},
};

class CheckCaseTest : public CheckTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CheckCaseTest, GivesExactlyItsFindings) {
    Files s = Clean();
    GetParam().mutate(&s);
    std::vector<ExpectedFinding> expected = GetParam().findings;
    bool tableError = false;
    for (const ExpectedFinding& f : expected) {
        tableError |= f.severity == S::kError && !FindingCodeOf(f.code).exportFinishes;
    }
    if (tableError) expected.push_back({kModel, 1, S::kNote, C::kModelNotChecked});
    ExpectFindings(Check(s), expected, kWithoutOut);
    // The check calls an error exactly where the export's table steps fail.
    EXPECT_EQ(ExportTableStepsFail(), tableError);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    std::string name;
    for (const char* p = param.param.name; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Findings, CheckCaseTest, ::testing::ValuesIn(kCases), CaseName);

// Models on which the export fails: the check meets each failure where the
// export does, because it runs the export.
void AddColumn(Files* s, const std::string& item, const std::string& title) {
    s->t.planCsv.push_back({"5", item});
    s->t.exterior.push_back({title, item});
}

const Case kFailures[] = {
    // The wording is the point of the first row: the one message names the
    // plan, the process, the column with its row, the host call's answer
    // and the export's error line, so it is held whole.
    {"conversion fails before a rejecting process",
     [](Files* s) {
         Replace(&s->process, R"("300": "abc")", R"("300": {"status": -2})");
         s->moreProcesses = R"(, {"id": [1, 1, 2, 0], "type": 2418, "name": "Swarf"})";
     },
     {{kModel, 1, S::kError, C::kModelFails, 2,
       {"plan 0 \"P1\", process \"Face\", column 3 \"Z\" (MIRVANE/CAM/KR/Tables/PlanCSVTable.tsv:3): the "
        "parameter 300 answers the status -2 (QvlbpPrcInqPrm); the export stops there with \"[ERR] : CnvPrcsVal\""}}}},
    {"plan name the host cannot give",
     [](Files* s) {
         AddColumn(s, "planName", "Plan");
         s->plan += R"(, "faults": ["QdgmRetIdnamLN"])";
     },
     {{kModel, 1, S::kError, C::kModelFails, 4,
       {"column 5 \"Plan\"", "the plan's name", "QdgmRetIdnamLN", "\"[ERR] : CnvPlanNam\""}}}},
    {"plan of the process the host cannot give",
     [](Files* s) {
         AddColumn(s, "planName", "Plan");
         s->process += R"(, "faults": ["QdgmRetLstRM"])";
     },
     {{kModel, 1, S::kError, C::kModelFails, 4, {"column 5 \"Plan\"", "QdgmRetLstRM", "\"[ERR] : CnvPlanNam\""}}}},
    {"process name the host cannot give",
     [](Files* s) {
         AddColumn(s, "ttlKHNAMEA", "Name");
         s->process += R"(, "faults": ["QdgmRetIdnamLN"])";
     },
     {{kModel, 1, S::kError, C::kModelFails, 4,
       {"process 1 1 1 0", "the process's name", "QdgmRetIdnamLN", "\"[ERR] : CnvPrcsNam\""}}}},
    {"conversion fails at the first column",
     [](Files* s) { Replace(&s->process, R"("100": 5)", R"("100": {"status": -2})"); },
     {{kModel, 1, S::kError, C::kModelFails, 0, {"column 1 \"N\"", "\"[ERR] : CnvPrcsVal\""}}}},
    {"tool text with a negative status", [](Files* s) { s->toolTexts = R"("T1": {"status": -3})"; },
     {{kModel, 1, S::kError, C::kModelFails, 3, {"-3", "\"T1\"", "QvptfInqLnN", "\"[ERR] : CnvToolCheck1\""}}}},
    {"local coordinate column with key 0",
     [](Files* s) {
         AddColumn(s, "ttlLCLPHGT", "Height");
         s->t.parameterSetting.push_back({"ttlLCLPHGT", "Real", "", ""});
         Replace(&s->process, R"("400": 2.5)", R"("400": 2.5, "0": {"status": -1})");
     },
     {{kPlan, 5, S::kWarning, C::kNoKey, 4, {"\"ttlLCLPHGT\""}},
      {kModel, 1, S::kError, C::kModelFails, 4, {"parameter 0 ", "\"[ERR] : CnvLCLPVal\""}}}},
    {"every failing plan is told",
     [](Files* s) {
         s->process += R"(, "faults": ["QdgmGetPrcs"])";
         s->more = Plan(2, "P2", 2411, R"("100": 1, "200": 0, "300": "x", "400": {"status": 5})");
     },
     {{kModel, 1, S::kError, C::kModelFails, -1, {"plan 0 \"P1\"", "QdgmGetPrcs", "\"[ERR] : QdgmGetPrcs\""}},
      {kModel, 2, S::kError, C::kModelFails, 4,
       {"plan 1 \"P2\"", "rc_pln2usr.ini:1)", "status 5", "\"[ERR] : CnvPrcsVal\""}}}},
};

const bool kRowsTested = [] {
    for (const Case& c : kCases) TestRowsExpect(c.findings);
    for (const Case& c : kFailures) TestRowsExpect(c.findings);
    return TestRowsExpect({C::kModelNotChecked, C::kNamesNotChecked, C::kExportFails});
}();

class ModelFailureTest : public CheckTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ModelFailureTest, CheckErrsWhereTheExportFails) {
    Files s = Clean();
    GetParam().mutate(&s);
    ExpectFindings(Check(s), GetParam().findings, kWithoutOut);
    EXPECT_LT(ExportStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Models, ModelFailureTest, ::testing::ValuesIn(kFailures), CaseName);

}  // namespace
