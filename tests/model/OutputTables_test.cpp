// The output column table and the selection value table: what they store,
// what they answer, and their title line and trace dumps.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"

namespace {

// Keywords and marks are matched whole, exactly and case-sensitively; the
// sub type, when set, is the effective value type.
TEST(CQvkdcOutColTblMng, KeywordsMarksAndEffectiveValueType) {
    const struct { const char *valType, *subType, *mark; int effective, subCode, markCode; } cases[] = {
        {"Real", "", "o", 1001, 0, 1},          {"String", "Real", "O", 1001, 1001, 0},
        {"Select", "Integer", " o", 65, 65, 0}, {"GroupName", "integer", "o ", 1004, 0, 0},
        {"PlanName", "", "1", 1005, 0, 0},      {"Knowledge", "", "x", 1006, 0, 0},
        {"FolderName", "", "", 1007, 0, 0},     {"ProcessName", "", "oo", 1008, 0, 0},
        {"MacroName", "", "o", 1009, 0, 1},     {"real", "", "o", 0, 0, 1},
        {"Real ", "String", "o", 0, 0, 1},      {"", "", "", 0, 0, 0},
    };
    CQvkdcOutColTblMng tbl;
    for (const auto& c : cases) tbl.AddColRow(1, "", "", c.mark, c.mark, 0, 0, c.valType, c.subType);
    for (int i = 0; i < tbl.GetColCnt(); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(testing::Message() << '"' << c.valType << "\"/\"" << c.subType << "\"/\""
                                        << c.mark << '"');
        const CQvkdcOutColRowMng* row = tbl.GetColRow(i);
        EXPECT_EQ(row->GetValType(), c.effective);
        EXPECT_EQ(row->GetSubType(), c.subCode);
        EXPECT_EQ(row->GetIsBlank(), c.markCode);
        EXPECT_EQ(row->GetIsRepeat(), c.markCode);
    }
}

// Rows stay in the order they were added; the title line joins their
// external names as they stand; an index out of range throws.
TEST(CQvkdcOutColTblMng, RowsTitleLineAndDump) {
    CQvkdcOutColTblMng tbl;
    std::string line = "untouched";
    tbl.GetTitleLine(line);
    EXPECT_EQ(line, "untouched");
    EXPECT_THROW(tbl.GetColRow(0), std::out_of_range);
    tbl.AddColRow(2, "B", "A", "o", "", 0, 0, "Select", "Integer");
    tbl.AddColRow(1, "", "item", "", "o", -7, 1011, "String", "");
    tbl.AddColRow(1, "C,\"x\"", "item", "O", "x", 2147483647, -2147483647 - 1, "Knowledge", "Real");
    tbl.GetTitleLine(line);
    EXPECT_EQ(line, "B,,C,\"x\"");
    std::string dump;
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump.substr(dump.find("\n1\titem\tC")),
              "\n1\titem\tC,\"x\"\t-2147483648\t2147483647\t1001\t1001\t0\t0\n");
    EXPECT_THROW(tbl.GetColRow(-1), std::out_of_range);
    EXPECT_THROW(tbl.GetColRow(3), std::out_of_range);
    EXPECT_EQ(tbl.GetColRow(2)->GetExName(), "C,\"x\"");
    EXPECT_EQ(tbl.IsExistItName("item"), 1);
    EXPECT_EQ(tbl.IsExistItName("Item"), 0);
}

TEST(CQvkdcSlctValTblMng, FilingLookupAndDump) {
    CQvkdcSlctValTblMng tbl;
    std::string dump = "old";
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump, "ColItName\tSlctItName\tSlctExName\tSlctVal\n");
    EXPECT_EQ(tbl.GetSlctExName("col", 1), "");
    tbl.AddSlct("col", "i1", "first", 1);
    tbl.AddSlct("Col", "j1", "other case", -4);
    tbl.AddSlct("col", "i2", "", 2);
    tbl.AddSlct("col", "i3", "x:y", 1);
    tbl.AddSlct("", "k", "empty name", 5);

    ASSERT_EQ(tbl.GetRowCnt(), 3);
    EXPECT_EQ(tbl.GetRow(0)->GetSlctItNameArr(), (std::vector<std::string>{"i1", "i2", "i3"}));
    EXPECT_THROW(tbl.GetRow(3), std::out_of_range);
    const struct { const char* name; int value; const char* text; } cases[] = {
        {"col", 1, "first"},  // of two equal values the first filed wins
        {"col", 2, ""},      {"col", 3, ""}, {"Col", -4, "other case"},
        {"COL", -4, ""},     {"co", 1, ""},  {"", 5, "empty name"},
    };
    for (const auto& c : cases) EXPECT_EQ(tbl.GetSlctExName(c.name, c.value), c.text) << c.name << "/" << c.value;
    tbl.DumpTbl(dump);
    EXPECT_EQ(dump,
              "ColItName\tSlctItName\tSlctExName\tSlctVal\n"
              "col\ti1\tfirst\t1\n"
              "\t\ti2\t\t2\n"
              "\t\ti3\tx:y\t1\n"
              "Col\tj1\tother case\t-4\n"
              "\tk\tempty name\t5\n");
    tbl.ClearTbl();
    tbl.AddSlct("Col", "j2", "new", 1);
    EXPECT_EQ(tbl.GetRowCnt(), 1);
    EXPECT_EQ(tbl.GetSlctExName("Col", -4), "");
    EXPECT_EQ(tbl.GetSlctExName("Col", 1), "new");
}

}  // namespace
