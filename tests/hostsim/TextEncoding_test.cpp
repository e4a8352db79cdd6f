// The code pages a host's 8-bit texts can be in, by every spelling: each
// spelling of one code page converts alike, and the texts that are not 8-bit
// (UTF-16, UTF-32, UCS-2), the empty name, unknown names and code pages of
// no host are refused with one line.
#include <gtest/gtest.h>

#include <string>

#include "TextEncoding.h"

namespace {

// Spellings of one code page, and what "é" (U+00E9) is in it.
struct Accepted {
    unsigned cp;
    std::vector<const char*> names;
    const char* eAcute;
};

const Accepted kAccepted[] = {
    {1252, {"1252", "cp1252", "CP1252", "windows-1252", "Windows-1252"}, "\xE9"},
    {65001, {"65001", "cp65001", "windows-65001", "utf-8", "UTF-8", "utf8"}, "\xC3\xA9"},
    {932, {"932", "cp932", "shift_jis", "Shift-JIS", "sjis", "windows-31j"}, nullptr},
    {850, {"850", "cp850"}, "\x82"},
    {437, {"437", "cp437"}, "\x82"},
    {1251, {"windows-1251"}, nullptr},
    {936, {"gbk", "gb2312", "936"}, nullptr},
    {949, {"euc-kr", "949"}, nullptr},
    {950, {"big5", "950"}, nullptr},
};

TEST(TextEncoding, EverySpellingOfAHostCodePageOpensAlike) {
    for (const Accepted& row : kAccepted) {
        for (const char* name : row.names) {
            std::string why;
            EXPECT_EQ(HostCodePage(name, &why), row.cp) << name << ": " << why;
            const std::unique_ptr<TextEncoding> page = TextEncoding::Open(name, &why);
            ASSERT_NE(page, nullptr) << name << ": " << why;
            EXPECT_EQ(page->Name(), name);
            if (row.eAcute == nullptr) continue;
            std::string bytes;
            ASSERT_TRUE(page->FromUtf8("\xC3\xA9", &bytes)) << name;
            EXPECT_EQ(bytes, row.eAcute) << name;
            EXPECT_EQ(page->ToUtf8(bytes), "\xC3\xA9") << name;
        }
    }
}

TEST(TextEncoding, TextsThatAreNot8BitAndNamesOfNoHostCodePageAreRefused) {
    const struct {
        const char* name;
        const char* why;  // how the one line begins
    } rows[] = {
        {"", "the code page name is empty"},
        {"utf-16", "\"utf-16\" has 16 or 32 bits a character"},
        {"UTF-16BE", "\"UTF-16BE\" has 16 or 32 bits"},
        {"utf16le", "\"utf16le\" has 16 or 32 bits"},
        {"UCS-2", "\"UCS-2\" has 16 or 32 bits"},
        {"ucs-2le", "\"ucs-2le\" has 16 or 32 bits"},
        {"utf-32", "\"utf-32\" has 16 or 32 bits"},
        {"UTF_32BE", "\"UTF_32BE\" has 16 or 32 bits"},
        {"unicode", "\"unicode\" has 16 or 32 bits"},
        {"1200", "\"1200\" has 16 or 32 bits"},
        {"cp1201", "\"cp1201\" has 16 or 32 bits"},
        {"windows-12000", "\"windows-12000\" has 16 or 32 bits"},
        {"no-such-page", "unknown code page \"no-such-page\""},
        {"windows-", "unknown code page \"windows-\""},
        {"x1252", "unknown code page \"x1252\""},
        {"iso-8859-1", "\"iso-8859-1\" (code page 28591) is no ANSI or OEM code page"},
        {"koi8-r", "\"koi8-r\" (code page 20866) is no ANSI or OEM code page"},
        {"us-ascii", "\"us-ascii\" (code page 20127) is no ANSI or OEM code page"},
        {"1361", "\"1361\" (code page 1361) is no ANSI or OEM code page"},
    };
    for (const auto& row : rows) {
        std::string why;
        EXPECT_EQ(HostCodePage(row.name, &why), 0u) << row.name;
        std::string error;
        EXPECT_EQ(TextEncoding::Open(row.name, &error), nullptr) << row.name;
        EXPECT_EQ(error, why);
        EXPECT_EQ(error.rfind(row.why, 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(TextEncoding, TheDefaultIsAHostCodePage) {
    std::string why;
    EXPECT_NE(HostCodePage(TextEncoding::DefaultName(), &why), 0u) << TextEncoding::DefaultName() << ": " << why;
}

}  // namespace
