// The value-type table: each keyword and each code a column can carry leads
// to its row, no other text or code does, and each row's kind of host value
// is the one its form reads.
#include <gtest/gtest.h>

#include <climits>
#include <iterator>

#include "examine/ValueTypes.h"

namespace {

TEST(ValueTypes, KeywordsAndCodesLeadToTheirRowsAndNothingElseDoes) {
    for (const ValueType& type : kValueTypes) {
        EXPECT_EQ(FindValueType(type.keyword), &type) << type.keyword;
        ASSERT_NE(ValueTypeOfCode(type.code), nullptr) << type.code;
        EXPECT_EQ(ValueTypeOfCode(type.code)->keyword, type.keyword);
    }
    for (const ValueType& type : kSubTypes) {
        EXPECT_EQ(FindSubType(type.keyword), &type) << type.keyword;
        ASSERT_NE(ValueTypeOfCode(type.code), nullptr) << type.code;
        EXPECT_EQ(ValueTypeOfCode(type.code)->form, type.form) << type.keyword;
    }
    EXPECT_EQ(FindSubType("String"), nullptr);
    EXPECT_EQ(FindValueType("Integer"), nullptr);
    for (const char* text : {"", "real", "Real ", " Real", "RealX"}) {
        EXPECT_EQ(FindValueType(text), nullptr) << '"' << text << '"';
        EXPECT_EQ(FindSubType(text), nullptr) << '"' << text << '"';
    }
    // The code after the last value type's is no type's.
    const int past = kValTypeReal + static_cast<int>(std::size(kValueTypes));
    for (int code : {0, 64, 66, 1000, past, -1001, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ValueTypeOfCode(code), nullptr) << code;
        EXPECT_EQ(FormOfCode(code), ValueForm::kNone) << code;
        EXPECT_EQ(KindOfCode(code), HostValueKind::kNone) << code;
    }
}

// What the host's value is for a column of each type: the check compares a
// model's value with it (the code of a Select value is an int).
TEST(ValueTypes, KindOfTheHostsValue) {
    const struct {
        std::string_view keyword;
        bool sub;
        HostValueKind kind;
    } cases[] = {
        {"Integer", true, HostValueKind::kInt},   {"Real", true, HostValueKind::kDouble},
        {"String", false, HostValueKind::kText},  {"Select", false, HostValueKind::kInt},
        {"MacroName", false, HostValueKind::kNone}, {"GroupName", false, HostValueKind::kNone},
    };
    for (const auto& c : cases) {
        const int code = c.sub ? SubTypeCodeOf(c.keyword) : ValueTypeCodeOf(c.keyword);
        ASSERT_NE(code, 0) << c.keyword;
        EXPECT_EQ(KindOfCode(code), c.kind) << c.keyword;
    }
    EXPECT_EQ(ValueTypeCodeOf("Integer"), 0);
    EXPECT_EQ(SubTypeCodeOf("Real"), kValTypeReal);
}

}  // namespace
