// The check's reports written as they are made: the JSON layout byte for
// byte as a JSON document dumped with nlohmann-json (two spaces, members in
// the order given, invalid UTF-8 as U+FFFD), the blocks handed on whole and
// the first failure of a stream kept, findings placed on the page beside
// the first choice row shown at their line, and the bounded edit distance
// of the did-you-mean hints.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/Suggest.h"
#include "check/Checker.h"
#include "report/JsonWriter.h"
#include "report/ReportWriter.h"
#include "support/CheckReport.h"
#include "support/HostFixture.h"

namespace {

using nlohmann::json;

// value through JsonWriter: objects in their (sorted) member order.
void Write(const json& value, JsonWriter* w) {
    switch (value.type()) {
        case json::value_t::object:
            w->BeginObject();
            for (const auto& [name, member] : value.items()) {
                w->Key(name);
                Write(member, w);
            }
            w->EndObject();
            break;
        case json::value_t::array:
            w->BeginArray();
            for (const json& element : value) Write(element, w);
            w->EndArray();
            break;
        case json::value_t::string: w->String(value.get_ref<const std::string&>()); break;
        case json::value_t::boolean: w->Bool(value.get<bool>()); break;
        case json::value_t::null: w->Null(); break;
        default: w->Int(value.get<long long>());
    }
}

std::string Written(const json& value) {
    std::ostringstream text;
    ReportWriter out(&text);
    JsonWriter w(&out);
    Write(value, &w);
    EXPECT_EQ(out.Finish(), "");
    return text.str();
}

std::string Reference(const json& value) { return value.dump(2, ' ', false, json::error_handler_t::replace); }

// Bytes that make every kind of text: plain, escaped, control, and pieces
// of well-formed and broken UTF-8.
std::string RandomText(std::mt19937& rng) {
    static const char* const kPieces[] = {
        "a", "Choice 12, wide", "\"", "\\", "\n", "\t", "\x01", "\x1F", "\x7F", "/", "\xC3\xA9", "\xE2\x82\xAC",
        "\xF0\x9F\x98\x80", "\x80", "\xC3", "\xE0\x80", "\xE2\x82", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF",
        "\xC0\xAF", "\xF0\x9F\x98"};
    std::string text;
    const int pieces = static_cast<int>(rng() % 12);
    for (int i = 0; i < pieces; ++i) text += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    return text;
}

json RandomValue(std::mt19937& rng, int depth) {
    switch (rng() % (depth > 20 ? 4 : 6)) {
        case 0: return RandomText(rng);
        case 1: return static_cast<long long>(rng()) - (1ll << 31);
        case 2: return rng() % 2 == 0;
        case 3: return nullptr;
        case 4: {
            json object = json::object();
            const int members = static_cast<int>(rng() % 4);
            for (int i = 0; i < members; ++i) {
                object["m" + std::to_string(rng() % 100) + std::string(rng() % 3 == 0 ? 40 : 0, 'x')] =
                    RandomValue(rng, depth + 1);
            }
            return object;
        }
        default: {
            json array = json::array();
            const int elements = static_cast<int>(rng() % 4);
            for (int i = 0; i < elements; ++i) array.push_back(RandomValue(rng, depth + 1));
            return array;
        }
    }
}

TEST(CheckReportWriting, JsonAsTheReferenceDumpsIt) {
    std::mt19937 rng(20261206);
    for (int i = 0; i < 3000; ++i) {
        const json value = RandomValue(rng, 0);
        ASSERT_EQ(Written(value), Reference(value)) << i;
    }
    // Deeper than the levels written in one piece, a long member name.
    json deep = "end";
    for (int i = 0; i < 40; ++i) deep = json{{std::string(i % 7 == 0 ? 50 : 1, 'k'), deep}, {"z", json::array({i})}};
    EXPECT_EQ(Written(deep), Reference(deep));
}

TEST(CheckReportWriting, JsonTexts) {
    const char* const texts[] = {
        "", "plain", "eight b.", "a\"b", "back\\slash", "\b\f\n\r\t", "\x7F\x1F",
        "caf\xC3\xA9", "\xC3\xA9\xC3",           // broken off at the end
        "\xE0\x80\xAF", "\xE0\xA0\x80",          // overlong, then the smallest three-byte form
        "\xED\x9F\xBF\xED\xA0\x80",              // the last before the surrogates, then one
        "\xF4\x8F\xBF\xBF\xF4\x90\x80\x80",      // U+10FFFF, then beyond it
        "\xE2\x82" "A", "\xF0\x9F\x98" "\xF0\x9F\x98\x80", "\xC0\xC1\xF5\xFF",
        "\xEF\xBC\x81\xEF\xBF\xBF",          // the highest lead byte of three: U+FF01, U+FFFF
        "\xDF\xBF", "\xC2\x80",              // the highest and lowest lead bytes of two: U+07FF, U+0080
        "sixteen plain by" "\x01" "tes and more plain text after it",
    };
    for (const char* text : texts) {
        EXPECT_EQ(Written(json(text)), Reference(json(text))) << ::testing::PrintToString(std::string(text));
    }
    const std::string nul("a\0b", 3);
    EXPECT_EQ(Written(json(nul)), "\"a\\u0000b\"");
}

using CheckJsonPlaces = HostTest;

// A column's places in the JSON report: each of its rows, null for a row
// the tables lack.
TEST_F(CheckJsonPlaces, NullForARowTheTablesLack) {
    TableRoot::Tables t = TableRoot::Example();
    t.planCsv.push_back({"4", "itemNone"});
    Root().WriteTables(t);
    Checker checker("", "");
    checker.Run();
    const json columns = json::parse(CheckReport(checker, "json"))["columns"];
    ASSERT_EQ(columns.size(), 4u);
    const std::string tables = "MIRVANE/CAM/KR/Tables/";
    EXPECT_EQ(columns[0]["at"], (json{{"definition", tables + "PlanCSVTable.tsv:1"},
                                      {"key", tables + "ProcessParametersTable.tsv:1"},
                                      {"title", tables + "ExteriorTable.tsv:1"},
                                      {"type", tables + "ParameterSettingTable.tsv:1"}}));
    EXPECT_EQ(columns[3]["at"], (json{{"definition", tables + "PlanCSVTable.tsv:4"},
                                      {"key", nullptr}, {"title", nullptr}, {"type", nullptr}}));
}

// A stream that takes `room` bytes and then refuses.
class Refusing : public std::streambuf {
 public:
    explicit Refusing(std::size_t room) : room_(room) {}
    std::string taken;

 protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::size_t k = std::min(room_ - taken.size(), static_cast<std::size_t>(n));
        taken.append(s, k);
        return static_cast<std::streamsize>(k);
    }
    int_type overflow(int_type c) override {
        if (taken.size() >= room_ || traits_type::eq_int_type(c, traits_type::eof())) return traits_type::eof();
        taken += traits_type::to_char_type(c);
        return c;
    }

 private:
    std::size_t room_;
};

TEST(CheckReportWriting, BlocksHandedOnWholeAndTheFirstFailureKept) {
    // Pieces small and larger than a block, in order and complete.
    std::string expected;
    std::ostringstream text;
    {
        ReportWriter out(&text);
        for (std::size_t n : {std::size_t{1}, ReportWriter::kBlock - 3, std::size_t{7}, 3 * ReportWriter::kBlock + 5,
                              std::size_t{0}, ReportWriter::kBlock}) {
            const std::string piece(n, static_cast<char>('a' + n % 26));
            out.Put(piece);
            expected += piece;
            out.Put('|');
            out.PutInt(-static_cast<long long>(n));
            expected += '|' + std::to_string(-static_cast<long long>(n));
        }
        EXPECT_EQ(out.Finish(), "");
    }
    EXPECT_EQ(text.str(), expected);

    // A stream that refuses: the reason, and nothing after the first refusal.
    Refusing full(ReportWriter::kBlock + 10);
    std::ostream stream(&full);
    ReportWriter out(&stream);
    out.Put(std::string(3 * ReportWriter::kBlock, 'x'));
    out.Put("tail");
    EXPECT_NE(out.Finish(), "");
    EXPECT_EQ(full.taken, std::string(ReportWriter::kBlock + 10, 'x'));
}

class CheckPage : public HostTest {
 protected:
    // The page's row with id, from its start to its end.
    static std::string Row(const std::string& page, const std::string& id) {
        const std::size_t at = page.find("<tr id=\"" + id + "\"");
        if (at == std::string::npos) return "<no row " + id + ">";
        return page.substr(at, page.find("</tr>", at) - at);
    }
};

TEST_F(CheckPage, FindingsBesideTheFirstChoiceRowShownAtTheirLine) {
    // Two items whose choices share the value row "selOn", which holds no
    // number; a choice text with a comma.
    TableRoot::Tables t;
    t.exterior = {{"N", "itemN"}, {"Mode", "itemMode"}, {"Mode:on", "selOn"}, {"Mode:off", "selOff"},
                  {"Kind", "itemK"},  {"Kind:on, fast", "selOn"}};
    t.processParameters = {{"itemN", "100", "1"}, {"itemMode", "200", "2"}, {"itemK", "300", "3"}};
    t.parameterSetting = {{"itemN", "Real", "", ""}, {"itemMode", "Select", "", ""}, {"itemK", "Select", "", ""}};
    t.selectionToInt = {{"selOn", "1x"}, {"selOff", "0"}};
    t.variable = {{"TS", "", "akw_tls_nm"}};
    t.planCsv = {{"1", "itemN"}, {"2", "itemMode"}, {"3", "itemK"}};
    Root().WriteTables(t);
    Root().WriteOptionFile("");
    Checker checker("", "");
    checker.Run();
    const std::string page = CheckReport(checker, "html");

    const std::string mode = Row(page, "choice-3");   // Mode:on, the first shown with the value row
    const std::string kind = Row(page, "choice-6");   // Kind:on, fast
    const std::string notANumber = std::string("[") + FindingCodeName(FindingCode::kNotANumber) + ']';
    EXPECT_NE(mode.find(notANumber), std::string::npos) << mode;
    EXPECT_NE(mode.find("class=\"warning\""), std::string::npos) << mode;
    EXPECT_NE(mode.find("SelectionToIntTable.tsv:1"), std::string::npos) << mode;
    EXPECT_EQ(kind.find(notANumber), std::string::npos) << kind;
    EXPECT_NE(kind.find(std::string("[") + FindingCodeName(FindingCode::kUnquotedText) + ']'), std::string::npos)
        << kind;
    EXPECT_NE(page.find(">choice row 3</a>"), std::string::npos);
    EXPECT_NE(page.find(">choice row 6</a>"), std::string::npos);
}

TEST(CheckReportWriting, BoundedEditDistanceAgreesWithTheWholeOne) {
    std::mt19937 rng(7);
    auto word = [&rng]() {
        std::string w(rng() % 12, 'a');
        for (char& c : w) c = static_cast<char>('a' + rng() % 4);
        return w;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = word();
        const std::string b = word();
        const int limit = static_cast<int>(rng() % 6);
        const int whole = EditDistance(a, b);
        const int bounded = EditDistanceWithin(a, b, limit);
        if (whole <= limit) {
            ASSERT_EQ(bounded, whole) << a << " " << b << " " << limit;
        } else {
            ASSERT_GT(bounded, limit) << a << " " << b << " " << limit;
        }
    }
}

}  // namespace
