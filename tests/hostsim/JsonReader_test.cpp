#include "JsonReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using qvsim::JsonReader;

std::string Failed(const JsonReader& in) { return "error: " + in.Error(); }

// The values of a text in a compact form ({k:v,...} [v,...], u/i/d numbers,
// s"text"), or "error: <message>".
std::string Walk(JsonReader& in) {
    std::string out;
    std::string open;  // closing mark of each open container, innermost last
    std::string_view text;
    for (;;) {
        JsonReader::Type type;
        if (!in.Peek(&type)) return Failed(in);
        JsonReader::Number n;
        char buf[64] = "";
        switch (type) {
            case JsonReader::Type::kObject: in.BeginObject(); out += '{'; open += '}'; break;
            case JsonReader::Type::kArray: in.BeginArray(); out += '['; open += ']'; break;
            case JsonReader::Type::kString:
                if (!in.ReadString(&text)) return Failed(in);
                out += "s\"" + std::string(text) + '"';
                break;
            case JsonReader::Type::kNumber:
                if (!in.ReadNumber(&n)) return Failed(in);
                if (n.kind == JsonReader::Number::kInt) std::snprintf(buf, sizeof buf, "i%lld", static_cast<long long>(n.i));
                if (n.kind == JsonReader::Number::kUint) std::snprintf(buf, sizeof buf, "u%llu", static_cast<unsigned long long>(n.u));
                if (n.kind == JsonReader::Number::kDouble) std::snprintf(buf, sizeof buf, "d%g", n.d);
                out += buf;
                break;
            default:
                if (!in.ReadLiteral()) return Failed(in);
                out += type == JsonReader::Type::kTrue ? "true" : type == JsonReader::Type::kFalse ? "false" : "null";
                break;
        }
        // Close what ends here, up to the next value.
        for (;;) {
            if (open.empty()) return in.AtEnd() ? out : Failed(in);
            std::string_view key;
            const bool object = open.back() == '}';
            const int r = object ? in.NextMember(&key) : in.NextElement();
            if (r < 0) return Failed(in);
            if (r == 0) {
                out += open.back();
                open.pop_back();
                continue;
            }
            if (out.back() != '{' && out.back() != '[') out += ',';
            if (object) out += std::string(key) + ':';
            break;
        }
    }
}

// Walks text from memory and from a file read 1, 2, 3 and 7 bytes at a
// time; all must agree.
std::string WalkEveryWay(const std::string& text) {
    JsonReader memory(text);
    const std::string expected = Walk(memory);
    for (std::size_t chunk : {1, 2, 3, 7}) {
        std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::tmpfile(), &std::fclose);
        EXPECT_TRUE(file) << "no temporary file";
        if (!file) break;
        std::fwrite(text.data(), 1, text.size(), file.get());
        std::rewind(file.get());
        JsonReader streamed(file.get(), chunk);
        EXPECT_EQ(Walk(streamed), expected) << "chunk " << chunk << ": " << text;
    }
    return expected;
}

TEST(JsonReader, ReadsEveryKindOfValueWhereverTheChunksEnd) {
    const struct {
        std::string text;
        std::string walked;
    } cases[] = {
        {R"( {"a": [1, -2, 3.5, 1e2, true, false, null], "b": {}, "c": []} )",
         "{a:[u1,i-2,d3.5,d100,true,false,null],b:{},c:[]}"},
        {R"(["q\"b\\s\/n\n", "\u00e9\u20ac\ud83d\ude00", "caf)" "\xC3\xA9" R"("])",
         "[s\"q\"b\\s/n\n\",s\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\",s\"caf\xC3\xA9\"]"},
        {"\xEF\xBB\xBF[0, -0]", "[u0,i0]"},
        {"[18446744073709551615, 18446744073709551616, -9223372036854775808, "
         "-9223372036854775809]",
         "[u18446744073709551615,d1.84467e+19,i-9223372036854775808,d-9.22337e+18]"},
        {"[1e-999, -1E-999, 2.5e-324]", "[d0,d-0,d4.94066e-324]"},
        {"\"" + std::string(100, 'x') + "\"", "s\"" + std::string(100, 'x') + "\""},
    };
    for (const auto& c : cases) EXPECT_EQ(WalkEveryWay(c.text), c.walked) << c.text;
}

TEST(JsonReader, NamesTheLineAndColumnOfAFault) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"", "parse error at line 1, column 1: unexpected end of input"},
        {"[1, 2", "parse error at line 1, column 6: unexpected end of input"},
        {"{\n  \"a\": tru }", "parse error at line 2, column 11: invalid literal"},
        {"[1,\n1e999]", "parse error at line 2, column 1: number overflow parsing '1e999'"},
        {"[\"a\x01\"]", "parse error at line 1, column 4: invalid string: control character"},
        {"[\"\xC3\x28\"]", "parse error at line 1, column 3: invalid string: ill-formed UTF-8"},
        {"[\"\xED\xA0\x80\"]", "parse error at line 1, column 3: invalid string: ill-formed UTF-8"},
        {"[\"\xF4\x90\x80\x80\"]", "parse error at line 1, column 3: invalid string: ill-formed UTF-8"},
        {R"(["\ud800x"])", "parse error at line 1, column 9: invalid string: surrogate U+D800"},
        {R"(["\udc00"])", "parse error at line 1, column 9: invalid string: surrogate U+DC00"},
        {R"(["\u12G4"])", "parse error at line 1, column 7: invalid string: '\\u' must be"},
        {R"(["\u00"])", "parse error at line 1, column 7: invalid string: '\\u' must be"},
        {R"(["\ud800\u12"])", "parse error at line 1, column 13: invalid string: '\\u' must be"},
        {R"(["\x"])", "parse error at line 1, column 4: invalid string: forbidden character"},
        {"[\"abc", "parse error at line 1, column 6: invalid string: missing closing quote"},
        {"[01]", "parse error at line 1, column 3: syntax error"},
        {"[1,]", "parse error at line 1, column 4: invalid literal"},
        {"[-]", "parse error at line 1, column 3: invalid number"},
        {"[1.]", "parse error at line 1, column 4: invalid number"},
        {"[1e+]", "parse error at line 1, column 5: invalid number"},
        {R"({"a" 1})", "parse error at line 1, column 6: syntax error; expected ':'"},
        {R"({"a": 1,})", "parse error at line 1, column 9: syntax error; expected a member"},
        {"[1] x", "parse error at line 1, column 5: syntax error; expected the end"},
        {"\xEF\xBB[]", "parse error at line 1, column 2: invalid BOM"},
        {" \xEF\xBB\xBF[]", "parse error at line 1, column 2: invalid literal"},  // not at the start
    };
    for (const auto& c : cases) {
        const std::string got = WalkEveryWay(c.text);
        EXPECT_EQ(got.substr(0, 7 + c.error.size()), "error: " + c.error) << c.text;
    }
}

TEST(JsonReader, SkipsNestedValuesOfAnyDepth) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const std::string text = "[" + deep + ", {\"k\": [\"v\", {\"x\": null}]}, 7]";
    JsonReader in(text);
    JsonReader::Type type;
    ASSERT_TRUE(in.Peek(&type));
    in.BeginArray();
    ASSERT_EQ(in.NextElement(), 1);
    ASSERT_TRUE(in.SkipValue()) << in.Error();
    ASSERT_EQ(in.NextElement(), 1);
    ASSERT_TRUE(in.SkipValue()) << in.Error();
    ASSERT_EQ(in.NextElement(), 1);
    JsonReader::Number n;
    ASSERT_TRUE(in.Peek(&type));
    ASSERT_TRUE(in.ReadNumber(&n));
    EXPECT_EQ(n.u, 7u);
    EXPECT_EQ(in.NextElement(), 0);
    EXPECT_TRUE(in.AtEnd());
}

}  // namespace
