// Parameter value columns: key rules, value types, host status, comment.
#include <gtest/gtest.h>

#include <string>

#include "support/CnvFixture.h"
#include "support/ScopedLocale.h"

using CnvPrcsVal = CnvFixture;

TEST_F(CnvPrcsVal, ValueTypes) {
    const struct {
        int key, valType;
        std::string text;
        int inquiries;
    } cases[] = {
        {250, kInteger, "3", 1},       {255, kInteger, "-5", 1},
        {251, kReal, "2.500000", 1},   {256, kReal, "3.000000", 1},
        {252, kString, Q3("text"), 1}, {259, kString, "", 1},
        {257, kString, Q3("a,\"b\""), 1},  // not escaped, not cleaned
        {258, kSelect, "Two", 1},      {255, kSelect, "", 1},
        {250, 1004, "", 1},            {250, 1009, "", 1},
        {250, 0, "", 1},               {0, kInteger, "", 0},
        {999999, kString, "", 0},
    };
    for (const auto& c : cases) {
        const int before = Inq();
        EXPECT_EQ(Text("selItem", c.key, c.valType), c.text)
            << c.key << '/' << c.valType;
        EXPECT_EQ(Inq() - before, c.inquiries) << c.key << '/' << c.valType;
    }
}

TEST_F(CnvPrcsVal, NoValueGivesEmptyAndStatusNotZeroFails) {
    // 253 is null and 4711 not listed: status 0 without a value.
    for (int valType : {kInteger, kReal, kString, kSelect}) {
        EXPECT_EQ(Text("selItem", 253, valType), "") << valType;
        EXPECT_EQ(Text("selItem", 4711, valType), "") << valType;
    }
    for (int key : {254, 260}) {  // status 1, status -1
        std::string out = "kept";
        EXPECT_EQ(Convert("anyItem", key, kInteger, &out), -1) << key;
        EXPECT_EQ(out, "kept");
    }
}

TEST_F(CnvPrcsVal, MacroAndPitchKeysByProcessType) {
    const struct {
        int process;  // types 2441, 2411, 2425, 2502
        const char* mcr;
        const char* mcra;
        const char* pitch;
    } cases[] = {{1, "3", "", "11.250000"},
                 {2, "", "4", "11.250000"},
                 {3, "", "", "12.750000"},
                 {4, "", "", "11.250000"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(UseProcess(c.process));
        EXPECT_EQ(Text("ttlKPMCR", 250, kInteger), c.mcr) << c.process;
        EXPECT_EQ(Text("ttlKPMCRA", 250, kInteger), c.mcra) << c.process;
        for (int columnKey : {0, 999999, 250}) {
            EXPECT_EQ(Text("ttlKZPCHVAL", columnKey, kReal), c.pitch)
                << c.process << " key " << columnKey;
        }
    }
    ASSERT_TRUE(UseProcess(2));  // the other kind is not asked at all
    const int before = Inq();
    Text("ttlKPMCR", 250, kInteger);
    EXPECT_EQ(Inq(), before);
}

TEST_F(CnvPrcsVal, OnlyTheCommentItemIsCleaned) {
    EXPECT_EQ(Text("ttlKHCOMMENTA", 257, kString), Q3("a__b_"));
    EXPECT_EQ(Text("ttlKHCOMMENTA", 259, kString), "");
    EXPECT_EQ(Text("ttlKHCOMMENTB", 257, kString), Q3("a,\"b\""));
    EXPECT_EQ(Text("comment", 257, kString), "");
}

TEST_F(CnvPrcsVal, NumbersIgnoreADecimalCommaLocale) {
    QVKDC_ENTER_DECIMAL_COMMA_LOCALE(locale);
    EXPECT_EQ(Text("anyItem", 1300, kReal), "1234.567890");
    EXPECT_EQ(Text("ttlLCLPHGT", 1300, kReal), "1234.567890");
}
