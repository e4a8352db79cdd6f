#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/CQvkdcOutColTblMng.h"

namespace {

struct KeywordCase {
    const char* text;
    int valType;
    int subType;
};

// Keyword and mark texts are matched whole, exactly and case-sensitively.
TEST(CQvkdcOutColRowMng, KeywordCodes) {
    const KeywordCase cases[] = {
        {"Real", 1001, 1001},      {"String", 1002, 0},
        {"Select", 1003, 0},       {"GroupName", 1004, 0},
        {"PlanName", 1005, 0},     {"Knowledge", 1006, 0},
        {"FolderName", 1007, 0},   {"ProcessName", 1008, 0},
        {"MacroName", 1009, 0},    {"Integer", 0, 65},
        {"", 0, 0},                {"real", 0, 0},
        {"Real ", 0, 0},           {" Select", 0, 0},
        {"INTEGER", 0, 0},         {"Strin", 0, 0},
    };
    for (const KeywordCase& c : cases) {
        SCOPED_TRACE(std::string("keyword '") + c.text + "'");
        EXPECT_EQ(CQvkdcOutColRowMng::ValTypeCode(c.text), c.valType);
        EXPECT_EQ(CQvkdcOutColRowMng::SubTypeCode(c.text), c.subType);
    }
}

TEST(CQvkdcOutColRowMng, OnlyLowerCaseOIsAMark) {
    CQvkdcOutColRowMng row;
    for (const char* mark : {"O", "1", "x", "", " o", "o ", "oo"}) {
        SCOPED_TRACE(std::string("mark '") + mark + "'");
        row.SetIsBlankStr("o");
        row.SetIsBlankStr(mark);
        EXPECT_EQ(row.GetIsBlank(), 0);
        row.SetIsRepeatStr("o");
        row.SetIsRepeatStr(mark);
        EXPECT_EQ(row.GetIsRepeat(), 0);
    }
    row.SetIsBlankStr("o");
    row.SetIsRepeatStr("o");
    EXPECT_EQ(row.GetIsBlank(), 1);
    EXPECT_EQ(row.GetIsRepeat(), 1);
}

TEST(CQvkdcOutColRowMng, NewRowIsEmpty) {
    const CQvkdcOutColRowMng row;
    EXPECT_EQ(row.GetColFlg(), 0);
    EXPECT_EQ(row.GetItName(), "");
    EXPECT_EQ(row.GetExName(), "");
    EXPECT_EQ(row.GetPrmKey(), 0);
    EXPECT_EQ(row.GetPriority(), 0);
    EXPECT_EQ(row.GetValType(), 0);
    EXPECT_EQ(row.GetSubType(), 0);
    EXPECT_EQ(row.GetIsBlank(), 0);
    EXPECT_EQ(row.GetIsRepeat(), 0);
}

TEST(CQvkdcOutColRowMng, SubTypeOverridesValueType) {
    struct Case {
        const char* valType;
        const char* subType;
        int effective;
    } const cases[] = {
        {"String", "Real", 1001}, {"String", "Integer", 65},
        {"Select", "Integer", 65}, {"Select", "", 1003},
        {"Select", "integer", 1003}, {"Bogus", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.valType) + "/" + c.subType);
        CQvkdcOutColRowMng row;
        row.SetValTypeStr(c.valType);
        row.SetSubTypeStr(c.subType);
        EXPECT_EQ(row.GetValType(), c.effective);
    }
}

TEST(CQvkdcOutColTblMng, AddColRowTakesArgumentsInItsOwnOrder) {
    CQvkdcOutColTblMng tbl;
    tbl.AddColRow(1, "TitleA", "itemA", "o", "", 3, 250, "Select", "Integer");
    ASSERT_EQ(tbl.GetColCnt(), 1);
    const CQvkdcOutColRowMng* row = tbl.GetColRow(0);
    EXPECT_EQ(row->GetColFlg(), 1);
    EXPECT_EQ(row->GetExName(), "TitleA");
    EXPECT_EQ(row->GetItName(), "itemA");
    EXPECT_EQ(row->GetIsBlank(), 1);
    EXPECT_EQ(row->GetIsRepeat(), 0);
    EXPECT_EQ(row->GetPriority(), 3);
    EXPECT_EQ(row->GetPrmKey(), 250);
    EXPECT_EQ(row->GetSubType(), 65);
    EXPECT_EQ(row->GetValType(), 65);
}

TEST(CQvkdcOutColTblMng, GetColRowOutOfRangeThrowsAndLeavesTable) {
    CQvkdcOutColTblMng tbl;
    EXPECT_THROW(tbl.GetColRow(0), std::out_of_range);
    tbl.AddColRow(1, "A", "a", "", "", 0, 0, "", "");
    EXPECT_THROW(tbl.GetColRow(-1), std::out_of_range);
    EXPECT_THROW(tbl.GetColRow(1), std::out_of_range);
    EXPECT_EQ(tbl.GetColCnt(), 1);
    EXPECT_EQ(tbl.GetColRow(0)->GetExName(), "A");
}

TEST(CQvkdcOutColTblMng, IsExistItNameMatchesWholeNamesExactly) {
    CQvkdcOutColTblMng tbl;
    tbl.AddColRow(1, "A", "item", "", "", 0, 0, "", "");
    tbl.AddColRow(1, "B", "other", "", "", 0, 0, "", "");
    EXPECT_EQ(tbl.IsExistItName("item"), 1);
    EXPECT_EQ(tbl.IsExistItName("other"), 1);
    EXPECT_EQ(tbl.IsExistItName("Item"), 0);
    EXPECT_EQ(tbl.IsExistItName("ite"), 0);
    EXPECT_EQ(tbl.IsExistItName("item "), 0);
    EXPECT_EQ(tbl.IsExistItName(""), 0);
}

TEST(CQvkdcOutColTblMng, TitleLine) {
    std::string line = "untouched";
    CQvkdcOutColTblMng tbl;
    tbl.GetTitleLine(line);
    EXPECT_EQ(line, "untouched");

    tbl.AddColRow(1, "A", "a", "", "", 0, 0, "", "");
    tbl.GetTitleLine(line);
    EXPECT_EQ(line, "A");

    tbl.AddColRow(1, "", "b", "", "", 0, 0, "", "");
    tbl.AddColRow(2, "C,\"x\"", "c", "", "", 0, 0, "", "");
    tbl.AddColRow(2, "A", "a", "", "", 0, 0, "", "");
    tbl.GetTitleLine(line);
    EXPECT_EQ(line, "A,,C,\"x\",A");
}

TEST(CQvkdcOutColTblMng, DumpIsExactText) {
    const std::string header =
        "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\t"
        "IsRepeat\n";
    CQvkdcOutColTblMng tbl;
    std::string dump = "old content";
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump, header);

    tbl.AddColRow(2, "B", "A", "o", "", 0, 0, "Select", "Integer");
    tbl.AddColRow(1, "Title", "item", "", "o", -7, 1011, "String", "");
    tbl.AddColRow(1, "Title", "item", "O", "x", 2147483647, -2147483647 - 1,
                  "Knowledge", "Real");
    dump = "old content";
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump, header +
                        "2\tA\tB\t0\t0\t65\t65\t1\t0\n"
                        "1\titem\tTitle\t1011\t-7\t1002\t0\t0\t1\n"
                        "1\titem\tTitle\t-2147483648\t2147483647\t1001\t1001\t0\t0\n");
}

TEST(CQvkdcOutColTblMng, ClearTblEmptiesTheTable) {
    CQvkdcOutColTblMng tbl;
    tbl.AddColRow(1, "A", "a", "", "", 0, 0, "", "");
    tbl.ClearTbl();
    EXPECT_EQ(tbl.GetColCnt(), 0);
    EXPECT_EQ(tbl.IsExistItName("a"), 0);
}

}  // namespace
