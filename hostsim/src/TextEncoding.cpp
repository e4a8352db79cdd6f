#include "TextEncoding.h"

#include <cstdio>

bool TextEncoding::HasChar(std::string_view text, char c) const {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CharLength(text, i);
        if (n == 1 && text[i] == c) return true;
        i += n;
    }
    return false;
}

std::string EscapedByte(unsigned char b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", b);
    return hex;
}
