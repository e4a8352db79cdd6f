#include <string>
#include <vector>

#include "support/CnvTblFixture.h"

namespace {

const std::string kHeader = "ColItName\tSlctItName\tSlctExName\tSlctVal\n";

class SlctTblTest : public CnvTblFixture {
 protected:
    // Imports the example tables with the given ExteriorTable and
    // SelectionToIntTable and builds the selection table.
    int Build(const TableRoot::Rows& exterior, const TableRoot::Rows& values) {
        TableRoot::Tables t = ExampleTables();
        t.exterior = exterior;
        t.selectionToInt = values;
        root.WriteTables(t);
        EXPECT_EQ(tables.ImpCnvTbl(), 0);
        return tables.CreSlctTbl();
    }
    std::string Dump() {
        std::string dump;
        tables.GetSlctTbl()->DumpTbl(dump);
        return dump;
    }
};

TEST_F(SlctTblTest, ChoicesAreFiledUnderTheItemOfTheirColumn) {
    // Choice rows before the item rows they use, columns interleaved.
    ASSERT_EQ(Build({{"Mode:On", "selOn"}, {"Side:Left", "selLeft"},
                     {"Mode:Off", "selOff"}, {"Mode", "itemMode"},
                     {"TitleA", "itemA"}, {"Side", "itemSide"}},
                    {{"selOn", "1"}, {"selOff", "0"}, {"selLeft", "-3"}}),
              0);
    const std::string dump = Dump();
    EXPECT_EQ(dump, kHeader +
                        "itemMode\tselOn\tOn\t1\n"
                        "\t\tselOff\tOff\t0\n"
                        "itemSide\tselLeft\tLeft\t-3\n");
    EXPECT_TRUE(TraceHas(dump + "stat = 0\n"));
}

TEST_F(SlctTblTest, ChoiceTextIsEverythingAfterTheFirstColon) {
    ASSERT_EQ(Build({{"A", "itemA"}, {"", "itemNone"}, {"A:x:y", "s1"},
                     {"A:", "s2"}, {":z", "s3"}},
                    {{"s1", "1"}, {"s2", "2"}, {"s3", "3"}}),
              0);
    EXPECT_EQ(Dump(), kHeader +
                          "itemA\ts1\tx:y\t1\n"
                          "\t\ts2\t\t2\n"
                          "itemNone\ts3\tz\t3\n");
}

TEST_F(SlctTblTest, ValuesAreReadLikeAtoi) {
    ASSERT_EQ(Build({{"M", "itemM"}, {"M:a", "sa"}, {"M:b", "sb"}, {"M:c", "sc"},
                     {"M:d", "sd"}},
                    {{"sa", "12abc"}, {"sb", "-3"}, {"sc", "word"}, {"sd", ""}}),
              0);
    EXPECT_EQ(tables.GetSlctTbl()->GetRow(0)->GetSlctValArr(),
              (std::vector<int>{12, -3, 0, 0}));
}

TEST_F(SlctTblTest, NoChoiceRowsGiveAnEmptyTable) {
    ASSERT_EQ(Build({{"TitleA", "itemA"}, {"Lonely"}}, {}), 0);
    EXPECT_TRUE(TraceHas(kHeader + "stat = 0\n"));
}

TEST_F(SlctTblTest, ChoiceWithoutValueRowFails) {
    for (const bool valueTable : {true, false}) {
        SCOPED_TRACE(valueTable ? "row missing" : "table missing");
        TableRoot::Tables t = ExampleTables();
        t.exterior.push_back({"Mode:Auto", "selAuto"});
        root.WriteTables(t);
        if (!valueTable) root.RemoveTable("SelectionToIntTable");
        CQvkdcCnvTblCtrl set;
        ASSERT_EQ(set.ImpCnvTbl(), 0);
        QvsimTraceClear();
        EXPECT_EQ(set.CreSlctTbl(), -1);
        EXPECT_EQ(TraceBody(), (std::vector<std::string>{
                                   "[ERR] : Not import tablefile", "stat = -1"}));
        // Choices filed before the failure stay.
        EXPECT_EQ(set.GetSlctTbl()->GetRowCnt(), valueTable ? 1 : 0);
    }
}

// A choice whose item has no item row is skipped with a note; it is never
// filed under the column of an earlier choice.
TEST_F(SlctTblTest, ChoiceOfAnUnknownItemIsSkipped) {
    ASSERT_EQ(Build({{"Mode", "itemMode"}, {"Mode:On", "selOn"},
                     {"Ghost:Boo", "selGhost"}, {"Mode:Off", "selOff"}},
                    {{"selOn", "1"}, {"selOff", "0"}}),
              0);
    EXPECT_TRUE(TraceHas("[INF] : No item row in ExteriorTable for Ghost:Boo\n"));
    EXPECT_EQ(Dump(), kHeader + "itemMode\tselOn\tOn\t1\n\t\tselOff\tOff\t0\n");
}

TEST_F(SlctTblTest, ShortRowsFailNamingTableAndFirstCell) {
    struct Case {
        TableRoot::Rows exterior, values;
        const char* message;
    } const cases[] = {
        {{{"Mode", "itemMode"}, {"Mode:On"}}, {{"selOn", "1"}},
         "[ERR] : Short row 2 in ExteriorTable: Mode:On"},
        {{{"Mode"}, {"Mode:On", "selOn"}}, {{"selOn", "1"}},
         "[ERR] : Short row in ExteriorTable: Mode"},
        {{{"Mode", "itemMode"}, {"Mode:On", "selOn"}}, {{"selOn"}},
         "[ERR] : Short row in SelectionToIntTable: selOn"},
    };
    for (const Case& c : cases) {
        CQvkdcCnvTblCtrl set;
        TableRoot::Tables t = ExampleTables();
        t.exterior = c.exterior;
        t.selectionToInt = c.values;
        root.WriteTables(t);
        ASSERT_EQ(set.ImpCnvTbl(), 0);
        QvsimTraceClear();
        EXPECT_EQ(set.CreSlctTbl(), -1);
        EXPECT_EQ(TraceBody(), (std::vector<std::string>{c.message, "stat = -1"}));
    }
}

}  // namespace
