// TrimSpace: a text without the white space at either end. The output run
// trims its folder and name with it, the option file its titles, and the
// value texts are trimmed before they are quoted.
#ifndef QVKDC_EXAMINE_TEXTTRIM_H
#define QVKDC_EXAMINE_TEXTTRIM_H

#include <cstddef>
#include <string_view>

// True for the white space that trimming removes: space, tab, line feed,
// vertical tab, form feed, carriage return (and nothing else, in any locale).
constexpr bool IsTrimSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\r';
}

// The part of text from its first to its last character that is not white
// space; empty when there is none. The view points into text.
constexpr std::string_view TrimSpace(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsTrimSpace(text[first])) ++first;
    while (last > first && IsTrimSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

#endif  // QVKDC_EXAMINE_TEXTTRIM_H
