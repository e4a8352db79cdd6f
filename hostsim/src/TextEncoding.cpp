#include "TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>

bool TextEncoding::Utf8AsItIs(std::string_view text) {
    // Eight bytes at a time: any byte with its high bit set is no ASCII.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & kHighBits) != 0) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
}

std::string EscapedByte(unsigned char b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", b);
    return hex;
}

namespace {

// The code pages a host's 8-bit texts can be in, in ascending order: the
// ANSI code pages of Windows (a system's code page for the texts of its
// programs) and its OEM code pages (a console's), of one byte a character
// unless noted, and UTF-8.
constexpr unsigned kHostCodePages[] = {
    437,    // OEM United States
    720,    // OEM Arabic
    737,    // OEM Greek
    775,    // OEM Baltic
    850,    // OEM Western European
    852,    // OEM Central European
    855,    // OEM Cyrillic
    857,    // OEM Turkish
    858,    // OEM Western European with the euro sign
    860,    // OEM Portuguese
    861,    // OEM Icelandic
    862,    // OEM Hebrew
    863,    // OEM French Canadian
    864,    // OEM Arabic
    865,    // OEM Nordic
    866,    // OEM Russian
    869,    // OEM Modern Greek
    874,    // ANSI and OEM Thai
    932,    // ANSI and OEM Japanese (Shift JIS), two bytes
    936,    // ANSI and OEM Simplified Chinese (GBK), two bytes
    949,    // ANSI and OEM Korean (Unified Hangul), two bytes
    950,    // ANSI and OEM Traditional Chinese (Big5), two bytes
    1250,   // ANSI Central European
    1251,   // ANSI Cyrillic
    1252,   // ANSI Western European
    1253,   // ANSI Greek
    1254,   // ANSI Turkish
    1255,   // ANSI Hebrew
    1256,   // ANSI Arabic
    1257,   // ANSI Baltic
    1258,   // ANSI Vietnamese
    65001,  // UTF-8, one to four bytes
};

// The code pages of texts of 16 or 32 bits a character: UTF-16 and UTF-32,
// little and big endian.
constexpr unsigned kWideCodePages[] = {1200, 1201, 12000, 12001};

// How the names of those texts begin, squeezed: "UTF-16BE", "utf_32",
// "UCS-2LE", "unicodeFFFE", ...
constexpr std::string_view kWideNames[] = {"utf16", "utf32", "ucs2", "ucs4", "unicode"};

struct Named {
    std::string_view name;  // squeezed
    unsigned cp;
};
constexpr Named kNamed[] = {
    {"shiftjis", 932}, {"sjis", 932},  {"windows31j", 932}, {"gbk", 936},   {"gb2312", 936},
    {"big5", 950},     {"euckr", 949}, {"koi8r", 20866},    {"utf8", 65001}, {"usascii", 20127},
};

const char kHint[] = "name an ANSI or OEM code page of Windows (windows-1252, shift_jis, cp850, ...) or utf-8";

// A name as it is compared: in lower case, without blanks, "-" and "_", so
// that every spelling of a code page's name is taken alike.
std::string Squeezed(const std::string& name) {
    std::string squeezed;
    for (const char c : name) {
        if (c != '-' && c != '_' && c != ' ') squeezed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return squeezed;
}

// The code page number that digits spell; 0 for none, and for one beyond
// the 16 bits of a code page number (read without wrapping around).
unsigned Number(std::string_view digits) {
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return 0;
    }
    unsigned value = 0;
    for (const char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
    return value <= 0xFFFF ? value : 0;
}

// The number a squeezed name stands for: "1252", "cp1252", "windows1252",
// "iso88595" (28595, parts 1 to 16), a name of kNamed; 0 for any other.
unsigned NumberOf(std::string_view squeezed) {
    for (const Named& n : kNamed) {
        if (squeezed == n.name) return n.cp;
    }
    constexpr std::string_view kIso = "iso8859";
    if (squeezed.substr(0, kIso.size()) == kIso) {
        const unsigned part = Number(squeezed.substr(kIso.size()));
        return part >= 1 && part <= 16 ? 28590 + part : 0;
    }
    for (const std::string_view prefix : {"windows", "cp", ""}) {
        if (squeezed.substr(0, prefix.size()) == prefix) {
            if (const unsigned cp = Number(squeezed.substr(prefix.size()))) return cp;
        }
    }
    return 0;
}

bool IsWide(std::string_view squeezed, unsigned cp) {
    if (std::find(std::begin(kWideCodePages), std::end(kWideCodePages), cp) != std::end(kWideCodePages)) {
        return true;
    }
    for (std::string_view wide : kWideNames) {
        if (squeezed.substr(0, wide.size()) == wide) return true;
    }
    return false;
}

}  // namespace

unsigned HostCodePage(const std::string& name, std::string* why) {
    const std::string squeezed = Squeezed(name);
    const unsigned cp = NumberOf(squeezed);
    if (squeezed.empty()) {
        *why = std::string("the code page name is empty; ") + kHint;
    } else if (IsWide(squeezed, cp)) {
        *why = "\"" + name + "\" has 16 or 32 bits a character, not 8; " + kHint;
    } else if (cp == 0) {
        *why = "unknown code page \"" + name + "\"; " + kHint;
    } else if (!std::binary_search(std::begin(kHostCodePages), std::end(kHostCodePages), cp)) {
        *why = "\"" + name + "\" (code page " + std::to_string(cp) + ") is no ANSI or OEM code page; " + kHint;
    } else {
        return cp;
    }
    return 0;
}
