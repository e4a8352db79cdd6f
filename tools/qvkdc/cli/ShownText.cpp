#include "cli/ShownText.h"

#include <cstdio>

void AppendShown(std::string_view text, std::string* out) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            *out += "\\r";
        } else if (c == '\n') {
            *out += "\\n";
        } else if (c == '\t') {
            *out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            char hex[sizeof "\\x00"];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            *out += hex;
        } else {
            *out += c;
        }
    }
}
