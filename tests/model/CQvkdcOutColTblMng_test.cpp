#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/CQvkdcOutColTblMng.h"

namespace {

// Keywords and marks are matched whole, exactly and case-sensitively; the
// sub type, when set, is the effective value type.
TEST(CQvkdcOutColTblMng, KeywordsMarksAndEffectiveValueType) {
    struct Case {
        const char *valType, *subType, *mark;
        int effective, subCode, markCode;
    } const cases[] = {
        {"Real", "", "o", 1001, 0, 1},
        {"String", "Real", "O", 1001, 1001, 0},
        {"Select", "Integer", " o", 65, 65, 0},
        {"GroupName", "integer", "o ", 1004, 0, 0},
        {"PlanName", "", "1", 1005, 0, 0},
        {"Knowledge", "", "x", 1006, 0, 0},
        {"FolderName", "", "", 1007, 0, 0},
        {"ProcessName", "", "oo", 1008, 0, 0},
        {"MacroName", "", "o", 1009, 0, 1},
        {"real", "", "o", 0, 0, 1},
        {"Real ", "String", "o", 0, 0, 1},
        {"", "", "", 0, 0, 0},
    };
    CQvkdcOutColTblMng tbl;
    for (const Case& c : cases) {
        tbl.AddColRow(1, "", "", c.mark, c.mark, 0, 0, c.valType, c.subType);
    }
    for (int i = 0; i < tbl.GetColCnt(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << '"' << c.valType << "\"/\"" << c.subType
                                        << "\"/\"" << c.mark << '"');
        const CQvkdcOutColRowMng* row = tbl.GetColRow(i);
        EXPECT_EQ(row->GetValType(), c.effective);
        EXPECT_EQ(row->GetSubType(), c.subCode);
        EXPECT_EQ(row->GetIsBlank(), c.markCode);
        EXPECT_EQ(row->GetIsRepeat(), c.markCode);
    }
}

TEST(CQvkdcOutColTblMng, GetColRowOutOfRangeThrows) {
    CQvkdcOutColTblMng tbl;
    EXPECT_THROW(tbl.GetColRow(0), std::out_of_range);
    tbl.AddColRow(1, "A", "a", "", "", 0, 0, "", "");
    EXPECT_THROW(tbl.GetColRow(-1), std::out_of_range);
    EXPECT_THROW(tbl.GetColRow(1), std::out_of_range);
    EXPECT_EQ(tbl.GetColRow(0)->GetExName(), "A");
}

TEST(CQvkdcOutColTblMng, IsExistItNameMatchesWholeNamesExactly) {
    CQvkdcOutColTblMng tbl;
    tbl.AddColRow(1, "A", "item", "", "", 0, 0, "", "");
    EXPECT_EQ(tbl.IsExistItName("item"), 1);
    for (const char* other : {"Item", "ite", "item ", "A", ""}) {
        EXPECT_EQ(tbl.IsExistItName(other), 0) << other;
    }
}

TEST(CQvkdcOutColTblMng, TitleLineAndDump) {
    const std::string header =
        "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\t"
        "IsRepeat\n";
    CQvkdcOutColTblMng tbl;
    std::string line = "untouched";
    std::string dump = "old";
    tbl.GetTitleLine(line);
    tbl.DumpTbl(dump);
    EXPECT_EQ(line, "untouched");
    EXPECT_EQ(dump, header);

    tbl.AddColRow(2, "B", "A", "o", "", 0, 0, "Select", "Integer");
    tbl.GetTitleLine(line);
    EXPECT_EQ(line, "B");

    tbl.AddColRow(1, "", "item", "", "o", -7, 1011, "String", "");
    tbl.AddColRow(1, "C,\"x\"", "item", "O", "x", 2147483647, -2147483647 - 1,
                  "Knowledge", "Real");
    tbl.GetTitleLine(line);
    tbl.DumpTbl(dump);
    EXPECT_EQ(line, "B,,C,\"x\"");
    EXPECT_EQ(dump, header +
                        "2\tA\tB\t0\t0\t65\t65\t1\t0\n"
                        "1\titem\t\t1011\t-7\t1002\t0\t0\t1\n"
                        "1\titem\tC,\"x\"\t-2147483648\t2147483647\t1001\t1001\t0\t0\n");
}

}  // namespace
