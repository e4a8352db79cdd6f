#include "check/TextForms.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

#include "cli/Suggest.h"
#include "TextTrim.h"

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
            char hex[sizeof "\\x00"];
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
    std::string_view digits = TrimSpace(text);
    const bool negative = digits.substr(0, 1) == "-";
    if (negative || digits.substr(0, 1) == "+") digits.remove_prefix(1);
    if (digits.empty()) return false;
    std::int64_t value = 0;
    const std::int64_t limit = std::int64_t{INT_MAX} + (negative ? 1 : 0);
    for (const char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > limit) return false;
    }
    return true;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string_view>& known) {
    return DidYouMean(word, Nearest(word, known, kTableRule));
}

std::string DidYouMean(std::string_view word, std::string_view near) {
    if (near.empty()) return std::string();
    const bool blanks = TrimSpace(near) == TrimSpace(word);
    return " (did you mean " + Quoted(near) + "?" +
           (blanks ? std::string(" blanks around a name count: cells are not trimmed") : std::string()) + ")";
}
