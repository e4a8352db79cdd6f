// The code pages a host's 8-bit texts can be in, by every spelling alike;
// texts that are not 8-bit, the empty name, unknown names and code pages of
// no host are refused with one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextEncoding.h"

namespace {

TEST(TextEncoding, EverySpellingOfAHostCodePageOpensAlike) {
    const struct {
        unsigned cp;
        std::vector<const char*> names;
        const char* eAcute;  // U+00E9 in the code page; null: not tried
    } rows[] = {
        {1252, {"1252", "cp1252", "CP1252", "windows-1252", "Windows-1252", "windows_1252", "01252"}, "\xE9"},
        {65001, {"65001", "cp65001", "windows-65001", "utf-8", "UTF-8", "utf8", "utf_8", "UTF 8"}, "\xC3\xA9"},
        {850, {"850", "cp850"}, "\x82"},
        {932, {"932", "shift_jis", "Shift-JIS", "sjis", "windows-31j"}, nullptr},
        {936, {"gbk", "gb2312"}, nullptr}, {949, {"euc-kr"}, nullptr}, {950, {"big5"}, nullptr},
    };
    for (const auto& row : rows) {
        for (const char* name : row.names) {
            std::string why;
            EXPECT_EQ(HostCodePage(name, &why), row.cp) << name << ": " << why;
            const std::unique_ptr<TextEncoding> page = TextEncoding::Open(name, &why);
            ASSERT_NE(page, nullptr) << name << ": " << why;
            if (row.eAcute == nullptr) continue;
            std::string bytes;
            ASSERT_TRUE(page->FromUtf8("\xC3\xA9", &bytes)) << name;
            EXPECT_EQ(bytes, row.eAcute) << name;
            EXPECT_EQ(page->ToUtf8(bytes), "\xC3\xA9") << name;
        }
    }
}

TEST(TextEncoding, TextsThatAreNot8BitAndNamesOfNoHostCodePageAreRefused) {
    const char* const wide[] = {"utf-16", "UTF-16BE", "utf16le", "UCS-2", "ucs-2le", "utf-32",
                                "UTF_32BE", "unicode", "1200", "cp1201", "windows-12000"};
    std::vector<std::pair<std::string, std::string>> rows = {  // name, how the line begins
        {"", "the code page name is empty"},
        {"no-such-page", "unknown code page \"no-such-page\""},
        {"x1252", "unknown code page \"x1252\""},
        // Numbers beyond 16 bits, and ISO 8859 parts that are none, are no
        // code page: never one they wrap around to.
        {"4294968548", "unknown code page \"4294968548\""},
        {"cp66788", "unknown code page \"cp66788\""},
        {"iso-8859--27338", "unknown code page \"iso-8859--27338\""},
        {"iso-8859-17", "unknown code page \"iso-8859-17\""},
        {"iso-8859-1", "\"iso-8859-1\" (code page 28591) is no ANSI or OEM code page"},
        {"koi8-r", "\"koi8-r\" (code page 20866) is no ANSI or OEM code page"},
        {"1361", "\"1361\" (code page 1361) is no ANSI or OEM code page"},
    };
    for (const char* name : wide) rows.emplace_back(name, "\"" + std::string(name) + "\" has 16 or 32 bits");
    for (const auto& [name, begins] : rows) {
        std::string why;
        std::string error;
        EXPECT_EQ(HostCodePage(name, &why), 0u) << name;
        EXPECT_EQ(TextEncoding::Open(name, &error), nullptr) << name;
        EXPECT_EQ(error, why);
        EXPECT_EQ(error.rfind(begins, 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

}  // namespace
