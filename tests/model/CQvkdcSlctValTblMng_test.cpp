#include <gtest/gtest.h>

#include <string>

#include "model/CQvkdcSlctValTblMng.h"

namespace {

TEST(CQvkdcSlctValTblMng, ChoicesOfOneColumnShareARowInFilingOrder) {
    CQvkdcSlctValTblMng tbl;
    tbl.AddSlct("colA", "in1", "ex1", 1);
    tbl.AddSlct("colA", "in2", "ex2", 2);
    tbl.AddSlct("colB", "in9", "ex9", 9);
    tbl.AddSlct("colA", "in3", "ex3", 3);
    ASSERT_EQ(tbl.GetRowCnt(), 2);
    const CQvkdcSlctValRowMng* a = tbl.GetRow(0);
    EXPECT_EQ(a->GetColItName(), "colA");
    EXPECT_EQ(a->GetSlctItNameArr(), (std::vector<std::string>{"in1", "in2", "in3"}));
    EXPECT_EQ(a->GetSlctExNameArr(), (std::vector<std::string>{"ex1", "ex2", "ex3"}));
    EXPECT_EQ(a->GetSlctValArr(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(tbl.GetRow(1)->GetColItName(), "colB");
    EXPECT_EQ(tbl.GetRow(1)->IsColItName("colB"), 1);
    EXPECT_EQ(tbl.GetRow(1)->IsColItName("colb"), 0);
}

TEST(CQvkdcSlctValTblMng, Lookup) {
    CQvkdcSlctValTblMng tbl;
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "");

    tbl.AddSlct("col", "i1", "first", 1);
    tbl.AddSlct("col", "i2", "second", 2);
    tbl.AddSlct("col", "i3", "again", 1);
    tbl.AddSlct("Col", "j1", "other case", 1);
    tbl.AddSlct("", "k", "empty name", 5);

    struct Case {
        const char* name;
        int value;
        const char* text;
    } const cases[] = {
        {"col", 1, "first"},  // the first of two equal values wins
        {"col", 2, "second"},
        {"col", 3, ""},       // value not listed
        {"Col", 1, "other case"},
        {"COL", 1, ""},       // names are case-sensitive
        {"co", 1, ""},
        {"", 5, "empty name"},
        {"missing", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "/" + std::to_string(c.value));
        EXPECT_EQ(tbl.GetSlctExName(c.name, c.value), c.text);
    }
    EXPECT_EQ(tbl.GetRowCnt(), 3);
}

TEST(CQvkdcSlctValTblMng, DumpContinuationLinesBeginWithTwoTabs) {
    CQvkdcSlctValTblMng tbl;
    std::string dump = "old content";
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump, "ColItName\tSlctItName\tSlctExName\tSlctVal\n");

    tbl.AddSlct("colA", "in1", "ex1", 1);
    tbl.AddSlct("colB", "inB", "exB", -4);
    tbl.AddSlct("colA", "in2", "", 20);
    tbl.AddSlct("colA", "in3", "x:y", 1);
    dump = "old content";
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump,
              "ColItName\tSlctItName\tSlctExName\tSlctVal\n"
              "colA\tin1\tex1\t1\n"
              "\t\tin2\t\t20\n"
              "\t\tin3\tx:y\t1\n"
              "colB\tinB\texB\t-4\n");
}

TEST(CQvkdcSlctValTblMng, ClearTblForgetsRowsAndIndex) {
    CQvkdcSlctValTblMng tbl;
    tbl.AddSlct("col", "i", "old", 1);
    tbl.ClearTbl();
    EXPECT_EQ(tbl.GetRowCnt(), 0);
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "");
    tbl.AddSlct("col", "i", "new", 1);
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "new");
    EXPECT_EQ(tbl.GetRowCnt(), 1);
}

}  // namespace
