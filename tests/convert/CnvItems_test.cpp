// The dedicated item converters.
#include <gtest/gtest.h>

#include <string>

#include "qvhostsim/qvhostsim.h"
#include "support/CnvFixture.h"

using CnvItems = CnvFixture;

TEST_F(CnvItems, NamesPerProcess) {
    // process, name text, plan name text, tool type text, tool group text
    const struct {
        int process;
        std::string name, plan, toolType, group;
    } cases[] = {
        {1, Q3("Drill"), "  Plan A ", "Drill", "A#C"},  // A, -, C, -, -
        {2, "", "  Plan A ", "", "#B"},  // blank name; tool state 0; -, B
        {3, Q3("Face"), "  Plan A ", "", ""},  // no tool, no candidates
        {4, Q3("Pocket"), "  Plan A ", "Mill", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(UseProcess(c.process));
        EXPECT_EQ(Text("ttlKHNAMEA"), c.name) << c.process;
        EXPECT_EQ(Text("planName"), c.plan) << c.process;
        EXPECT_EQ(Text("toolType1"), c.toolType) << c.process;
        EXPECT_EQ(Text("toolGrpName"), c.group) << c.process;
    }
}

TEST_F(CnvItems, ToolCheckText) {
    const struct {
        int process;
        const char* form;
        const char* text;
    } cases[] = {
        {1, "", "\"=\"\"D10\"\"\""},
        {1, "TS1", "\"TS1=\"\"D10\"\"\""},
        {1, "  TS1 ", "\"TS1 =\"\"D10\"\"\""},
        {3, "TS1", ""},                  // no tool record
        {4, "TS1", ""},                  // blank text: no tool-set form
        {5, "", "\"=\"\"cut\"\"\""},     // name cut to its first 15 bytes
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(UseProcess(c.process));
        cnv_.SetTSetFormTxt(c.form);
        EXPECT_EQ(Text("toolCheck1"), c.text) << c.process << c.form;
    }
    ASSERT_TRUE(UseProcess(6));  // the host answers status -1
    std::string out;
    EXPECT_EQ(Convert("toolCheck1", 0, 0, &out), -1);
}

TEST_F(CnvItems, ScanAngleIsTheSelectionTextOfZero) {
    const int before = Inq();
    EXPECT_EQ(Text("ttlKSCNANGDECTYP", 258, kSelect), "Auto");
    EXPECT_EQ(Inq(), before);
    CQvkdcSlctValTblMng empty;
    cnv_.SetSlctTbl(&empty);
    EXPECT_EQ(Text("ttlKSCNANGDECTYP"), "");
}

TEST_F(CnvItems, LocalCoordinates) {
    const struct {
        int process;  // 1: 2441 flag 0; 2: 2411 flag 1; 3: 2425 flag 0;
                      // 4: 2502 flag of status 1 without value
        const char* item;
        int key, valType;
        const char* text;
        int inquiries;
    } cases[] = {
        {1, "ttlLCLPAXIS", 1300, kReal, "1234.567890", 2},
        {2, "ttlLCLPAXIS", 1300, kReal, "", 1},
        {2, "ttlLCLPHGT", 1300, kReal, "", 1},
        {3, "ttlLCLPAXIS", 1300, kReal, "", 1},
        {3, "ttlLCLPHGT", 1300, kReal, "-0.100000", 2},
        {4, "ttlLCLPAXIS", 1300, kReal, "3.000000", 2},
        {3, "ttlLCLPHGT", 258, kSelect, "High", 2},
        {4, "ttlLCLPAXIS", 258, kSelect, "Y", 2},
        {1, "ttlLCLPHGT", 1300, kInteger, "", 2},
        {1, "ttlLCLPHGT", 1300, kString, "", 2},
        {1, "ttlLCLPHGT", 0, kReal, "", 2},    // asked whatever the key
        {1, "ttlLCLPHGT", 254, kReal, "", 2},  // status 1: no failure
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(UseProcess(c.process));
        const int before = Inq();
        EXPECT_EQ(Text(c.item, c.key, c.valType), c.text)
            << c.item << " process " << c.process << " key " << c.key;
        EXPECT_EQ(Inq() - before, c.inquiries) << c.item << c.process;
    }
}

TEST_F(CnvItems, LocalCoordinatesFailOnANegativeStatus) {
    std::string out = "kept";
    EXPECT_EQ(Convert("ttlLCLPHGT", 260, kReal, &out), -1);  // value
    ASSERT_TRUE(UseProcess(5));                                // flag
    EXPECT_EQ(Convert("ttlLCLPHGT", 1300, kReal, &out), -1);
    EXPECT_EQ(out, "kept");
}
