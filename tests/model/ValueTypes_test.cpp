// The value-type table: each keyword and each code a column can carry leads
// to its row, no other text or code does, and each row's kind of host value
// is the one its form reads.
#include <gtest/gtest.h>

#include <climits>

#include "inspect/ValueTypes.h"

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
    for (int code : {0, 64, 66, 1000, 1010, -1001, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ValueTypeOfCode(code), nullptr) << code;
        EXPECT_EQ(FormOfCode(code), ValueForm::kNone) << code;
        EXPECT_EQ(KindOfCode(code), HostValueKind::kNone) << code;
    }
}

// The check compares a model's value with the kind of a row: it must be what
// the converter reads for the row's form (the code of a Select value is an
// int).
TEST(ValueTypes, KindIsWhatTheFormReads) {
    const auto kindRead = [](ValueForm form) {
        switch (form) {
            case ValueForm::kInt:
            case ValueForm::kSelect:
                return HostValueKind::kInt;
            case ValueForm::kReal:
                return HostValueKind::kDouble;
            case ValueForm::kText:
                return HostValueKind::kText;
            case ValueForm::kNone:
                break;
        }
        return HostValueKind::kNone;
    };
    const auto check = [&](const auto& types) {
        for (const ValueType& type : types) {
            EXPECT_EQ(type.kind, kindRead(type.form)) << type.keyword;
            EXPECT_EQ(KindOfCode(type.code), type.kind) << type.keyword;
            EXPECT_FALSE(type.name.empty()) << type.keyword;
        }
    };
    check(kValueTypes);
    check(kSubTypes);
}

}  // namespace
