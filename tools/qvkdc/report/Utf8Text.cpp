#include "report/Utf8Text.h"

bool Utf8Char(std::string_view text, std::size_t at, std::size_t* length) {
    const auto b = static_cast<unsigned char>(text[at]);
    std::size_t need = 0;  // continuation bytes
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2;
        if (b == 0xE0) low = 0xA0;   // else an overlong form
        if (b == 0xED) high = 0x9F;  // else a surrogate
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3;
        if (b == 0xF0) low = 0x90;   // else an overlong form
        if (b == 0xF4) high = 0x8F;  // else beyond U+10FFFF
    } else {
        *length = 1;
        return false;
    }
    std::size_t k = 1;
    for (; k <= need && at + k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[at + k]);
        if (c < low || c > high) break;
        low = 0x80;
        high = 0xBF;
    }
    *length = k;
    return k == need + 1;
}
