#include "report/JsonWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "report/Utf8Text.h"

namespace {

// The bytes written as they are: printable ASCII but the quote and the
// backslash.
struct PlainBytes {
    bool plain[256] = {};
    constexpr PlainBytes() {
        for (int b = 0x20; b < 0x80; ++b) plain[b] = b != '"' && b != '\\';
    }
};
constexpr PlainBytes kPlain;

bool Plain(unsigned char b) { return kPlain.plain[b]; }

// The end of the run of plain bytes from at: eight bytes at a time while
// none of them is a control character, a quote, a backslash or no ASCII.
std::size_t PlainRun(std::string_view text, std::size_t at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    // Bytes below n (n <= 0x80) or with the high bit set show in the high bits.
    auto below = [](std::uint64_t w, std::uint64_t n) { return (w - kOnes * n) | w; };
    auto zero = [](std::uint64_t w) { return (w - kOnes) & ~w; };
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + at, sizeof w);
        if (((below(w, 0x20) | zero(w ^ (kOnes * '"')) | zero(w ^ (kOnes * '\\'))) & kHigh) != 0) break;
    }
    while (at < text.size() && Plain(static_cast<unsigned char>(text[at]))) ++at;
    return at;
}

}  // namespace

std::size_t JsonWriter::ItemPrefix(char* prefix) {
    if (afterKey_) {
        afterKey_ = false;
        return 0;
    }
    if (hasItems_.empty()) return 0;
    std::size_t n = 0;
    if (hasItems_.back()) prefix[n++] = ',';
    hasItems_.back() = true;
    prefix[n++] = '\n';
    std::memset(prefix + n, ' ', 2 * hasItems_.size());
    return n + 2 * hasItems_.size();
}

void JsonWriter::NextItem() {
    if (hasItems_.size() > kLevels) return NextItemDeep();
    char prefix[kPrefixRoom];
    const std::size_t n = ItemPrefix(prefix);
    if (n > 0) out_.Put(std::string_view(prefix, n));
}

void JsonWriter::NextItemDeep() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.back()) out_.Put(',');
    hasItems_.back() = true;
    out_.Put('\n');
    for (std::size_t i = 0; i < hasItems_.size(); ++i) out_.Put("  ");
}

void JsonWriter::Begin(char open) {
    NextItem();
    out_.Put(open);
    hasItems_.push_back(false);
}

void JsonWriter::End(char close) {
    const bool items = hasItems_.back();
    hasItems_.pop_back();
    if (!items) {
        out_.Put(close);
    } else if (hasItems_.size() > kLevels) {
        out_.Put('\n');
        for (std::size_t i = 0; i < hasItems_.size(); ++i) out_.Put("  ");
        out_.Put(close);
    } else {
        char line[kPrefixRoom];
        const std::size_t width = 2 * hasItems_.size();
        line[0] = '\n';
        std::memset(line + 1, ' ', width);
        line[1 + width] = close;
        out_.Put(std::string_view(line, width + 2));
    }
}

void JsonWriter::Key(std::string_view name) {
    if (hasItems_.size() > kLevels || name.size() > kLongestName) {
        NextItemDeep();
        out_.Put('"');
        out_.Put(name);
        out_.Put("\": ");
    } else {
        // The separator, the indentation and the name in one piece.
        char prefix[kPrefixRoom + kLongestName + 4];
        std::size_t n = ItemPrefix(prefix);
        prefix[n++] = '"';
        name.copy(prefix + n, name.size());
        n += name.size();
        std::memcpy(prefix + n, "\": ", 3);
        out_.Put(std::string_view(prefix, n + 3));
    }
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    NextItem();
    Quoted(text);
}

void JsonWriter::Int(long long value) {
    NextItem();
    out_.PutInt(value);
}

void JsonWriter::Bool(bool value) {
    NextItem();
    out_.Put(value ? "true" : "false");
}

void JsonWriter::Null() {
    NextItem();
    out_.Put("null");
}

void JsonWriter::Quoted(std::string_view text) {
    out_.Put('"');
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t run = PlainRun(text, i);
        if (run > i) out_.Put(text.substr(i, run - i));
        i = run;
        if (i == text.size()) break;
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x80) {
            std::size_t length = 0;
            if (Utf8Char(text, i, &length)) {
                out_.Put(text.substr(i, length));
            } else {
                out_.Put("\xEF\xBF\xBD");
            }
            i += length;
            continue;
        }
        ++i;
        switch (b) {
            case '"': out_.Put("\\\""); break;
            case '\\': out_.Put("\\\\"); break;
            case '\b': out_.Put("\\b"); break;
            case '\f': out_.Put("\\f"); break;
            case '\n': out_.Put("\\n"); break;
            case '\r': out_.Put("\\r"); break;
            case '\t': out_.Put("\\t"); break;
            default: {
                char hex[sizeof "\\u0000"];
                std::snprintf(hex, sizeof hex, "\\u%04x", b);
                out_.Put(hex);
            }
        }
    }
    out_.Put('"');
}
