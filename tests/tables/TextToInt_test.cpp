#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tables/TextToInt.h"

namespace {

TEST(TextToInt, ReadsLikeAtoi) {
    struct Case {
        const char* text;
        int value;
    } const cases[] = {
        {"250", 250},       {"-3", -3},           {"+7", 7},
        {"12abc", 12},      {"abc", 0},           {"", 0},
        {"  \t\n\v\f\r42", 42}, {"- 5", 0},       {"+-5", 0},
        {"0x1A", 0},        {"007", 7},           {"3.9", 3},
        {"-0", 0},          {"1 2", 1},
        {"2147483647", INT_MAX},   {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},   {"-2147483649", INT_MIN},
        {"99999999999999999999999", INT_MAX},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        EXPECT_EQ(TextToInt(c.text), c.value);
    }
}

}  // namespace
