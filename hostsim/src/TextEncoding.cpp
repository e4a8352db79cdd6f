#include "TextEncoding.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

std::string EscapedByte(unsigned char b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", b);
    return hex;
}

unsigned CodePageNumber(const std::string& name) {
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    struct Named {
        const char* name;
        unsigned cp;
    };
    static const Named kNamed[] = {
        {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932},   {"windows-31j", 932},
        {"gbk", 936},       {"gb2312", 936},    {"big5", 950},   {"euc-kr", 949},
        {"koi8-r", 20866},  {"utf-8", 65001},   {"utf8", 65001}, {"us-ascii", 20127},
    };
    for (const Named& n : kNamed) {
        if (lower == n.name) return n.cp;
    }
    if (lower.rfind("iso-8859-", 0) == 0) return 28590 + static_cast<unsigned>(std::atoi(lower.c_str() + 9));
    const std::size_t digits = lower.find_first_of("0123456789");
    if (digits == std::string::npos || lower.find_first_not_of("0123456789", digits) != std::string::npos) {
        return 0;
    }
    const std::string prefix = lower.substr(0, digits);
    if (!prefix.empty() && prefix != "windows-" && prefix != "cp") return 0;
    return static_cast<unsigned>(std::strtoul(lower.c_str() + digits, nullptr, 10));
}
