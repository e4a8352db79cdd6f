#include "check/TextForms.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

#include "cli/ShownText.h"
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

std::string ControlFlaw(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t') return "holds a tab";
        if (u < 0x20 && c != '\r' && c != '\n') {
            char hex[sizeof "0x00"];
            std::snprintf(hex, sizeof hex, "0x%02X", u);
            return std::string("holds the control character ") + hex;
        }
    }
    return std::string();
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// text is digits alone, at least one.
bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

}  // namespace

std::string NumberConvention(std::string_view text) {
    std::string_view t = TrimSpace(text);
    if (!t.empty() && (t.back() == '-' || t.back() == '+') && AllDigits(t.substr(0, t.size() - 1))) {
        return "with its sign after it";
    }
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    if (AllDigits(t)) return "beyond the range of an int";
    // Groups of three digits after a first group of one to three.
    const std::size_t sep = t.find_first_of(",. '");
    if (sep != std::string_view::npos && sep >= 1 && sep <= 3 && AllDigits(t.substr(0, sep))) {
        const char mark = t[sep];
        bool grouped = true;
        std::size_t at = sep;
        while (grouped && at < t.size()) {
            grouped = t[at] == mark && at + 4 <= t.size() && AllDigits(t.substr(at + 1, 3));
            at += 4;
        }
        if (grouped) return "with thousands separators";
        const std::size_t point = t.find_first_of(",.");
        if (point == sep && AllDigits(t.substr(point + 1))) {
            return t[point] == ',' ? "with a decimal comma" : "with a fraction";
        }
    }
    const std::size_t point = t.find_first_of(",.");
    if (point != std::string_view::npos && AllDigits(t.substr(0, point)) && AllDigits(t.substr(point + 1))) {
        return t[point] == ',' ? "with a decimal comma" : "with a fraction";
    }
    return std::string();
}

std::string Convention(std::string_view text) {
    const std::string convention = NumberConvention(text);
    return convention.empty() ? convention : " as the export reads one: it is written " + convention;
}

std::string OptionLineFormat(std::string_view line) {
    const std::string_view t = TrimSpace(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') return "a section of an INI file";
    const std::size_t eq = t.find('=');
    if (eq != std::string_view::npos && eq > 0 && eq + 1 < t.size()) return "a setting (key=value)";
    return std::string();
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    const bool cut = text.size() > kQuotedLongest;
    AppendShown(cut ? text.substr(0, kQuotedShown) : text, &out);
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
