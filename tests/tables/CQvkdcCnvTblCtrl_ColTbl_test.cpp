#include <string>

#include "support/CnvTblFixture.h"

namespace {

class ColTblTest : public CnvTblFixture {
 protected:
    // Imports t and builds the column table; returns CreColTbl's result.
    int Build(const TableRoot::Tables& t) {
        root.WriteTables(t);
        EXPECT_EQ(tables.ImpCnvTbl(), 0);
        return tables.CreColTbl();
    }
    const CQvkdcOutColRowMng* Col(int i) {
        return tables.GetColTbl()->GetColRow(i);
    }
    int ColCnt() { return tables.GetColTbl()->GetColCnt(); }
};

TEST_F(ColTblTest, WorkedExample) {
    ASSERT_EQ(Build(ExampleTables()), 0);
    ASSERT_EQ(ColCnt(), 1);
    const CQvkdcOutColRowMng* c = Col(0);
    EXPECT_EQ(c->GetColFlg(), 1);
    EXPECT_EQ(c->GetItName(), "itemA");
    EXPECT_EQ(c->GetExName(), "TitleA");
    EXPECT_EQ(c->GetPrmKey(), 250);
    EXPECT_EQ(c->GetPriority(), 3);
    EXPECT_EQ(c->GetValType(), 65);
    EXPECT_EQ(c->GetSubType(), 65);
    EXPECT_EQ(c->GetIsBlank(), 1);
    EXPECT_EQ(c->GetIsRepeat(), 0);

    std::string dump;
    tables.GetColTbl()->DumpTbl(dump);
    EXPECT_EQ(dump,
              "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\t"
              "IsBlank\tIsRepeat\n"
              "1\titemA\tTitleA\t250\t3\t65\t65\t1\t0\n");
    EXPECT_TRUE(TraceHas(dump));
}

TEST_F(ColTblTest, RowsAreCompletedByKeywordAndMarkRules) {
    TableRoot::Tables t = ExampleTables();
    t.planCsv = {{"", "itemM"},  {"", "itemS"},       {"", "item4"},
                 {"", "itemL"},  {"", "processType"}, {"", "itemP"},
                 {"", "ghost"},  {"", "itemA"},       {"", "itemA"}};
    t.exterior = {{"TitleA", "itemA"}, {"TitleM", "itemM"},
                  {"TitleS", "itemS"}, {"Type", "processType"}};
    t.processParameters = {{"itemA", "250", "3"},
                           {"processType", "12", "4"},
                           {"itemS", "12abc", "-3"},
                           {"item4", "word", ""}};
    t.parameterSetting = {{"itemA", "Select", "o", "", "Integer"},
                          {"itemM", "MacroName", "", ""},
                          {"itemS", "String", "o", "o", "Real"},
                          {"item4", "Real", "O", " o"},
                          {"itemL", "real", "o ", "x", "integer"},
                          {"itemP", "Select", "", "", ""}};
    ASSERT_EQ(Build(t), 0);

    struct Expect {
        const char* itName;
        const char* exName;
        int prmKey, priority, valType, subType, isBlank, isRepeat;
    } const expected[] = {
        {"itemM", "TitleM", 0, 0, 1002, 0, 0, 0},    // MacroName as String
        {"itemS", "TitleS", 12, -3, 1001, 1001, 1, 1},
        {"item4", "", 0, 0, 1001, 0, 0, 0},          // four cells: no sub type
        {"itemL", "", 0, 0, 0, 0, 0, 0},             // keywords are exact
        {"processType", "Type", 1011, 4, 0, 0, 0, 0},
        {"itemP", "", 0, 0, 1003, 0, 0, 0},
        {"ghost", "", 0, 0, 0, 0, 0, 0},             // in no table
        {"itemA", "TitleA", 250, 3, 65, 65, 1, 0},   // listed twice: two columns
        {"itemA", "TitleA", 250, 3, 65, 65, 1, 0},
    };
    ASSERT_EQ(ColCnt(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < ColCnt(); ++i) {
        const Expect& e = expected[i];
        SCOPED_TRACE(e.itName);
        const CQvkdcOutColRowMng* c = Col(i);
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
    std::string title;
    tables.GetColTbl()->GetTitleLine(title);
    EXPECT_EQ(title, "TitleM,TitleS,,,Type,,,TitleA,TitleA");
}

TEST_F(ColTblTest, ProcessTypeKeyIs1011EvenWithoutParameterRow) {
    TableRoot::Tables t = ExampleTables();
    t.planCsv = {{"", "processType"}};
    ASSERT_EQ(Build(t), 0);
    ASSERT_EQ(ColCnt(), 1);
    EXPECT_EQ(Col(0)->GetPrmKey(), 1011);
    EXPECT_EQ(Col(0)->GetPriority(), 0);
}

TEST_F(ColTblTest, ReplacePrcsStat) {
    int key = 5;
    std::string type = "MacroName";
    EXPECT_EQ(tables.ReplacePrcsStat("processType", &key, &type), 0);
    EXPECT_EQ(key, 1011);
    EXPECT_EQ(type, "String");

    key = 5;
    type = "macroName";
    EXPECT_EQ(tables.ReplacePrcsStat("ProcessType", &key, &type), 0);
    EXPECT_EQ(key, 5);
    EXPECT_EQ(type, "macroName");

    EXPECT_EQ(tables.ReplacePrcsStat("processType", nullptr, &type), 0);
    EXPECT_EQ(tables.ReplacePrcsStat("processType", &key, nullptr), 0);
    EXPECT_EQ(key, 5);
}

TEST_F(ColTblTest, NoPlanCsvTableAndNoOptionFileGiveAnEmptyTable) {
    TableRoot::Tables t = ExampleTables();
    root.WriteTables(t);
    root.RemoveTable("PlanCSVTable");
    ASSERT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(tables.CreColTbl(), 0);
    EXPECT_EQ(ColCnt(), 0);
    EXPECT_TRUE(TraceHas("[INF] : rc_pln2usr.ini Open failed"));
}

TEST_F(ColTblTest, OptionColumnsFollowThePlanCsvColumns) {
    TableRoot::Tables t = ExampleTables();
    t.exterior.push_back({"TitleB", "itemB"});
    t.exterior.push_back({"TitleC", "itemC"});
    t.processParameters.push_back({"itemB", "7", "1"});
    t.parameterSetting.push_back({"itemC", "MacroName", "", "o"});
    root.WriteOptionFile("TitleC\nTitleA\nNoSuch\nTitleB\n");
    ASSERT_EQ(Build(t), 0);

    ASSERT_EQ(ColCnt(), 3);
    EXPECT_EQ(Col(0)->GetExName(), "TitleA");
    EXPECT_EQ(Col(1)->GetColFlg(), 2);
    EXPECT_EQ(Col(1)->GetExName(), "TitleC");
    EXPECT_EQ(Col(1)->GetItName(), "itemC");
    EXPECT_EQ(Col(1)->GetValType(), 1002);
    EXPECT_EQ(Col(1)->GetIsRepeat(), 1);
    EXPECT_EQ(Col(2)->GetColFlg(), 2);
    EXPECT_EQ(Col(2)->GetExName(), "TitleB");
    EXPECT_EQ(Col(2)->GetPrmKey(), 7);
    EXPECT_EQ(TraceCount("[INF] : Invalid Row in rc_pln2usr.ini "), 1);
}

struct NotImportedCase {
    const char* missing;
    bool optionPass;
    const char* message;
};

class ColTblNotImportedTest
    : public ColTblTest,
      public testing::WithParamInterface<NotImportedCase> {};

// A table that holds no data fails the build at the first row that needs
// it; the first pass marks the settings tables' message with "_".
TEST_P(ColTblNotImportedTest, FailsWithTheMessageOfItsPass) {
    const NotImportedCase& c = GetParam();
    TableRoot::Tables t = ExampleTables();
    if (c.optionPass) {
        t.planCsv.clear();
        root.WriteOptionFile("TitleA\n");
    }
    root.WriteTables(t);
    root.RemoveTable(c.missing);
    ASSERT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(tables.CreColTbl(), -1);
    EXPECT_EQ(ColCnt(), 0);
    EXPECT_EQ(TraceCount("[ERR] : "), 1);
    EXPECT_TRUE(TraceHas(c.message));
    if (c.optionPass) {
        EXPECT_FALSE(TraceHas("_Not import"));
    }
    EXPECT_FALSE(TraceHas("ColFlg\tItName"));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ColTblNotImportedTest,
    testing::Values(
        NotImportedCase{"ExteriorTable", false, "[ERR] : Not import tablefile"},
        NotImportedCase{"ProcessParametersTable", false,
                        "[ERR] : _Not import tablefile"},
        NotImportedCase{"ParameterSettingTable", false,
                        "[ERR] : _Not import tablefile"},
        NotImportedCase{"ExteriorTable", true, "[ERR] : Not import tablefile"},
        NotImportedCase{"ProcessParametersTable", true,
                        "[ERR] : Not import tablefile"},
        NotImportedCase{"ParameterSettingTable", true,
                        "[ERR] : Not import tablefile"}));

TEST_F(ColTblTest, ShortRowsFailNamingTableAndFirstCell) {
    struct Case {
        const char* what;
        void (*edit)(TableRoot::Tables&);
        const char* option;
        const char* message;
    } const cases[] = {
        {"plan row of one cell",
         [](TableRoot::Tables& t) { t.planCsv.push_back({"lonely"}); }, "",
         "[ERR] : Short row in PlanCSVTable: lonely"},
        {"parameter row of two cells",
         [](TableRoot::Tables& t) {
             t.planCsv.push_back({"", "itemB"});
             t.processParameters.push_back({"itemB", "5"});
         },
         "", "[ERR] : Short row in ProcessParametersTable: itemB"},
        {"setting row of three cells",
         [](TableRoot::Tables& t) {
             t.planCsv.push_back({"", "itemB"});
             t.parameterSetting.push_back({"itemB", "String", "o"});
         },
         "", "[ERR] : Short row in ParameterSettingTable: itemB"},
        {"exterior row of one cell, option pass",
         [](TableRoot::Tables& t) { t.exterior.push_back({"TitleB"}); },
         "TitleB\n", "[ERR] : Short row in ExteriorTable: TitleB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
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
