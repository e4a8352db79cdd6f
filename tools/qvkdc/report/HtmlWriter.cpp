#include "report/HtmlWriter.h"

namespace {

// What a byte becomes on the page when it is not itself.
struct Entities {
    const char* of[256] = {};
    constexpr Entities() {
        of[static_cast<unsigned char>('&')] = "&amp;";
        of[static_cast<unsigned char>('<')] = "&lt;";
        of[static_cast<unsigned char>('>')] = "&gt;";
        of[static_cast<unsigned char>('"')] = "&quot;";
    }
};
constexpr Entities kEntities;

}  // namespace

void HtmlWriter::Escaped(std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = kEntities.of[static_cast<unsigned char>(text[i])];
        if (entity == nullptr) continue;
        out_.Put(text.substr(from, i - from));
        out_.Put(entity);
        from = i + 1;
    }
    out_.Put(text.substr(from));
}

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        const char* entity = kEntities.of[static_cast<unsigned char>(c)];
        if (entity != nullptr) {
            escaped += entity;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

void HtmlWriter::Visible(std::string_view text) {
    const std::string_view utf8 = facts_.Utf8(text, &converted_);
    std::size_t from = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != 0x7F) continue;
        Escaped(utf8.substr(from, i - from));
        if (c == '\t') {
            out_.Put("<span class=\"tab\">\xE2\x86\x92</span>");
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            const char code[] = {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
            out_.Put("<span class=\"ctl\">");
            out_.Put(std::string_view(code, sizeof code));
            out_.Put("</span>");
        }
        from = i + 1;
    }
    Escaped(utf8.substr(from));
}

void HtmlWriter::Marked(std::string_view text) {
    bool code = false;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t tick = std::min(text.find('`', from), text.size());
        Escaped(text.substr(from, tick - from));
        if (tick == text.size()) break;
        out_.Put(code ? "</code>" : "<code>");
        code = !code;
        from = tick + 1;
    }
    if (code) out_.Put("</code>");
}
