#include "convert/ValueText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "support/ScopedLocale.h"

namespace {

std::string Real(double v) {
    std::string out = "stale";
    CnvRealVal(&v, out);
    return out;
}

std::string Int(int v) {
    std::string out = "stale";
    CnvIntVal(&v, out);
    return out;
}

void CheckRealTexts() {
    const struct {
        double value;
        const char* text;
    } cases[] = {{1234.56789, "1234.567890"}, {0.0000004, "0.000000"},
                 {0.0000006, "0.000001"},     {-0.1, "-0.100000"},
                 {3.0, "3.000000"},           {-1e6, "-1000000.000000"}};
    for (const auto& c : cases) EXPECT_EQ(Real(c.value), c.text) << c.value;
    EXPECT_EQ(Int(INT_MIN), "-2147483648");
    EXPECT_EQ(Int(1234567), "1234567");
}

}  // namespace

TEST(ValueText, Numbers) {
    CheckRealTexts();
    // Agrees with the C library's "%.6f" under the C locale, to the digit.
    for (double v : {1e22, -DBL_MAX, DBL_MIN, 5e-324, 0.1234565, 2.0000005,
                     1.0 / 3.0, 999999.9999995, -0.0, -0.0000004}) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        EXPECT_EQ(Real(v), buf);
    }
    // Random bit patterns of every exponent, and thousandths and binary
    // fractions (ties) of every size.
    uint64_t state = 12345;
    for (int i = 0; i < 100000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        double v;
        std::memcpy(&v, &state, sizeof v);
        if (i % 3 == 1) v = static_cast<double>(static_cast<int64_t>(state >> 20)) / 1000.0;
        if (i % 3 == 2) v = static_cast<double>(static_cast<int64_t>(state >> 24)) / 128.0 / static_cast<double>(uint64_t{1} << (i % 40));
        if (!std::isfinite(v)) continue;
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        ASSERT_EQ(Real(v), buf) << i;
    }
    EXPECT_EQ(Real(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(Real(-std::numeric_limits<double>::infinity()), "");
    std::string out = "stale";
    CnvRealVal(nullptr, out);
    EXPECT_EQ(out, "");
    out = "stale";
    CnvIntVal(nullptr, out);
    EXPECT_EQ(out, "");
}

TEST(ValueText, NumbersUnderADecimalCommaLocale) {
    QVKDC_ENTER_DECIMAL_COMMA_LOCALE(locale);
    CheckRealTexts();
}

TEST(ValueText, QuotingTrimsAndSkipsBlankTexts) {
    const struct {
        const char* in;
        const char* quot;    // EncloseQuot
        const char* quoted;  // EncloseDblQuot, then EncloseQuot
    } cases[] = {
        {" ab ", "\"ab\"", "\"\"\"ab\"\"\""},
        {"\t\r\n\v\f a b \n", "\"a b\"", "\"\"\"a b\"\"\""},
        {"", "", ""},
        {" \t\r\n ", "", ""},
        {"a\"b,c", "\"a\"b,c\"", "\"\"\"a\"b,c\"\"\""},  // nothing escaped
        {"\xA0x", "\"\xA0x\"", "\"\"\"\xA0x\"\"\""},     // no-break space stays
    };
    for (const auto& c : cases) {
        std::string quot = c.in;
        EncloseQuot(quot);
        EXPECT_EQ(quot, c.quot) << '[' << c.in << ']';
        std::string quoted = c.in;
        EncloseDblQuot(quoted);
        EncloseQuot(quoted);
        EXPECT_EQ(quoted, c.quoted) << '[' << c.in << ']';
        std::string appended = "row,";
        AppendQuotedText(c.in, appended);
        EXPECT_EQ(appended, "row," + std::string(c.quoted)) << '[' << c.in << ']';
    }
    std::string dbl = " ab ";
    EncloseDblQuot(dbl);
    EXPECT_EQ(dbl, "\"\"ab\"\"");
}
