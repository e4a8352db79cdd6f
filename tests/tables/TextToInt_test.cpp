#include <gtest/gtest.h>

#include <climits>

#include "tables/TextToInt.h"

TEST(TextToInt, ReadsLikeAtoiAndClamps) {
    struct Case {
        const char* text;
        int value;
    } const cases[] = {
        {"250", 250}, {"-3", -3},   {"+7", 7},     {"12abc", 12},
        {"abc", 0},   {"", 0},      {" \t\n\v\f\r42", 42},
        {"- 5", 0},   {"+-5", 0},   {"0x1A", 0},   {"3.9", 3},
        {"2147483647", INT_MAX},    {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},    {"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << c.text;
}
