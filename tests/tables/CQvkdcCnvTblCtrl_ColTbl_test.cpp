#include <iterator>
#include <string>

#include "support/CnvTblFixture.h"

namespace {

class ColTblTest : public CnvTblFixture {
 protected:
    // Imports t and builds the column table; returns CreColTbl's result.
    int Build(const TableRoot::Tables& t, const char* optionFile = nullptr) {
        root.WriteTables(t);
        if (optionFile != nullptr) root.WriteOptionFile(optionFile);
        EXPECT_EQ(tables.ImpCnvTbl(), 0);
        return tables.CreColTbl();
    }
    const CQvkdcOutColRowMng* Col(int i) { return tables.GetColTbl()->GetColRow(i); }
    int ColCnt() { return tables.GetColTbl()->GetColCnt(); }
};

TEST_F(ColTblTest, WorkedExample) {
    ASSERT_EQ(Build(ExampleTables()), 0);
    std::string dump;
    tables.GetColTbl()->DumpTbl(dump);
    EXPECT_EQ(dump,
              "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\t"
              "IsBlank\tIsRepeat\n"
              "1\titemA\tTitleA\t250\t3\t65\t65\t1\t0\n");
    EXPECT_TRUE(TraceHas(dump + "stat = 0\n"));
}

TEST_F(ColTblTest, RowsAreCompletedFromTheThreeTables) {
    TableRoot::Tables t = ExampleTables();
    t.planCsv = {{"", "itemM"}, {"", "itemS"}, {"", "item4"},
                 {"", "itemL"}, {"", "processType"}, {"", "ghost"},
                 {"", "itemA"}, {"", "itemA"}};
    t.exterior = {{"TitleA", "itemA"}, {"TitleM", "itemM"},
                  {"TitleS", "itemS"}, {"Type", "processType"}};
    t.processParameters = {{"itemA", "250", "3"}, {"processType", "12", "4"},
                           {"itemS", "12abc", "-3"}, {"item4", "word", ""}};
    t.parameterSetting = {{"itemA", "Select", "o", "", "Integer"},
                          {"itemM", "MacroName", "", ""},
                          {"itemS", "String", "o", "o", "Real"},
                          {"item4", "Real", "O", " o"},
                          {"itemL", "real", "o ", "x", "integer"}};
    ASSERT_EQ(Build(t), 0);
    struct Expect {
        const char *itName, *exName;
        int prmKey, priority, valType, subType, isBlank, isRepeat;
    } const expected[] = {
        {"itemM", "TitleM", 0, 0, 1002, 0, 0, 0},     // MacroName as String
        {"itemS", "TitleS", 12, -3, 1001, 1001, 1, 1},
        {"item4", "", 0, 0, 1001, 0, 0, 0},           // four cells: no sub type
        {"itemL", "", 0, 0, 0, 0, 0, 0},              // keywords are exact
        {"processType", "Type", 1011, 4, 0, 0, 0, 0},
        {"ghost", "", 0, 0, 0, 0, 0, 0},              // in no table
        {"itemA", "TitleA", 250, 3, 65, 65, 1, 0},    // listed twice
        {"itemA", "TitleA", 250, 3, 65, 65, 1, 0},
    };
    ASSERT_EQ(ColCnt(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < ColCnt(); ++i) {
        const Expect& e = expected[i];
        const CQvkdcOutColRowMng* c = Col(i);
        SCOPED_TRACE(e.itName);
        EXPECT_EQ(c->GetColFlg(), 1);
        EXPECT_EQ(c->GetItName(), e.itName);
        EXPECT_EQ(c->GetExName(), e.exName);
        EXPECT_EQ(c->GetPrmKey(), e.prmKey);
        EXPECT_EQ(c->GetPriority(), e.priority);
        EXPECT_EQ(c->GetValType(), e.valType);
        EXPECT_EQ(c->GetSubType(), e.subType);
        EXPECT_EQ(c->GetIsBlank(), e.isBlank);
        EXPECT_EQ(c->GetIsRepeat(), e.isRepeat);
    }
}

TEST_F(ColTblTest, ProcessTypeKeyIs1011EvenWithoutParameterRow) {
    TableRoot::Tables t = ExampleTables();
    t.planCsv = {{"", "processType"}};
    ASSERT_EQ(Build(t), 0);
    EXPECT_EQ(Col(0)->GetPrmKey(), 1011);
    EXPECT_EQ(Col(0)->GetPriority(), 0);
}

TEST_F(ColTblTest, OptionColumnsFollowThePlanCsvColumns) {
    TableRoot::Tables t = ExampleTables();
    t.exterior.push_back({"TitleB", "itemB"});
    t.exterior.push_back({"TitleC", "itemC"});
    t.processParameters.push_back({"itemB", "7", "1"});
    t.parameterSetting.push_back({"itemC", "MacroName", "", "o"});
    ASSERT_EQ(Build(t, "TitleC\nTitleA\nNoSuch\nTitleB\n"), 0);
    std::string dump;
    tables.GetColTbl()->DumpTbl(dump);
    EXPECT_EQ(dump.substr(dump.find('\n') + 1),
              "1\titemA\tTitleA\t250\t3\t65\t65\t1\t0\n"
              "2\titemC\tTitleC\t0\t0\t1002\t0\t0\t1\n"
              "2\titemB\tTitleB\t7\t1\t0\t0\t0\t0\n");
    EXPECT_EQ(TraceCount("[INF] : Invalid Row in rc_pln2usr.ini \n"), 1);
}

// A table that holds no data fails the build at the first row that needs
// it; in the first pass the settings tables' message carries a "_".
TEST_F(ColTblTest, TableWithoutDataFailsWithTheMessageOfItsPass) {
    struct Case {
        const char* missing;
        bool optionPass;
        const char* message;
    } const cases[] = {
        {"ExteriorTable", false, "[ERR] : Not import tablefile"},
        {"ProcessParametersTable", false, "[ERR] : _Not import tablefile"},
        {"ParameterSettingTable", false, "[ERR] : _Not import tablefile"},
        {"ExteriorTable", true, "[ERR] : Not import tablefile"},
        {"ProcessParametersTable", true, "[ERR] : Not import tablefile"},
        {"ParameterSettingTable", true, "[ERR] : Not import tablefile"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.missing << " " << c.optionPass);
        TableRoot::Tables t = ExampleTables();
        if (c.optionPass) t.planCsv.clear();
        root.WriteTables(t);
        root.WriteOptionFile(c.optionPass ? "TitleA\n" : "");
        root.RemoveTable(c.missing);
        CQvkdcCnvTblCtrl set;
        QvsimTraceClear();
        ASSERT_EQ(set.ImpCnvTbl(), 0);
        EXPECT_EQ(set.CreColTbl(), -1);
        EXPECT_EQ(set.GetColTbl()->GetColCnt(), 0);
        EXPECT_EQ(TraceBody().end()[-2], c.message);
        EXPECT_EQ(TraceBody().back(), "stat = -1");
    }
}

TEST_F(ColTblTest, ShortRowsFailNamingTableAndFirstCell) {
    struct Case {
        void (*edit)(TableRoot::Tables&);
        const char* option;
        const char* message;
    } const cases[] = {
        {[](TableRoot::Tables& t) { t.planCsv.push_back({"lonely"}); }, "",
         "[ERR] : Short row 2 in PlanCSVTable: lonely"},
        {[](TableRoot::Tables& t) {
             t.planCsv.push_back({"", "itemB"});
             t.processParameters.push_back({"itemB", "5"});
         },
         "", "[ERR] : Short row in ProcessParametersTable: itemB"},
        {[](TableRoot::Tables& t) {
             t.planCsv.push_back({"", "itemB"});
             t.parameterSetting.push_back({"itemB", "String", "o"});
         },
         "", "[ERR] : Short row in ParameterSettingTable: itemB"},
        {[](TableRoot::Tables& t) { t.exterior.push_back({"TitleB"}); },
         "TitleB\n", "[ERR] : Short row in ExteriorTable: TitleB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        QvsimTraceClear();
        TableRoot::Tables t = ExampleTables();
        c.edit(t);
        root.WriteTables(t);
        root.WriteOptionFile(c.option);
        CQvkdcCnvTblCtrl set;
        ASSERT_EQ(set.ImpCnvTbl(), 0);
        EXPECT_EQ(set.CreColTbl(), -1);
        EXPECT_TRUE(TraceHas(c.message));
        // The rows before the short one stay.
        ASSERT_EQ(set.GetColTbl()->GetColCnt(), 1);
        EXPECT_EQ(set.GetColTbl()->GetColRow(0)->GetItName(), "itemA");
    }
}

}  // namespace
