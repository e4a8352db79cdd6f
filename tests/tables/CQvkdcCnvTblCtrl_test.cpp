// The conversion table set: import of the table files, the tool-set form,
// the option file, and the column and selection tables built from them.
#include <filesystem>
#include <string>
#include <vector>

#include "support/FaultFileSystem.h"
#include "support/HostFixture.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

using Lines = std::vector<std::string>;
using Tables = TableRoot::Tables;

class CnvTblCtrlTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        QvsimTraceAll(1, 1);
    }
    // Writes t and the option file, and imports them into a new set.
    CQvkdcCnvTblCtrl& Import(const Tables& t, const char* optionFile = "") {
        Root().WriteTables(t);
        Root().WriteOptionFile(optionFile);
        set_ = std::make_unique<CQvkdcCnvTblCtrl>();
        EXPECT_EQ(set_->ImpCnvTbl(), 0);
        return *set_;
    }

    std::unique_ptr<CQvkdcCnvTblCtrl> set_;
};

// Files that exist are read in a fixed order; the first that cannot be read
// names its table and ends the import. The tool-set form is column 1 of the
// VariableTable row whose column 3 is "akw_tls_nm".
TEST_F(CnvTblCtrlTest, Import) {
    const Lines ok = {"stat = 0", "stat = 0"};
    const struct {
        std::vector<std::string> missing;  // "name/": a folder in place of the file
        int failingRead;                   // the nth ReadTable fails
        TableRoot::Rows variable;
        int reads;
        Lines trace;
        const char* form;
    } cases[] = {
        {{}, 0, {{"other", "", "x"}, {"FORM", "y", "akw_tls_nm"}}, 6, ok, "FORM"},
        {{}, 0, {{"", "y", "akw_tls_nm"}}, 6, ok, ""},
        {{}, 0, {{"akw_tls_nm", "y", "z"}, {"x", "akw_tls_nm"}}, 6, ok, ""},
        {{}, 0, {{"x", "y", "AKW_TLS_NM"}}, 6, ok, ""},
        {{}, 1, {}, 1, {"[ERR] : ExternalNameTable Open Error"}, ""},
        {{}, 2, {}, 2, {"[ERR] : ProcessParametersTable Open Error"}, ""},
        {{}, 3, {}, 3, {"[ERR] : ParameterSettingTable Open Error"}, ""},
        {{}, 4, {}, 4, {"[ERR] : SelectionToIntTable Open Error"}, ""},
        {{}, 5, {}, 5, {"[ERR] : VariableTable Open Error"}, ""},
        {{}, 6, {}, 6, {"[ERR] : NeccesaryItemTabel Open Error"}, ""},
        {{"ExteriorTable", "SelectionToIntTable"}, 3, {}, 3, {"[ERR] : VariableTable Open Error"}, ""},
        {{"PlanCSVTable/"}, 0, {}, 6, {"[ERR] : NeccesaryItemTabel Open Error"}, ""},
        {{"VariableTable"}, 0, {}, 5,
         {"[ERR] : Not import tablefile VariableTable", "stat = -1", "[ERR] : SetTSetForm Error"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace.front());
        QvsimReset();
        QvsimTraceAll(1, 1);
        Tables t = TableRoot::Example();
        if (!c.variable.empty()) t.variable = c.variable;
        Root().WriteTables(t);
        for (std::string name : c.missing) {
            const bool folder = name.back() == '/';
            if (folder) name.pop_back();
            Root().RemoveTable(name);
            if (folder) std::filesystem::create_directory(Root().PathOf("MIRVANE/CAM/KR/Tables/" + name + ".tsv"));
        }
        QvsimFailCall("ReadTable", c.failingRead);
        CQvkdcCnvTblCtrl set;
        EXPECT_EQ(set.ImpCnvTbl(), c.trace == ok ? 0 : -1);
        EXPECT_EQ(QvsimCallCount("ReadTable"), c.reads);
        Lines trace = c.trace;
        if (trace != ok) trace.push_back("stat = -1");
        EXPECT_EQ(TraceBody(), trace);
        EXPECT_EQ(set.GetTSetForm(), c.form);
        std::filesystem::remove(Root().PathOf("MIRVANE/CAM/KR/Tables/PlanCSVTable.tsv"));
    }
}

TEST_F(CnvTblCtrlTest, OptionTitlesWithoutCommentsBlanksRepeatsAndTakenTitles) {
    const struct {
        const char* file;  // null: no option file
        int failingRead, result;
        Lines titles, trace;
    } cases[] = {
        {"  TitleA\t\n# comment\n\nTitleA\n", 0, 0, {"TitleA"}, {"stat = 0"}},
        {"TitleA#note\n#TitleB\n  # x\nTitleA #y\n", 0, 0, {"TitleA"}, {"stat = 0"}},
        {" Title  A \n", 0, 0, {"Title  A"}, {"stat = 0"}},
        {"TitleA\ntitlea\nTITLEA\n", 0, 0, {"TitleA", "titlea", "TITLEA"}, {"stat = 0"}},
        {"TitleA\r\n\v\fTitleB \f\r\nTitleC", 0, 0, {"TitleA", "TitleB", "TitleC"}, {"stat = 0"}},
        {"Taken\n Taken \nitemT\n", 0, 0, {"itemT"}, {"stat = 0"}},
        {"", 0, 0, {}, {"stat = 0"}},
        {nullptr, 0, 1, {}, {"[INF] : rc_pln2usr.ini Open failed", "stat = 1"}},
        {"TitleA\n# c\nTitleB\nTitleC\n", 4, 0, {"TitleA", "TitleB"},
         {"[INF] : rc_pln2usr.ini Read failed", "stat = 0"}},
    };
    for (const auto& c : cases) {
        Root().WriteOptionFile(c.file != nullptr ? c.file : "");
        if (c.file == nullptr) std::filesystem::remove(Root().PathOf("MIRVANE/user/cam/nccust/rc_pln2usr.ini"));
        FaultFileSystem faults(FaultFileSystem::kReadLine, c.failingRead);
        CQvkdcCnvTblCtrl set;
        set.GetColTbl()->AddColRow(1, "Taken", "itemT", "", "", 0, 0, "", "");
        set.GetColTbl()->AddColRow(1, "", "itemE", "", "", 0, 0, "", "");
        QvsimTraceClear();
        Lines titles;
        EXPECT_EQ(set.GetOptionCol(titles), c.result);
        EXPECT_EQ(titles, c.titles) << (c.file != nullptr ? c.file : "no file");
        EXPECT_EQ(TraceBody(), c.trace);
    }
}

// A table without data fails the build at the first row that needs it (in
// the first pass the settings tables' line carries a "_"), and so does a
// row with fewer cells than are read from it; what was built before stays.
TEST_F(CnvTblCtrlTest, BuildFailures) {
    using Edit = void (*)(Tables&);
    const Edit none = [](Tables&) {};
    const Edit onlyOptions = [](Tables& t) { t.planCsv.clear(); };
    const struct {
        bool slct;            // CreSlctTbl, else CreColTbl
        const char* missing;  // a table file removed
        Edit edit;
        const char *option, *err;
        int kept;  // rows of the table being built
    } cases[] = {
        {false, "ExteriorTable", none, "", "[ERR] : Not import tablefile", 0},
        {false, "ProcessParametersTable", none, "", "[ERR] : _Not import tablefile", 0},
        {false, "ParameterSettingTable", none, "", "[ERR] : _Not import tablefile", 0},
        {false, "ExteriorTable", onlyOptions, "N\n", "[ERR] : Not import tablefile", 0},
        {false, "ProcessParametersTable", onlyOptions, "N\n", "[ERR] : Not import tablefile", 0},
        {false, "ParameterSettingTable", onlyOptions, "N\n", "[ERR] : Not import tablefile", 0},
        {false, nullptr, [](Tables& t) { t.planCsv.push_back({"lonely"}); }, "",
         "[ERR] : Short row 4 in PlanCSVTable: lonely", 3},
        {false, nullptr,
         [](Tables& t) { t.planCsv.push_back({"", "itemB"}), t.processParameters.push_back({"itemB", "5"}); }, "",
         "[ERR] : Short row in ProcessParametersTable: itemB", 3},
        {false, nullptr,
         [](Tables& t) { t.planCsv.push_back({"", "itemB"}), t.parameterSetting.push_back({"itemB", "S", "o"}); }, "",
         "[ERR] : Short row in ParameterSettingTable: itemB", 3},
        {false, nullptr, [](Tables& t) { t.exterior.push_back({"TitleB"}); }, "TitleB\n",
         "[ERR] : Short row in ExteriorTable: TitleB", 3},
        {true, nullptr, [](Tables& t) { t.exterior.push_back({"Mode:Auto", "selAuto"}); }, "",
         "[ERR] : Not import tablefile", 1},
        {true, "SelectionToIntTable", none, "", "[ERR] : Not import tablefile", 0},
        {true, nullptr, [](Tables& t) { t.exterior = {{"Mode", "itemMode"}, {"Mode:On"}}; }, "",
         "[ERR] : Short row 2 in ExteriorTable: Mode:On", 0},
        {true, nullptr, [](Tables& t) { t.exterior = {{"Mode"}, {"Mode:On", "selOn"}}; }, "",
         "[ERR] : Short row in ExteriorTable: Mode", 0},
        {true, nullptr,
         [](Tables& t) { t.exterior = {{"Mode", "itemMode"}, {"Mode:On", "selOn"}}, t.selectionToInt = {{"selOn"}}; },
         "", "[ERR] : Short row in SelectionToIntTable: selOn", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.err << " " << (c.missing ? c.missing : ""));
        Tables t = TableRoot::Example();
        c.edit(t);
        CQvkdcCnvTblCtrl set;
        Root().WriteTables(t);
        Root().WriteOptionFile(c.option);
        if (c.missing != nullptr) Root().RemoveTable(c.missing);
        ASSERT_EQ(set.ImpCnvTbl(), 0);
        EXPECT_EQ(c.slct ? set.CreSlctTbl() : set.CreColTbl(), -1);
        const Lines body = TraceBody();
        EXPECT_EQ(Lines(body.end() - 2, body.end()), (Lines{c.err, "stat = -1"}));
        EXPECT_EQ(c.slct ? set.GetSlctTbl()->GetRowCnt() : set.GetColTbl()->GetColCnt(), c.kept);
    }
}

// Choices ("item:choice" in column 1 of ExteriorTable) are filed under the
// item of the row whose column 1 is their item, whatever the order of rows.
TEST_F(CnvTblCtrlTest, SelectionTableFromTheChoiceRows) {
    const struct {
        TableRoot::Rows exterior, values;
        const char *choices, *note;  // the trace's dump without its header, an "[INF]" line
    } cases[] = {
        {{{"Mode:On", "selOn"}, {"Side:Left", "selLeft"}, {"Mode:Off", "selOff"}, {"Mode", "itemMode"},
          {"TitleA", "itemA"}, {"Side", "itemSide"}},
         {{"selOn", "1"}, {"selOff", "0"}, {"selLeft", "-3"}},
         "itemMode\tselOn\tOn\t1\n\t\tselOff\tOff\t0\nitemSide\tselLeft\tLeft\t-3\n", nullptr},
        {{{"A", "itemA"}, {"", "itemNone"}, {"A:x:y", "s1"}, {"A:", "s2"}, {":z", "s3"}},
         {{"s1", "1"}, {"s2", "2"}, {"s3", "3"}}, "itemA\ts1\tx:y\t1\n\t\ts2\t\t2\nitemNone\ts3\tz\t3\n", nullptr},
        // Values are read as atoi reads them, clamped to the int range.
        {{{"M", "itemM"}, {"M:a", "sa"}, {"M:b", "sb"}, {"M:c", "sc"}, {"M:d", "sd"}, {"M:e", "se"},
          {"M:f", "sf"}, {"M:g", "sg"}},
         {{"sa", "12abc"}, {"sb", " -3"}, {"sc", "word"}, {"sd", ""}, {"se", "2147483648"},
          {"sf", "-99999999999"}, {"sg", "+7"}},
         "itemM\tsa\ta\t12\n\t\tsb\tb\t-3\n\t\tsc\tc\t0\n\t\tsd\td\t0\n"
         "\t\tse\te\t2147483647\n\t\tsf\tf\t-2147483648\n\t\tsg\tg\t7\n",
         nullptr},
        {{{"Mode", "itemMode"}, {"Mode:On", "selOn"}, {"Ghost:Boo", "selGhost"}, {"Mode:Off", "selOff"}},
         {{"selOn", "1"}, {"selOff", "0"}}, "itemMode\tselOn\tOn\t1\n\t\tselOff\tOff\t0\n",
         "[INF] : No item row in ExteriorTable for Ghost:Boo\n"},
        {{{"TitleA", "itemA"}, {"Lonely"}}, {}, "", nullptr},
    };
    for (const auto& c : cases) {
        Tables t = TableRoot::Example();
        t.exterior = c.exterior;
        t.selectionToInt = c.values;
        CQvkdcCnvTblCtrl& set = Import(t);
        QvsimTraceClear();
        ASSERT_EQ(set.CreSlctTbl(), 0);
        EXPECT_TRUE(TraceHas(std::string(c.note ? c.note : "") + "ColItName\tSlctItName\tSlctExName\tSlctVal\n" +
                             c.choices + "stat = 0\n"))
            << QvsimTraceText();
        EXPECT_EQ(TraceHas("[INF]"), c.note != nullptr);
    }
}

// The table steps of a run, traced. Each column is completed from the three
// tables by its item, keywords and marks matched exactly; option titles
// follow in file order, without a taken title or one of no ExteriorTable
// row.
TEST_F(CnvTblCtrlTest, TheTableStepsBuildAndTraceBothTables) {
    Tables t = TableRoot::Example();
    for (const char* item : {"itemM", "itemS", "item4", "itemL", "processType", "ghost", "itemN"}) {
        t.planCsv.push_back({"", item});
    }
    t.exterior.insert(t.exterior.end(), {{"TitleM", "itemM"}, {"TitleS", "itemS"}, {"Type", "processType"},
                                         {"TitleB", "itemB"}, {"TitleC", "itemC"}});
    t.processParameters.insert(t.processParameters.end(), {{"processType", "12", "4"}, {"itemS", "12abc", "-3"},
                                                           {"item4", "word", ""}, {"itemB", "7", "1"}});
    t.parameterSetting.insert(t.parameterSetting.end(),
                              {{"itemM", "MacroName", "", ""}, {"itemS", "String", "o", "o", "Real"},
                               {"item4", "Real", "O", " o"}, {"itemL", "real", "o ", "x", "integer"},
                               {"itemC", "MacroName", "", "o"}});
    CQvkdcCnvTblCtrl& set = Import(t, "TitleC\nExtra # added\nNope\nN\nTitleB\n");
    ASSERT_EQ(set.CreColTbl(), 0);
    ASSERT_EQ(set.CreSlctTbl(), 0);
    EXPECT_EQ(std::string(QvsimTraceText()),
              ">> CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"
              "  >> CQvkdcCnvTblCtrl::SetTSetForm [577686]\n"
              "  stat = 0\n"
              "  << CQvkdcCnvTblCtrl::SetTSetForm [577686]\n"
              "stat = 0\n"
              "<< CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"
              ">> CQvkdcCnvTblCtrl::CreColTbl [577686]\n"
              "  >> CQvkdcCnvTblCtrl::GetOptionCol [577686]\n"
              "  stat = 0\n"
              "  << CQvkdcCnvTblCtrl::GetOptionCol [577686]\n"
              "[INF] : Invalid Row in rc_pln2usr.ini \n"
              "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\tIsRepeat\n"
              "1\titemN\tN\t100\t1\t65\t65\t0\t0\n"
              "1\titemMode\tMode\t200\t2\t1003\t0\t0\t0\n"
              "1\titemZ\tZ\t300\t3\t1002\t0\t0\t0\n"
              "1\titemM\tTitleM\t0\t0\t1002\t0\t0\t0\n"  // MacroName as String
              "1\titemS\tTitleS\t12\t-3\t1001\t1001\t1\t1\n"
              "1\titem4\t\t0\t0\t1001\t0\t0\t0\n"  // four cells: no sub type
              "1\titemL\t\t0\t0\t0\t0\t0\t0\n"     // keywords are exact
              "1\tprocessType\tType\t1011\t4\t0\t0\t0\t0\n"
              "1\tghost\t\t0\t0\t0\t0\t0\t0\n"  // in no table
              "1\titemN\tN\t100\t1\t65\t65\t0\t0\n"  // listed twice
              "2\titemC\tTitleC\t0\t0\t1002\t0\t0\t1\n"
              "2\titemX\tExtra\t400\t9\t1001\t0\t1\t1\n"
              "2\titemB\tTitleB\t7\t1\t0\t0\t0\t0\n"
              "stat = 0\n"
              "<< CQvkdcCnvTblCtrl::CreColTbl [577686]\n"
              ">> CQvkdcCnvTblCtrl::CreSlctTbl [577686]\n"
              "ColItName\tSlctItName\tSlctExName\tSlctVal\n"
              "itemMode\tselAB\ta,b\t1\n"
              "\t\tselOff\toff\t0\n"
              "stat = 0\n"
              "<< CQvkdcCnvTblCtrl::CreSlctTbl [577686]\n");
    EXPECT_EQ(set.GetTSetForm(), "TS");
}

}  // namespace
