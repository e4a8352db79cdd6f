#include <gtest/gtest.h>

#include <string>

#include "model/CQvkdcSlctValTblMng.h"

namespace {

TEST(CQvkdcSlctValTblMng, FilingAndLookup) {
    CQvkdcSlctValTblMng tbl;
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "");
    tbl.AddSlct("col", "i1", "first", 1);
    tbl.AddSlct("Col", "j1", "other case", 1);
    tbl.AddSlct("col", "i2", "second", 2);
    tbl.AddSlct("col", "i3", "again", 1);
    tbl.AddSlct("", "k", "empty name", 5);

    ASSERT_EQ(tbl.GetRowCnt(), 3);
    EXPECT_EQ(tbl.GetRow(0)->GetColItName(), "col");
    EXPECT_EQ(tbl.GetRow(0)->GetSlctItNameArr(),
              (std::vector<std::string>{"i1", "i2", "i3"}));
    EXPECT_EQ(tbl.GetRow(0)->GetSlctValArr(), (std::vector<int>{1, 2, 1}));
    struct Case {
        const char* name;
        int value;
        const char* text;
    } const cases[] = {
        {"col", 1, "first"},  // of two equal values the first filed wins
        {"col", 2, "second"}, {"col", 3, ""},  {"Col", 1, "other case"},
        {"COL", 1, ""},       {"co", 1, ""},   {"", 5, "empty name"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tbl.GetSlctExName(c.name, c.value), c.text)
            << c.name << "/" << c.value;
    }
}

TEST(CQvkdcSlctValTblMng, DumpContinuationLinesBeginWithTwoTabs) {
    CQvkdcSlctValTblMng tbl;
    std::string dump = "old";
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump, "ColItName\tSlctItName\tSlctExName\tSlctVal\n");

    tbl.AddSlct("colA", "in1", "ex1", 1);
    tbl.AddSlct("colB", "inB", "exB", -4);
    tbl.AddSlct("colA", "in2", "", 20);
    tbl.AddSlct("colA", "in3", "x:y", 1);
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump,
              "ColItName\tSlctItName\tSlctExName\tSlctVal\n"
              "colA\tin1\tex1\t1\n"
              "\t\tin2\t\t20\n"
              "\t\tin3\tx:y\t1\n"
              "colB\tinB\texB\t-4\n");
}

TEST(CQvkdcSlctValTblMng, ClearTblForgetsTheIndex) {
    CQvkdcSlctValTblMng tbl;
    tbl.AddSlct("col", "i", "old", 1);
    tbl.ClearTbl();
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "");
    tbl.AddSlct("col", "i", "new", 1);
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "new");
}

}  // namespace
