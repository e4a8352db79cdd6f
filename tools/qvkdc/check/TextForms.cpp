#include "check/TextForms.h"

#include <climits>
#include <cstdint>
#include <cstdio>

std::string UnquotedFlaw(std::string_view text) {
    if (text.find(',') != std::string_view::npos) {
        return "holds a comma, which splits the cell in two and shifts the cells after it";
    }
    if (text.find('"') != std::string_view::npos) {
        return "holds a double quote, which makes spreadsheets read the cell as a quoted field";
    }
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        return "holds a line break, which ends the CSV line in the middle";
    }
    return std::string();
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    const bool cut = text.size() > kQuotedLongest;
    for (char c : cut ? text.substr(0, kQuotedShown) : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    if (cut) return out + "...\" (" + std::to_string(text.size()) + " bytes)";
    out += '"';
    return out;
}

bool IsDecimalInt(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return false;
    text = text.substr(first, text.find_last_not_of(kSpace) - first + 1);
    const bool negative = text.front() == '-';
    if (text.front() == '+' || negative) text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    std::int64_t value = 0;
    const std::int64_t limit = std::int64_t{INT_MAX} + (negative ? 1 : 0);
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > limit) return false;
    }
    return true;
}
