// `qvkdc check`: one small table set and model that check clean, and one row
// per kind of finding: the same set with exactly that mistake, and the
// finding lines it must give (file folders left out).
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "TextEncoding.h"
#include "check/Checker.h"
#include "check/FindingCodes.h"
#include "check/StopCheck.h"
#include "report/TextReport.h"
#include "entry/QvkdcCreOutputData.h"
#include "platform/DiscardingFileSystem.h"
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

struct Case {
    const char* name;
    void (*mutate)(Files*);
    std::vector<std::string> findings;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CheckTest : public HostTest {
 protected:
    // Lays out s, checks it and returns the finding lines without folders.
    std::vector<std::string> Check(const Files& s) {
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
        Checker checker("", "model.json");
        checker.Run();
        std::vector<std::string> lines;
        for (const Finding& f : checker.Findings().All()) {
            EXPECT_NE(FindFindingCode(f.code), nullptr) << f.code << " is not in the list of finding codes";
            if (f.code == "names-not-checked") continue;  // every check without --out
            std::string line = FindingLine(f);
            for (const char* folder : {"MIRVANE/CAM/KR/Tables/", "MIRVANE/user/cam/nccust/"}) {
                for (std::size_t at; (at = line.find(folder)) != std::string::npos;) {
                    line.erase(at, std::string(folder).size());
                }
            }
            lines.push_back(line);
        }
        return lines;
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

TEST_F(CheckTest, CleanSetHasNoFinding) {
    EXPECT_EQ(Check(Clean()), std::vector<std::string>());
    EXPECT_FALSE(ExportTableStepsFail());
}

const Case kCases[] = {
    // Errors: the export would fail.
    {"unreadable table", [](Files* s) { s->raw = {{"ProcessParametersTable", kFolder}}; },
     {"ProcessParametersTable.tsv:1: error: the file is there but cannot be read (is a folder); the export "
      "fails at it with \"[ERR] : ProcessParametersTable Open Error\" [unreadable]"}},
    {"VariableTable missing", [](Files* s) { s->raw = {{"VariableTable", kRemove}}; },
     {"VariableTable.tsv:1: error: the file is missing; the export stops with "
      "\"[ERR] : Not import tablefile VariableTable\" [missing-table]"}},
    {"ExteriorTable missing", [](Files* s) { s->raw = {{"ExteriorTable", kRemove}}; },
     {"PlanCSVTable.tsv:1: error: item \"itemN\" is looked up in ExteriorTable.tsv, which is missing; the "
      "export stops here with \"[ERR] : Not import tablefile\" [missing-table]"}},
    {"ProcessParametersTable missing", [](Files* s) { s->raw = {{"ProcessParametersTable", kRemove}}; },
     {"PlanCSVTable.tsv:1: error: item \"itemN\" is looked up in ProcessParametersTable.tsv, which is "
      "missing; the export stops here with \"[ERR] : _Not import tablefile\" [missing-table]"}},
    {"ParameterSettingTable missing", [](Files* s) { s->raw = {{"ParameterSettingTable", kRemove}}; },
     {"PlanCSVTable.tsv:1: error: item \"itemN\" is looked up in ParameterSettingTable.tsv, which is "
      "missing; the export stops here with \"[ERR] : _Not import tablefile\" [missing-table]"}},
    {"SelectionToIntTable missing", [](Files* s) { s->raw = {{"SelectionToIntTable", kRemove}}; },
     {"ExteriorTable.tsv:3: error: the choice \"Mode:on\" is looked up in SelectionToIntTable.tsv, which is "
      "missing; the export stops here with \"[ERR] : Not import tablefile\" [missing-table]"}},
    {"choice without value row", [](Files* s) { s->t.selectionToInt.pop_back(); },
     {"ExteriorTable.tsv:4: error: the choice \"Mode:off\" has no row \"selOff\" in SelectionToIntTable.tsv; "
      "the export stops here with \"[ERR] : Not import tablefile\" [missing-choice-value]"}},
    {"short PlanCSVTable row", [](Files* s) { s->t.planCsv[1] = {"itemMode"}; },
     {"PlanCSVTable.tsv:2: error: the row has 1 cell; the export reads the item from cell 2 and stops here "
      "[short-row]"}},
    {"short ProcessParametersTable row", [](Files* s) { s->t.processParameters[2] = {"itemZ", "300"}; },
     {"ProcessParametersTable.tsv:3: error: the row has 2 cells; the export reads the priority of item "
      "\"itemZ\" from cell 3 and stops here [short-row]"}},
    {"short ParameterSettingTable row", [](Files* s) { s->t.parameterSetting[2] = {"itemZ", "String", ""}; },
     {"ParameterSettingTable.tsv:3: error: the row has 3 cells; the export reads the repeat mark of item "
      "\"itemZ\" from cell 4 and stops here [short-row]"}},
    {"short choice row", [](Files* s) { s->t.exterior[3] = {"Mode:off"}; },
     {"ExteriorTable.tsv:4: error: the row has 1 cell; the export reads the internal name of the choice "
      "\"Mode:off\" from cell 2 and stops here [short-row]"}},
    // The selection walk passes the one-cell row (no ":") and stops at it as
    // the item row of the next choice: the row found, not the row walked.
    {"one-cell item row of a choice", [](Files* s) { s->t.exterior[1] = {"Mode"}; },
     {"ExteriorTable.tsv:2: error: the row has 1 cell; the export reads the item of the choice \"Mode:on\" "
      "from cell 2 and stops here [short-row]",
      "PlanCSVTable.tsv:2: warning: item \"itemMode\" has no title in ExteriorTable.tsv; its header cell is "
      "empty [no-title]"}},
    {"short value row", [](Files* s) { s->t.selectionToInt[0] = {"selOn"}; },
     {"SelectionToIntTable.tsv:1: error: the row has 1 cell; the export reads the value of the choice "
      "\"selOn\" from cell 2 and stops here [short-row]"}},

    // Warnings: empty or wrong cells.
    {"item without title", [](Files* s) { s->t.exterior.erase(s->t.exterior.begin() + 4); },
     {"PlanCSVTable.tsv:3: warning: item \"itemZ\" has no title in ExteriorTable.tsv; its header cell is "
      "empty [no-title]"}},
    {"item without key row", [](Files* s) { s->t.processParameters.erase(s->t.processParameters.begin() + 2); },
     {"PlanCSVTable.tsv:3: warning: item \"itemZ\" has no row in ProcessParametersTable.tsv; its key is 0 "
      "and its cells stay empty [no-key]"}},
    {"item without value type row",
     [](Files* s) { s->t.parameterSetting.erase(s->t.parameterSetting.begin() + 2); },
     {"PlanCSVTable.tsv:3: warning: item \"itemZ\" has no row in ParameterSettingTable.tsv; it has no value type; "
      "its cells stay empty [no-value-type]"}},
    {"item listed twice", [](Files* s) { s->t.planCsv.push_back({"5", "itemN"}); },
     {"PlanCSVTable.tsv:5: warning: item \"itemN\" is listed again (first at line 1); the files get two equal "
      "columns [duplicate-column]"}},
    {"key 999999", [](Files* s) { s->t.processParameters[2][1] = "999999"; },
     {"ProcessParametersTable.tsv:3: warning: item \"itemZ\" has the key 999999, which the host is never asked "
      "for; its cells stay empty [no-key]"}},
    {"value type in lower case", [](Files* s) { s->t.parameterSetting[3][1] = "real"; },
     {"ParameterSettingTable.tsv:4: warning: unknown value type \"real\" of item \"itemX\" (did you mean "
      "\"Real\"?); its cells stay empty [unknown-keyword]"}},
    {"sub type misspelt", [](Files* s) { s->t.parameterSetting[0][4] = "Interger"; },
     {"ParameterSettingTable.tsv:1: warning: unknown sub type \"Interger\" of item \"itemN\" (did you mean "
      "\"Integer\"?); it is ignored [unknown-keyword]",
      "model.json:1: warning: column \"N\" (Real, key 100) reads an integer from process \"Face\" of plan 0 "
      "\"P1\"; a Real column prints it as 0.000000 [param-kind]"}},
    {"value type without text form", [](Files* s) { s->t.parameterSetting[2][1] = "GroupName"; },
     {"ParameterSettingTable.tsv:3: warning: the value type \"GroupName\" of item \"itemZ\" has no text form; "
      "its cells stay empty [no-text-form]"}},
    {"capital mark", [](Files* s) { s->t.parameterSetting[0][2] = "O"; },
     {"ParameterSettingTable.tsv:1: warning: the blank mark \"O\" of item \"itemN\" is not \"o\"; the mark "
      "stays unset [bad-mark]"}},
    {"mark after a blank", [](Files* s) { s->t.parameterSetting[1][3] = " o"; },
     {"ParameterSettingTable.tsv:2: warning: the repeat mark \" o\" of item \"itemMode\" is not \"o\"; the mark "
      "stays unset [bad-mark]"}},
    {"duplicate key", [](Files* s) { s->t.processParameters.push_back({"itemN", "101", "1"}); },
     {"ProcessParametersTable.tsv:6: warning: the item \"itemN\" repeats line 1; only the first row counts "
      "[duplicate-key]"}},
    {"duplicate title and item in ExteriorTable",
     [](Files* s) { s->t.exterior.insert(s->t.exterior.end(), {{"Mode:on", "selOn"}, {"N", "itemQ"}, {"Q", "itemN"}}); },
     {"ExteriorTable.tsv:9: warning: the title \"N\" repeats line 1; only the first row counts [duplicate-key]",
      "ExteriorTable.tsv:10: warning: the item \"itemN\" repeats line 1; its columns take the title of the first "
      "row [duplicate-key]"}},
    {"unknown option title", [](Files* s) { s->option = "Extr\n"; },
     {"rc_pln2usr.ini:1: warning: title \"Extr\" is not the title of an item in ExteriorTable.tsv; no column "
      "is added (did you mean \"Extra\"?) [unknown-title]"}},
    {"repeated option title", [](Files* s) { s->option = "Extra\n  Extra # again\n"; },
     {"rc_pln2usr.ini:2: warning: title \"Extra\" repeats line 1; it is taken once [repeated-title]"}},
    {"option title of a standard column", [](Files* s) { s->option = "Extra\nN\n"; },
     {"rc_pln2usr.ini:2: warning: title \"N\" is already the title of the column of line 1 of "
      "PlanCSVTable.tsv; no second column is added [standard-title]"}},
    {"Select column without choices",
     [](Files* s) { s->t.exterior.erase(s->t.exterior.begin() + 2, s->t.exterior.begin() + 4); },
     {"PlanCSVTable.tsv:2: warning: the Select column \"Mode\" (item \"itemMode\") has no choices in "
      "ExteriorTable.tsv; its cells stay empty [no-choices]"}},
    {"choice of no item", [](Files* s) { s->t.exterior[3][0] = "Mood:off"; },
     {"ExteriorTable.tsv:4: warning: the choice \"Mood:off\" belongs to no item: no item row has the title "
      "\"Mood\"; the choice is skipped [orphan-choice]"}},
    {"value with trailing letters", [](Files* s) { s->t.selectionToInt[0][1] = "12abc"; },
     {"SelectionToIntTable.tsv:1: warning: the value \"12abc\" of the choice \"selOn\" is not a number; it is "
      "read as 12 [not-a-number]",
      "model.json:1: warning: column \"Mode\" has no choice for the code 1 of process \"Face\" of plan 0 "
      "\"P1\"; the cell stays empty [no-choice-for-code]"}},
    {"value that is a word", [](Files* s) { s->t.selectionToInt[1][1] = "abc"; },
     {"SelectionToIntTable.tsv:2: warning: the value \"abc\" of the choice \"selOff\" is not a number; it is "
      "read as 0 [not-a-number]"}},
    {"no tool-set form", [](Files* s) { s->t.variable[0][2] = "akw_unit"; },
     {"PlanCSVTable.tsv:4: warning: VariableTable.tsv has no \"akw_tls_nm\" row; the tool column \"Tool\" "
      "writes its texts without the tool-set form [no-tool-set-form]"}},
    {"comma in a choice text", [](Files* s) { s->t.exterior[2][0] = "Mode:on, fast"; },
     {"ExteriorTable.tsv:3: warning: the choice text \"on, fast\" of column \"Mode\" holds a comma, which "
      "splits the cell in two and shifts the cells after it [unquoted-text]"}},
    {"quote in a title", [](Files* s) { s->t.exterior[0][0] = "N \"x\""; },
     {"ExteriorTable.tsv:1: warning: the title \"N \"x\"\" of item \"itemN\" holds a double quote, which makes "
      "spreadsheets read the cell as a quoted field [unquoted-text]"}},

    // Files the export misreads without a word.
    {"empty table", [](Files* s) { s->raw = {{"ExteriorTable", ""}}; },
     {"ExteriorTable.tsv:1: warning: the file is empty (0 bytes); it counts as read, so every column gets an "
      "empty title and no column has choices [empty-file]"}},
    {"UTF-16 table", [](Files* s) { s->raw = {{"PlanCSVTable", std::string("\xFF\xFE" "1\0\t\0i\0\n\0", 10)}}; },
     {"PlanCSVTable.tsv:1: error: the file is saved as UTF-16, which the table reader refuses; the export "
      "stops with \"[ERR] : NeccesaryItemTabel Open Error\"; save it as 8-bit text [utf16]"}},
    {"UTF-16 option file", [](Files* s) { s->option = std::string("\xFF\xFE" "E\0x\0\n\0", 8); },
     {"rc_pln2usr.ini:1: warning: the file is saved as UTF-16; the export ignores it and adds no option "
      "columns; save it as 8-bit text [utf16]"}},
    {"CR-only option file", [](Files* s) { s->option = "# extra columns\rExtra\r"; },
     {"rc_pln2usr.ini:1: warning: the lines end in CR alone; the file is read as one line, so none of its "
      "titles is recognised; save it with LF or CR LF line ends [cr-line-ends]"}},
    {"NUL byte in a table line", [](Files* s) { s->t.processParameters[3][2] = std::string("9\0x", 3); },
     {"ProcessParametersTable.tsv:4: warning: the line holds a NUL byte; lookups and titles end at it "
      "[nul-byte]"}},
    {"NUL byte in an option line", [](Files* s) { s->option = std::string("# x\nExtra\0junk\n", 16); },
     {"rc_pln2usr.ini:2: warning: the line holds a NUL byte; its title ends at it or is not recognised "
      "[nul-byte]"}},
    {"Ctrl-Z in the option file", [](Files* s) { s->option = "Extra\n\x1A\n"; },
     {"rc_pln2usr.ini:2: warning: the line holds a Ctrl-Z byte (0x1A); on Windows the file is read as text and "
      "ends there, so the titles from here on are lost [ctrl-z]"}},
    // The same beyond the first block the file is read in.
    {"NUL byte after many lines",
     [](Files* s) {
         std::string lines;
         for (int i = 0; i < 9000; ++i) lines += "# line " + std::to_string(i) + "\n";
         s->option = lines + std::string("Extra\0junk\n", 11);
     },
     {"rc_pln2usr.ini:9001: warning: the line holds a NUL byte; its title ends at it or is not recognised "
      "[nul-byte]"}},
    {"CR-only option file whose text follows a block of CRs",
     [](Files* s) { s->option = std::string(1 << 16, '\r') + "Extra"; },
     {"rc_pln2usr.ini:1: warning: the lines end in CR alone; the file is read as one line, so none of its "
      "titles is recognised; save it with LF or CR LF line ends [cr-line-ends]"}},
    // What the readers take as they are: no finding.
    {"byte-order mark before the option file", [](Files* s) { s->option = "\xEF\xBB\xBF" "Extra\n"; }, {}},
    {"CR-only table", [](Files* s) { s->raw = {{"PlanCSVTable", "1\titemN\r2\titemMode\r3\titemZ\r4\ttoolCheck1\r"}}; },
     {}},

    // The model against the tables.
    {"rejected plan", [](Files* s) { Replace(&s->process, "2411", "2418"); },
     {"model.json:1: note: plan 0 \"P1\" is rejected: its process \"Face\" has the type 2418, which the "
      "export does not accept; the plan gets no file [rejected-plan]"}},
    {"rejected plan without machine",
     [](Files* s) {
         Replace(&s->process, "2411", "2418");
         s->more = Plan(2, "P2", 2423, "");
     },
     {"model.json:1: note: plan 0 \"P1\" is rejected: its process \"Face\" has the type 2418, which the "
      "export does not accept; the plan gets no file [rejected-plan]",
      "model.json:2: note: plan 1 \"P2\" is rejected: its process \"F2\" has the type 2423, which the export "
      "does not accept; the plan gets no file [rejected-plan]",
      "model.json:2: warning: the rejected plan 1 \"P2\" has no machine data; its message repeats the machine "
      "names \"M1\" and \"C1\" of the rejected plan before it [no-machine]"}},
    {"cells of a plan rejected by a later process",
     [](Files* s) {
         Replace(&s->process, R"(, "400": 2.5)", "");
         s->moreProcesses = R"(, {"id": [1, 1, 2, 0], "type": 2418, "name": "Swarf"})";
     },
     {"model.json:2: note: plan 0 \"P1\" is rejected: its process \"Swarf\" has the type 2418, which the "
      "export does not accept; the plan gets no file [rejected-plan]"}},
    {"plans of one name", [](Files* s) { s->more = Plan(2, "P1", 2411, R"("100": 1, "200": 0, "300": "x")"); },
     {"model.json:2: warning: plan 1 \"P1\" has the name of plan 0 \"P1\"; with a blank output name both write "
      "the same file and the later one overwrites the earlier [same-file]",
      "model.json:2: note: column \"Extra\" (Real, key 400): 1 of 2 processes has no such parameter, process "
      "\"F2\" of plan 1 \"P1\"; its cell stays empty [missing-param]"}},
    {"plan name with a path", [](Files* s) { Replace(&s->plan, "P1", "../P1"); },
     {"model.json:1: warning: the name of plan 0 \"../P1\" holds a path separator; with a blank output name "
      "its file lands outside the output folder [path-in-name]"}},
    {"parameter no process holds", [](Files* s) { Replace(&s->process, R"(, "400": 2.5)", ""); },
     {"model.json:1: warning: column \"Extra\" (Real, key 400): its one process has no such parameter; its "
      "cell stays empty (is the key right?) [missing-param]"}},
    {"integer in a Real column", [](Files* s) { Replace(&s->process, "2.5", "3"); },
     {"model.json:1: warning: column \"Extra\" (Real, key 400) reads an integer from process \"Face\" of plan "
      "0 \"P1\"; a Real column prints it as 0.000000 [param-kind]"}},
    {"text in an Integer column", [](Files* s) { Replace(&s->process, R"("100": 5)", R"("100": "5")"); },
     {"model.json:1: warning: column \"N\" (Integer, key 100) reads a text from process \"Face\" of plan 0 "
      "\"P1\"; an Integer column prints the text's bytes as a number [param-kind]"}},
    {"code without choice", [](Files* s) { Replace(&s->process, R"("200": 1)", R"("200": 7)"); },
     {"model.json:1: warning: column \"Mode\" has no choice for the code 7 of process \"Face\" of plan 0 "
      "\"P1\"; the cell stays empty [no-choice-for-code]"}},
    {"tool type without choice",
     [](Files* s) {
         s->t.planCsv.push_back({"5", "toolType1"});
         s->t.exterior.insert(s->t.exterior.end(), {{"Tool type", "toolType1"}, {"Tool type:Mill", "tlMill"}});
         s->t.selectionToInt.push_back({"tlMill", "2"});
     },
     {"model.json:1: warning: column \"Tool type\" has no choice for the code 1 of process \"Face\" of plan 0 "
      "\"P1\"; the cell stays empty [no-choice-for-code]"}},
    {"long tool name",
     [](Files* s) {
         Replace(&s->process, "\"T1\"", "\"FACEMILL-D50-Z5X\"");
         s->toolTexts = R"("FACEMILL-D50-Z5X": "face mill")";
     },
     {"model.json:1: warning: the tool \"FACEMILL-D50-Z5X\" of process \"Face\" of plan 0 \"P1\" has 16 "
      "characters; the export looks its text up as \"FACEMILL-D50-Z5\", under which the model lists none, so "
      "its tool cell stays empty [long-tool-name]"}},
    {"an item with a key row only", [](Files* s) {
         s->t.planCsv.push_back({"5", "itemQ"});
         s->t.processParameters.push_back({"itemQ", "500", "1"});
     },
     {"PlanCSVTable.tsv:5: warning: item \"itemQ\" has no title in ExteriorTable.tsv; its header cell is empty "
      "[no-title]",
      "PlanCSVTable.tsv:5: warning: item \"itemQ\" has no row in ParameterSettingTable.tsv; it has no value type; "
      "its cells stay empty [no-value-type]"}},
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
     {"model.json:1: warning: the name of plan 0 \"P1, rev B\" holds a comma, which splits the cell in two and "
      "shifts the cells after it [unquoted-text]"}},
};

class CheckCaseTest : public CheckTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CheckCaseTest, GivesExactlyItsFindings) {
    Files s = Clean();
    GetParam().mutate(&s);
    std::vector<std::string> expected = GetParam().findings;
    bool tableError = false;
    for (const std::string& line : expected) tableError |= line.find(": error: ") != std::string::npos;
    if (tableError) {
        expected.push_back("model.json:1: note: the model is not checked: the export stops at the tables "
                           "before any plan [model-not-checked]");
    }
    EXPECT_EQ(Check(s), expected);
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

const std::string kStops = "; the export stops there with ";

const Case kFailures[] = {
    {"conversion fails before a rejecting process",
     [](Files* s) {
         Replace(&s->process, R"("300": "abc")", R"("300": {"status": -2})");
         s->moreProcesses = R"(, {"id": [1, 1, 2, 0], "type": 2418, "name": "Swarf"})";
     },
     {"model.json:1: error: plan 0 \"P1\", process \"Face\", column 3 \"Z\" (PlanCSVTable.tsv:3): the parameter "
      "300 answers the status -2 (QvlbpPrcInqPrm)" + kStops + "\"[ERR] : CnvPrcsVal\" [model-fails]"}},
    {"plan name the host cannot give",
     [](Files* s) {
         AddColumn(s, "planName", "Plan");
         s->plan += R"(, "faults": ["QdgmRetIdnamLN"])";
     },
     {"model.json:1: error: plan 0 \"\", process \"Face\", column 5 \"Plan\" (PlanCSVTable.tsv:5): the model "
      "database cannot give the plan's name (QdgmRetIdnamLN answers -1)" + kStops + "\"[ERR] : CnvPlanNam\" "
      "[model-fails]"}},
    {"plan of the process the host cannot give",
     [](Files* s) {
         AddColumn(s, "planName", "Plan");
         s->process += R"(, "faults": ["QdgmRetLstRM"])";
     },
     {"model.json:1: error: plan 0 \"P1\", process \"Face\", column 5 \"Plan\" (PlanCSVTable.tsv:5): the model "
      "database cannot give the plan that holds the process (QdgmRetLstRM answers -1)" + kStops +
      "\"[ERR] : CnvPlanNam\" [model-fails]"}},
    {"process name the host cannot give",
     [](Files* s) {
         AddColumn(s, "ttlKHNAMEA", "Name");
         s->process += R"(, "faults": ["QdgmRetIdnamLN"])";
     },
     {"model.json:1: error: plan 0 \"P1\", process 1 1 1 0, column 5 \"Name\" (PlanCSVTable.tsv:5): the model "
      "database cannot give the process's name (QdgmRetIdnamLN answers -1)" + kStops +
      "\"[ERR] : CnvPrcsNam\" [model-fails]"}},
    {"tool text with a negative status", [](Files* s) { s->toolTexts = R"("T1": {"status": -3})"; },
     {"model.json:1: error: plan 0 \"P1\", process \"Face\", column 4 \"Tool\" (PlanCSVTable.tsv:4): the tool "
      "text lookup answers the status -3 for the tool \"T1\" (QvptfInqLnN)" + kStops +
      "\"[ERR] : CnvToolCheck1\" [model-fails]"}},
    {"local coordinate column with key 0",
     [](Files* s) {
         AddColumn(s, "ttlLCLPHGT", "Height");
         s->t.parameterSetting.push_back({"ttlLCLPHGT", "Real", "", ""});
         Replace(&s->process, R"("400": 2.5)", R"("400": 2.5, "0": {"status": -1})");
     },
     {"PlanCSVTable.tsv:5: warning: item \"ttlLCLPHGT\" has no row in ProcessParametersTable.tsv; its key is 0, "
      "under which the export asks the host for its value [no-key]",
      "model.json:1: error: plan 0 \"P1\", process \"Face\", column 5 \"Height\" (PlanCSVTable.tsv:5): the "
      "parameter 0 answers the status -1 (QvlbpPrcInqPrm)" + kStops + "\"[ERR] : CnvLCLPVal\" [model-fails]"}},
    {"every failing plan is told",
     [](Files* s) {
         s->process += R"(, "faults": ["QdgmGetPrcs"])";
         s->more = Plan(2, "P2", 2411, R"("100": 1, "200": 0, "300": "x", "400": {"status": 5})");
     },
     {"model.json:1: error: plan 0 \"P1\", process \"Face\": the model database cannot give the process's "
      "record (QdgmGetPrcs answers -1)" + kStops + "\"[ERR] : QdgmGetPrcs\" [model-fails]",
      "model.json:2: error: plan 1 \"P2\", process \"F2\", column 5 \"Extra\" (rc_pln2usr.ini:1): the "
      "parameter 400 answers the status 5 (QvlbpPrcInqPrm)" + kStops + "\"[ERR] : CnvPrcsVal\" [model-fails]"}},
};

const bool kRowsTested = [] {
    for (const Case& c : kCases) TestRowsExpect(c.findings);
    for (const Case& c : kFailures) TestRowsExpect(c.findings);
    return TestRowsExpect({" [model-not-checked]", " [names-not-checked]", " [export-fails]"});
}();

class ModelFailureTest : public CheckTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ModelFailureTest, CheckErrsWhereTheExportFails) {
    Files s = Clean();
    GetParam().mutate(&s);
    EXPECT_EQ(Check(s), GetParam().findings);
    EXPECT_LT(ExportStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Models, ModelFailureTest, ::testing::ValuesIn(kFailures), CaseName);

// A build that fails without telling where: the check still errs, with the
// step and the library's error line.
class SilentBuild : public TableBuild {
    void Stopped(const CnvTblStop&) override {}
};

TEST_F(CheckTest, AStepThatFailsUntoldIsAnError) {
    Files s = Clean();
    s.raw = {{"VariableTable", kRemove}};
    Check(s);
    CheckInputs inputs;
    inputs.Load("");
    SilentBuild build;
    build.Run();
    FindingList out;
    std::string error;
    const std::unique_ptr<TextEncoding> encoding = TextEncoding::Open("windows-1252", &error);
    ASSERT_NE(encoding, nullptr) << error;
    StopCheck(CheckContext{inputs, build, out, *encoding}).Run();
    ASSERT_EQ(out.All().size(), 1u);
    EXPECT_EQ(FindingLine(out.All()[0]), "MIRVANE/CAM/KR/Tables:1: error: the export's step ImpCnvTbl fails with "
                                         "\"[ERR] : Not import tablefile VariableTable\" [export-fails]");
}

}  // namespace
