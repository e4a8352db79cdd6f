// The process converter: the value texts, the text of every kind of column
// for processes of the stand-in host's model, and the failures.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "convert/CQvkdcCnvColData.h"
#include "examine/ValueText.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "examine/ValueTypes.h"
#include "support/HostFixture.h"

namespace {

constexpr int kInteger = kSubTypeInteger;
constexpr int kReal = kValTypeReal;
constexpr int kString = kValTypeString;
constexpr int kSelect = kValTypeSelect;

// Three double-quote characters on each side: the quoted-text form.
std::string Q3(const std::string& s) { return "\"\"\"" + s + "\"\"\""; }

// Numbers are written as the C library's "%d" and "%.6f" write them in the C
// locale, whatever the locale of the process; not-finite reals and missing
// values give empty texts.
TEST(ValueText, Numbers) {
    const double reals[] = {1234.56789, 0.0000004, 0.0000006, -0.1, 3.0, -1e6, 1e22, -DBL_MAX, DBL_MIN,
                            5e-324, 0.1234565, 2.0000005, 1.0 / 3.0, 999999.9999995, -0.0, -0.0000004,
                            // rounding that carries into the whole part
                            0.9999996, -9.9999997, 255.9999999, 4095.9999996};
    std::vector<std::string> expected;
    for (double v : reals) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        expected.emplace_back(buf);
    }
    auto check = [&] {
        std::string out = "stale";
        for (std::size_t i = 0; i < std::size(reals); ++i) {
            CnvRealVal(&reals[i], out);
            EXPECT_EQ(out, expected[i]);
        }
        for (const int v : {INT_MIN, 1234567, 0}) {
            CnvIntVal(&v, out);
            EXPECT_EQ(out, std::to_string(v));
        }
        for (const double v : {std::numeric_limits<double>::quiet_NaN(), -HUGE_VAL}) {
            CnvRealVal(&v, out);
            EXPECT_EQ(out, "");
        }
        CnvIntVal(nullptr, out);
        EXPECT_EQ(out, "");
        out = "stale";
        CnvRealVal(nullptr, out);
        EXPECT_EQ(out, "");
    };
    check();
    // Random bit patterns of every exponent, and thousandths and binary
    // fractions (ties) of every size.
    uint64_t state = 12345;
    for (int i = 0; i < 100000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        double v;
        std::memcpy(&v, &state, sizeof v);
        if (i % 3 == 1) v = static_cast<double>(static_cast<int64_t>(state >> 20)) / 1000.0;
        if (i % 3 == 2) {
            v = static_cast<double>(static_cast<int64_t>(state >> 24)) / 128.0 /
                static_cast<double>(uint64_t{1} << (i % 40));
        }
        if (!std::isfinite(v)) continue;
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        std::string out;
        CnvRealVal(&v, out);
        ASSERT_EQ(out, buf) << i;
    }
#ifdef _WIN32
    const char* const kCommaLocale = "German_Germany.1252";
#else
    const char* const kCommaLocale = "de_DE.UTF-8";
#endif
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, kCommaLocale) == nullptr) {
        // CI generates the locale; elsewhere it may be missing.
        if (std::getenv("CI") != nullptr) ADD_FAILURE() << kCommaLocale << " is missing (locale-gen it)";
        return;
    }
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    check();
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(ValueText, QuotingTrimsAndSkipsBlankTexts) {
    // Text; EncloseQuot; EncloseDblQuot, then EncloseQuot.
    const struct { const char *in, *quot, *quoted; } cases[] = {
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

// Processes [2,0,0,n]: 1 type 2441, tool T01 of state 1; 2 type 2411, blank
// name, tool of state 0, flag 1323 = 1; 3 type 2425 without tool; 4 type
// 2502, blank tool text, flag of status 1 without value; 5 type 2411, tool
// name longer than the tool text call takes, flag status -1; 6 type 2411,
// tool text of status -1; 7 type 2411, tool text "LONG" of 200 bytes. Keys 1122
// and 1274 (pitch) and 1300 differ.
// SetUp adds a process [2,0,0,t] of type t for t = 2405 to 2455 and 2500 to
// 2504, with pitch 1.5 under 1122 and 2.5 under 1274.
const char kModel[] = R"({"toolTexts": {"T01": " D10 ", "T02": {"status": -1}, "T03": "  ", "ABCDEFGHIJKLMNO": "cut",
 "T04": "LONG"},
 "plans": [ { "id": [1,0,0,1], "name": "  Plan A ", "processes": [
  { "id": [2,0,0,1], "type": 2441, "name": " Drill ", "tool": {"type": 3, "state": 1, "name": "T01"},
    "candidateTools": ["A", "", "C", "", ""],
    "params": {"250": 3, "251": 2.5, "252": " text ", "253": null, "254": {"status": 1}, "255": -5, "256": 3.0,
               "257": "a,\"b\"", "258": 2, "259": "   ", "260": {"status": -1}, "1323": 0, "1122": 11.25,
               "1274": 12.75, "1300": 1234.56789} },
  { "id": [2,0,0,2], "type": 2411, "name": "   ", "tool": {"type": 3, "state": 0, "name": "T01"},
    "candidateTools": ["", "B"], "params": {"250": 4, "1323": 1, "1122": 11.25, "1274": 12.75} },
  { "id": [2,0,0,3], "type": 2425, "name": "Face",
    "params": {"1323": 0, "1122": 11.25, "1274": 12.75, "1300": -0.1, "258": 2} },
  { "id": [2,0,0,4], "type": 2502, "name": "Pocket", "tool": {"type": 5, "state": 1, "name": "T03"},
    "params": {"1323": {"status": 1}, "1122": 11.25, "1274": 12.75, "1300": 3.0, "258": 2} },
  { "id": [2,0,0,5], "type": 2411, "name": "Long", "tool": {"type": 5, "state": 1, "name": "ABCDEFGHIJKLMNOPQRS"},
    "params": {"1323": {"status": -1}} },
  { "id": [2,0,0,6], "type": 2411, "name": "Bad", "tool": {"type": 5, "state": 1, "name": "T02"} },
  { "id": [2,0,0,7], "type": 2411, "name": "Tall", "tool": {"type": 5, "state": 1, "name": "T04"} })";

std::vector<int> TypeCodes() {
    std::vector<int> types;
    for (int t = 2405; t <= 2455; ++t) types.push_back(t);
    for (int t = 2500; t <= 2504; ++t) types.push_back(t);
    return types;
}

class CnvColDataTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        std::string model = kModel;
        model.replace(model.find("LONG"), 4, std::string(200, 't'));
        for (const int t : TypeCodes()) {
            model += R"(, {"id": [2, 0, 0, )" + std::to_string(t) + R"(], "type": )" + std::to_string(t) +
                     R"(, "params": {"1122": 1.5, "1274": 2.5}})";
        }
        LoadModel(model + "]}]}");
        const struct { const char *item, *text; int value; } choices[] = {
            {"toolType1", "Drill", 3}, {"toolType1", "Mill", 5}, {"ttlKSCNANGDECTYP", "Auto", 0},
            {"ttlLCLPAXIS", "Y", 2},   {"ttlLCLPHGT", "High", 2}, {"selItem", "Two", 2}, {"selItem", "Three", 3}};
        for (const auto& c : choices) slct_.AddSlct(c.item, c.text, c.text, c.value);
        cnv_.SetSlctTbl(&slct_);
        cnv_.SetColRow(&row_);
        cnv_.SetTSetFormTxt("  TS1 ");
    }
    void TearDown() override {
        if (rec_ != nullptr) QmemFrePrcs(rec_);
        HostTest::TearDown();
    }

    // Points the converter at process [2,0,0,n] and the column.
    void Use(int n, const char* item, int key, int valType) {
        if (rec_ != nullptr) QmemFrePrcs(rec_);
        const ModelId id = {2, 0, 0, n};
        const int32_t ints[4] = {2, 0, 0, n};  // the same id as four ints
        EXPECT_EQ(QdgmGetPrcs(0, &id, &rec_), 0) << n;
        cnv_.SetPrcsId(ints);
        cnv_.SetPrcsDat(rec_);
        row_.SetItName(item);
        row_.SetPrmKey(key);
        row_.SetValType(valType);
    }
    // Host inquiries made so far: names, plans, parameters, tool texts.
    static int Asks() {
        int n = 0;
        for (const char* call :
             {"QdgmRetIdnamLN", "QdgmRetLstRM", "QvlbpPrcInqPrm", "QvptfInqLnN", "QvlbuGetCanTool"}) {
            n += QvsimCallCount(call);
        }
        return n;
    }

    CQvkdcCnvColData cnv_;
    CQvkdcSlctValTblMng slct_;
    CQvkdcOutColRowMng row_;
    QdgmPrcsRec* rec_ = nullptr;
};

TEST_F(CnvColDataTest, ColumnTextsAndHostInquiries) {
    struct Case { int process; const char* item; int key, valType; std::string text; int asks; };
    std::vector<Case> cases = {
        // Item converters, whatever the column's key and value type.
        {1, "ttlKHNAMEA", 250, kInteger, Q3("Drill"), 1}, {2, "ttlKHNAMEA", 0, 0, "", 1},
        {3, "ttlKHNAMEA", 0, 0, Q3("Face"), 1},           {1, "planName", 250, kInteger, "  Plan A ", 2},
        {1, "toolType1", 250, kInteger, "Drill", 0},      {4, "toolType1", 0, 0, "Mill", 0},
        {2, "toolType1", 0, 0, "", 0},  // the tool type is not output
        {3, "toolType1", 0, 0, "", 0},  // no tool record
        {1, "toolGrpName", 0, 0, "A#C", 1}, {2, "toolGrpName", 0, 0, "#B", 1}, {3, "toolGrpName", 0, 0, "", 1},
        {1, "toolCheck1", 250, kInteger, "\"TS1 =\"\"D10\"\"\"", 1}, {3, "toolCheck1", 0, 0, "", 0},
        {4, "toolCheck1", 0, 0, "", 1},                      // blank text: no form
        {5, "toolCheck1", 0, 0, "\"TS1 =\"\"cut\"\"\"", 1},  // name cut to 15 bytes
        {7, "toolCheck1", 0, 0, "\"TS1 =\"\"" + std::string(127, 't') + "\"\"\"", 1},  // text cut to 127
        {1, "ttlKSCNANGDECTYP", 258, kSelect, "Auto", 0},
        // Local coordinates: read unless flag 1323 is 1, the axis only for
        // the types of set A, written as real or selection.
        {1, "ttlLCLPAXIS", 1300, kReal, "1234.567890", 2}, {2, "ttlLCLPAXIS", 1300, kReal, "", 1},
        {2, "ttlLCLPHGT", 1300, kReal, "", 1},             {3, "ttlLCLPAXIS", 1300, kReal, "", 1},
        {3, "ttlLCLPHGT", 1300, kReal, "-0.100000", 2},    {4, "ttlLCLPAXIS", 1300, kReal, "3.000000", 2},
        {3, "ttlLCLPHGT", 258, kSelect, "High", 2},        {4, "ttlLCLPAXIS", 258, kSelect, "Y", 2},
        {1, "ttlLCLPHGT", 1300, kInteger, "", 2},          {1, "ttlLCLPHGT", 1300, kString, "", 2},
        {1, "ttlLCLPHGT", 0, kReal, "", 2},    // asked whatever the key
        {1, "ttlLCLPHGT", 254, kReal, "", 2},  // status 1: no failure
        // Parameter values by value type; keys 0 and 999999 mean none.
        {1, "selItem", 250, kInteger, "3", 1},      {1, "selItem", 255, kInteger, "-5", 1},
        {1, "selItem", 251, kReal, "2.500000", 1},  {1, "selItem", 256, kReal, "3.000000", 1},
        {1, "selItem", 252, kString, Q3("text"), 1}, {1, "selItem", 259, kString, "", 1},
        {1, "selItem", 257, kString, Q3("a,\"b\""), 1},  // not escaped, not cleaned
        {1, "selItem", 258, kSelect, "Two", 1},     {1, "selItem", 255, kSelect, "", 1},
        {1, "selItem", 250, 1004, "", 1},           {1, "selItem", 250, 0, "", 1},
        {1, "selItem", 0, kInteger, "", 0},         {1, "selItem", 999999, kString, "", 0},
        // No value (null, or a key the process lacks): empty.
        {1, "selItem", 253, kInteger, "", 1}, {1, "selItem", 253, kReal, "", 1},
        {1, "selItem", 4711, kString, "", 1}, {1, "selItem", 4711, kSelect, "", 1},
        // Macro columns by process type; the pitch by type set A, whatever the key.
        {1, "ttlKPMCR", 250, kInteger, "3", 1},  {2, "ttlKPMCR", 250, kInteger, "", 0},
        {1, "ttlKPMCRA", 250, kInteger, "", 0},  {2, "ttlKPMCRA", 250, kInteger, "4", 1},
        {2, "ttlKZPCHVAL", 999999, kReal, "11.250000", 1}, {3, "ttlKZPCHVAL", 250, kReal, "12.750000", 1},
        // The comment is cleaned, other texts are not.
        {1, "ttlKHCOMMENTA", 257, kString, Q3("a__b_"), 1}, {1, "ttlKHCOMMENTA", 259, kString, "", 1},
        {1, "ttlKHCOMMENTB", 257, kString, Q3("a,\"b\""), 1},
        // Item names match whole and case-sensitively.
        {1, "tooltype1", 250, kInteger, "3", 1}, {1, "toolType1 ", 250, kInteger, "3", 1},
        {1, " comment", 250, kInteger, "3", 1},  {1, "ttlKPUSRDEF11", 250, kInteger, "3", 1},
        {1, "", 250, kInteger, "3", 1},
    };
    // Items that are always empty.
    for (const char* item : {"ttlKPUSRDEF1", "ttlKPUSRDEF2", "ttlKPUSRDEF3", "ttlKPUSRDEF4", "ttlKPUSRDEF5",
                             "ttlKPUSRDEF6", "ttlKPUSRDEF7", "ttlKPUSRDEF8", "ttlKPUSRDEF9", "ttlKPUSRDEF10",
                             "ttlKPANGLE", "comment", "planFolder", "processCheck", "toolType2", "toolType3",
                             "toolType4", "toolType5", "toolCheck2", "toolCheck3", "toolCheck4", "toolCheck5"}) {
        cases.push_back({1, item, 257, kString, "", 0});
    }
    // The pitch is parameter 1122 for the process types of set A, 1274 for all others.
    for (const int t : TypeCodes()) {
        const bool setA = (t >= 2411 && t <= 2417) || (t >= 2419 && t <= 2422) || t == 2437 || t == 2438 ||
                          t == 2441 || t == 2442 || (t >= 2446 && t <= 2448) || t == 2502;
        cases.push_back({t, "ttlKZPCHVAL", 0, kReal, setA ? "1.500000" : "2.500000", 1});
    }
    for (const auto& c : cases) {
        Use(c.process, c.item, c.key, c.valType);
        const int before = Asks();
        std::string out = "stale";
        EXPECT_EQ(cnv_.CnvOutData(out), 0) << c.item;
        EXPECT_EQ(out, c.text) << c.item << " of " << c.process;
        EXPECT_EQ(Asks() - before, c.asks) << c.item << " of " << c.process;
    }
}

// The converter traces the column's text in its own frame; a failure keeps
// the caller's text and traces its cause before it.
TEST_F(CnvColDataTest, TraceAndFailures) {
    QvsimTraceAll(1, 1);
    Use(1, "ttlKHNAMEA", 0, 0);
    std::string text;
    EXPECT_EQ(cnv_.CnvOutData(text), 0);
    EXPECT_STREQ(QvsimTraceText(), ">> CQvkdcCnvColData::CnvOutData [577687]\noOutStr = \"\"\"Drill\"\"\"\n"
                                   "<< CQvkdcCnvColData::CnvOutData [577687]\n");
    const struct {
        char missing;             // 'r' column row, 't' selection table, 'd' record
        const char *call, *item;  // a host call that fails once, the column's item
        int process, key;
        const char* err;
    } cases[] = {
        {'r', nullptr, "selItem", 1, 250, "[ERR] : NULL ColTbl"},
        {'t', nullptr, "selItem", 1, 250, "[ERR] : NULL ColTbl"},
        {'d', nullptr, "selItem", 1, 250, "[ERR] : NULL datSP"},
        {0, "QdgmRetIdnamLN", "ttlKHNAMEA", 1, 0, "[ERR] : CnvPrcsNam"},
        {0, "QdgmRetLstRM", "planName", 1, 0, "[ERR] : CnvPlanNam"},
        {0, "QdgmRetIdnamLN", "planName", 1, 0, "[ERR] : CnvPlanNam"},
        {0, "QvptfInqLnN", "toolCheck1", 1, 0, "[ERR] : CnvToolCheck1"},
        {0, nullptr, "toolCheck1", 6, 0, "[ERR] : CnvToolCheck1"},
        {0, "QvlbpPrcInqPrm", "ttlLCLPHGT", 1, 1300, "[ERR] : CnvLCLPVal"},
        {0, nullptr, "ttlLCLPHGT", 1, 260, "[ERR] : CnvLCLPVal"},
        {0, nullptr, "ttlLCLPHGT", 5, 1300, "[ERR] : CnvLCLPVal"},
        {0, "QvlbpPrcInqPrm", "anyItem", 1, 250, "[ERR] : CnvPrcsVal"},
        {0, nullptr, "anyItem", 1, 254, "[ERR] : CnvPrcsVal"},  // status 1
        {0, nullptr, "anyItem", 1, 260, "[ERR] : CnvPrcsVal"},  // status -1
    };
    for (const auto& c : cases) {
        Use(c.process, c.item, c.key, kReal);
        if (c.missing == 'd') cnv_.SetPrcsDat(nullptr);
        cnv_.SetColRow(c.missing == 'r' ? nullptr : &row_);
        cnv_.SetSlctTbl(c.missing == 't' ? nullptr : &slct_);
        QvsimFailCall(c.call != nullptr ? c.call : "", 1);
        QvsimTraceClear();
        std::string out = "kept";
        EXPECT_EQ(cnv_.CnvOutData(out), -1) << c.err;
        EXPECT_EQ(out, "kept");
        EXPECT_TRUE(TraceHas(std::string(c.err) + "\noOutStr = kept\n")) << QvsimTraceText();
    }
}

}  // namespace
