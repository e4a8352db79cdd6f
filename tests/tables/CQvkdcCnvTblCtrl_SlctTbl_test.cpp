#include <string>
#include <vector>

#include "support/CnvTblFixture.h"

namespace {

class SlctTblTest : public CnvTblFixture {
 protected:
    // Imports t and builds the selection table; returns CreSlctTbl's result.
    int Build(const TableRoot::Tables& t) {
        root.WriteTables(t);
        EXPECT_EQ(tables.ImpCnvTbl(), 0);
        return tables.CreSlctTbl();
    }
    std::string Dump() {
        std::string dump;
        tables.GetSlctTbl()->DumpTbl(dump);
        return dump;
    }
    std::string Text(const std::string& col, int value) {
        return tables.GetSlctTbl()->GetSlctExName(col, value);
    }
};

const char kHeader[] = "ColItName\tSlctItName\tSlctExName\tSlctVal\n";

TEST_F(SlctTblTest, ChoicesAreFiledUnderTheItemOfTheirColumn) {
    TableRoot::Tables t = ExampleTables();
    // Choice rows before the item rows they use, and interleaved columns.
    t.exterior = {{"Mode:On", "selOn"},   {"Side:Left", "selLeft"},
                  {"Mode:Off", "selOff"}, {"Mode", "itemMode"},
                  {"TitleA", "itemA"},    {"Side", "itemSide"}};
    t.selectionToInt = {{"selOn", "1"}, {"selOff", "0"}, {"selLeft", "-3"}};
    ASSERT_EQ(Build(t), 0);
    const std::string dump = Dump();
    EXPECT_EQ(dump, std::string(kHeader) +
                        "itemMode\tselOn\tOn\t1\n"
                        "\t\tselOff\tOff\t0\n"
                        "itemSide\tselLeft\tLeft\t-3\n");
    EXPECT_TRUE(TraceHas(dump));
    EXPECT_EQ(Text("itemMode", 0), "Off");
    EXPECT_EQ(Text("itemSide", -3), "Left");
}

TEST_F(SlctTblTest, ChoiceTextIsEverythingAfterTheFirstColon) {
    TableRoot::Tables t = ExampleTables();
    t.exterior = {{"A", "itemA"},     {"", "itemNone"}, {"A:x:y", "s1"},
                  {"A:", "s2"},       {":z", "s3"},     {"A::", "s4"}};
    t.selectionToInt = {{"s1", "1"}, {"s2", "2"}, {"s3", "3"}, {"s4", "4"}};
    ASSERT_EQ(Build(t), 0);
    EXPECT_EQ(Text("itemA", 1), "x:y");
    EXPECT_EQ(Text("itemA", 2), "");
    EXPECT_EQ(Text("itemA", 4), ":");
    EXPECT_EQ(Text("itemNone", 3), "z");
    EXPECT_EQ(tables.GetSlctTbl()->GetRowCnt(), 2);
}

TEST_F(SlctTblTest, ValuesAreReadLikeAtoi) {
    TableRoot::Tables t = ExampleTables();
    t.exterior = {{"M", "itemM"}, {"M:a", "sa"}, {"M:b", "sb"},
                  {"M:c", "sc"},  {"M:d", "sd"}, {"M:e", "se"}};
    t.selectionToInt = {{"sa", "12abc"}, {"sb", "-3"}, {"sc", "word"},
                        {"sd", ""},      {"se", " +7"}};
    ASSERT_EQ(Build(t), 0);
    EXPECT_EQ(tables.GetSlctTbl()->GetRow(0)->GetSlctValArr(),
              (std::vector<int>{12, -3, 0, 0, 7}));
    // Two choices of value 0: the first one filed wins.
    EXPECT_EQ(Text("itemM", 0), "c");
}

TEST_F(SlctTblTest, NoChoiceRowsGiveAnEmptyTable) {
    TableRoot::Tables t = ExampleTables();
    t.exterior = {{"TitleA", "itemA"}};
    ASSERT_EQ(Build(t), 0);
    EXPECT_EQ(tables.GetSlctTbl()->GetRowCnt(), 0);
    EXPECT_TRUE(TraceHas(kHeader));
}

TEST_F(SlctTblTest, NoExteriorTableGivesAnEmptyTable) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("ExteriorTable");
    ASSERT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(tables.CreSlctTbl(), 0);
    EXPECT_EQ(tables.GetSlctTbl()->GetRowCnt(), 0);
}

TEST_F(SlctTblTest, ChoiceWithoutValueRowFails) {
    TableRoot::Tables t = ExampleTables();
    t.exterior.push_back({"Mode:Auto", "selAuto"});
    t.exterior.push_back({"Mode:Late", "selOn"});
    ASSERT_EQ(Build(t), -1);
    EXPECT_EQ(TraceCount("[ERR] : Not import tablefile"), 1);
    // The choices before stay; the walk stopped at the failing row.
    EXPECT_EQ(tables.GetSlctTbl()->GetRow(0)->GetSlctValArr().size(), 2u);
    EXPECT_FALSE(TraceHas(kHeader));
}

TEST_F(SlctTblTest, MissingSelectionToIntTableFailsAtTheFirstChoice) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("SelectionToIntTable");
    ASSERT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(tables.CreSlctTbl(), -1);
    EXPECT_TRUE(TraceHas("[ERR] : Not import tablefile"));
    EXPECT_EQ(tables.GetSlctTbl()->GetRowCnt(), 0);
}

// A choice whose item has no item row is skipped with a note; it is never
// filed under the column of an earlier choice.
TEST_F(SlctTblTest, ChoiceOfAnUnknownItemIsSkipped) {
    TableRoot::Tables t = ExampleTables();
    t.exterior = {{"Mode", "itemMode"}, {"Mode:On", "selOn"},
                  {"Ghost:Boo", "selGhost"}, {"Mode:Off", "selOff"}};
    t.selectionToInt = {{"selOn", "1"}, {"selOff", "0"}};
    ASSERT_EQ(Build(t), 0);
    EXPECT_TRUE(TraceHas("[INF] : No item row in ExteriorTable for Ghost:Boo"));
    EXPECT_EQ(Dump(), std::string(kHeader) +
                          "itemMode\tselOn\tOn\t1\n"
                          "\t\tselOff\tOff\t0\n");
    EXPECT_EQ(Text("", 0), "");
}

TEST_F(SlctTblTest, ShortRowsFailNamingTableAndFirstCell) {
    struct Case {
        const char* what;
        TableRoot::Rows exterior;
        TableRoot::Rows selectionToInt;
        const char* message;
    } const cases[] = {
        {"choice row without cell 2",
         {{"Mode", "itemMode"}, {"Mode:On"}}, {{"selOn", "1"}},
         "[ERR] : Short row in ExteriorTable: Mode:On"},
        {"item row without cell 2",
         {{"Mode"}, {"Mode:On", "selOn"}}, {{"selOn", "1"}},
         "[ERR] : Short row in ExteriorTable: Mode"},
        {"value row without cell 2",
         {{"Mode", "itemMode"}, {"Mode:On", "selOn"}}, {{"selOn"}},
         "[ERR] : Short row in SelectionToIntTable: selOn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QvsimTraceClear();
        TableRoot::Tables t = ExampleTables();
        t.exterior = c.exterior;
        t.selectionToInt = c.selectionToInt;
        root.WriteTables(t);
        CQvkdcCnvTblCtrl set;
        ASSERT_EQ(set.ImpCnvTbl(), 0);
        EXPECT_EQ(set.CreSlctTbl(), -1);
        EXPECT_TRUE(TraceHas(c.message));
    }
}

TEST_F(SlctTblTest, ItemRowOfOneCellIsFineWhenNoChoiceUsesIt) {
    TableRoot::Tables t = ExampleTables();
    t.exterior.push_back({"Lonely"});
    ASSERT_EQ(Build(t), 0);
    EXPECT_EQ(tables.GetSlctTbl()->GetRowCnt(), 1);
}

}  // namespace
