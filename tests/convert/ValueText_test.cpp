#include "convert/ValueText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

std::string Quot(std::string text) {
    EncloseQuot(text);
    return text;
}

std::string DblQuot(std::string text) {
    EncloseDblQuot(text);
    return text;
}

// The quoted-text form of the string items: double quotes, then quotes.
std::string Quoted(std::string text) {
    EncloseDblQuot(text);
    EncloseQuot(text);
    return text;
}

struct RealCase {
    double value;
    const char* text;
};

const RealCase kRealCases[] = {
    {1234.56789, "1234.567890"},
    {0.0000004, "0.000000"},
    {0.0000006, "0.000001"},
    {-0.1, "-0.100000"},
    {3.0, "3.000000"},
    {2.5, "2.500000"},
    {0.0, "0.000000"},
    {-1e6, "-1000000.000000"},
    {123456789012.25, "123456789012.250000"},
};

// Values whose "%.6f" text is checked against the C library's own.
const double kPrintfOracle[] = {
    1e22, -1e22, DBL_MAX, -DBL_MAX, DBL_MIN, 5e-324, 0.1234565, 2.0000005,
    1.0 / 3.0, -2.0 / 3.0, 999999.9999995, 4503599627370496.5, -0.0,
    -0.0000004, 0.0000005,
};

}  // namespace

TEST(CnvRealVal, SixDecimalsWithPoint) {
    for (const RealCase& c : kRealCases) {
        EXPECT_EQ(Real(c.value), c.text) << c.value;
    }
}

TEST(CnvRealVal, MatchesPrintfUnderCLocale) {
    for (double v : kPrintfOracle) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        EXPECT_EQ(Real(v), buf);
    }
}

TEST(CnvRealVal, NoValueOrNotFiniteGivesEmpty) {
    std::string out = "stale";
    CnvRealVal(nullptr, out);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Real(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(Real(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(Real(-std::numeric_limits<double>::infinity()), "");
}

TEST(CnvRealVal, DecimalCommaLocaleStillWritesPoint) {
    QVKDC_ENTER_DECIMAL_COMMA_LOCALE(locale);
    for (const RealCase& c : kRealCases) {
        EXPECT_EQ(Real(c.value), c.text) << c.value;
    }
    EXPECT_EQ(Int(-1234567), "-1234567");
}

TEST(CnvIntVal, SignedDecimal) {
    EXPECT_EQ(Int(0), "0");
    EXPECT_EQ(Int(-5), "-5");
    EXPECT_EQ(Int(1234567), "1234567");
    EXPECT_EQ(Int(INT_MAX), "2147483647");
    EXPECT_EQ(Int(INT_MIN), "-2147483648");
    std::string out = "stale";
    CnvIntVal(nullptr, out);
    EXPECT_EQ(out, "");
}

TEST(Trim, RemovesTheSixWhiteSpaceCharactersAtBothEndsOnly) {
    EXPECT_EQ(TrimView(" \t\n\v\f\rab c\r\f\v\n\t "), "ab c");
    EXPECT_EQ(TrimView("   "), "");
    EXPECT_EQ(TrimView(""), "");
    // No-break space (0xA0 in the ANSI code page) and NUL are text.
    EXPECT_EQ(TrimView("\xA0x\xA0"), "\xA0x\xA0");
    std::string s(" a\0 ", 4);
    TrimText(s);
    EXPECT_EQ(s, std::string("a\0", 2));
    std::string t = "\t x y \n";
    TrimText(t);
    EXPECT_EQ(t, "x y");
}

TEST(EncloseQuot, QuotesTheTrimmedTextUnlessBlank) {
    struct Case {
        const char* in;
        const char* quot;
        const char* dbl;
        const char* quoted;
    };
    const Case cases[] = {
        {"ab", "\"ab\"", "\"\"ab\"\"", "\"\"\"ab\"\"\""},
        {" ab ", "\"ab\"", "\"\"ab\"\"", "\"\"\"ab\"\"\""},
        {"a b", "\"a b\"", "\"\"a b\"\"", "\"\"\"a b\"\"\""},
        {"", "", "", ""},
        {" \t\r\n ", "", "", ""},
        // Nothing inside is escaped: quotes are not doubled, commas stay.
        {"a\"b,c", "\"a\"b,c\"", "\"\"a\"b,c\"\"", "\"\"\"a\"b,c\"\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Quot(c.in), c.quot) << '[' << c.in << ']';
        EXPECT_EQ(DblQuot(c.in), c.dbl) << '[' << c.in << ']';
        EXPECT_EQ(Quoted(c.in), c.quoted) << '[' << c.in << ']';
    }
}
