#include "check/LineBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ByteOrderMark.h"
#include "TextEncoding.h"
#include "report/Utf8Text.h"

namespace {

// The length of the UTF-8 sequence of two to four bytes at text[at], or 0
// when none starts there (a stray continuation byte, an overlong or cut
// sequence). REQUIRES: text[at] is no ASCII byte.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    std::size_t length = 0;
    return Utf8Char(text, at, &length) ? length : 0;
}

// The invisible characters that make two names look alike, in UTF-8, with
// what they are called in findings.
struct Invisible {
    std::string_view bytes;
    const char* name;
};
constexpr Invisible kInvisibles[] = {
    {"\xC2\xA0", "a no-break space"},          {"\xE2\x80\x8B", "a zero-width space"},
    {"\xE2\x80\x8C", "a zero-width non-joiner"}, {"\xE2\x80\x8D", "a zero-width joiner"},
    {"\xE2\x81\xA0", "a word joiner"},
};  // a byte-order mark inside the file is told as one

// The index of the first byte of text from at on that is above 0x7F, or
// npos: eight bytes at a time through ASCII.
std::size_t FirstHighByte(std::string_view text, std::size_t at) {
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & kHigh) != 0) break;
    }
    for (; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) return at;
    }
    return std::string_view::npos;
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A name such as an item or a choice's internal name: letters, digits, "_".
bool IsName(std::string_view word) {
    return !word.empty() && !(word[0] >= '0' && word[0] <= '9') && std::all_of(word.begin(), word.end(), IsNameChar);
}

// The non-empty parts of text between separators: runs of two or more
// spaces (runs), or single spaces and tabs.
std::vector<std::string_view> Split(std::string_view text, bool runs) {
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size()) {
            const char c = text[end];
            if (c == '\t') break;
            if (c == ' ' && (!runs || (end + 1 < text.size() && text[end + 1] == ' '))) break;
            ++end;
        }
        if (end > at) parts.push_back(text.substr(at, end - at));
        at = end + 1;
        while (runs && at < text.size() && text[at] == ' ') ++at;
    }
    return parts;
}

}  // namespace

void LineBytes::Start(const LineRules& rules) {
    *this = LineBytes();
    rules_ = rules;
    const TextEncoding* page = rules.encoding;
    if (page == nullptr) return;
    utf8Page_ = page->ToUtf8("\xE2\x82\xAC") == "\xE2\x82\xAC" && page->CharLength("\xE2\x82\xAC", 0) == 3;
    oneBytePage_ = !utf8Page_;
    for (int b = 0x80; b < 0x100 && oneBytePage_; ++b) {
        const std::string byte(1, static_cast<char>(b));
        oneBytePage_ = page->CharLength(byte, 0) == 1;
        const std::string text = page->ToUtf8(byte);
        decodes_[static_cast<std::size_t>(b)] = text.rfind("\\x", 0) != 0;
        noBreak_[static_cast<std::size_t>(b)] = text == "\xC2\xA0";
    }
    // The bytes an invisible character starts with: a line without any
    // has none at the ends of its cells.
    if (utf8Page_) {
        invisibleLead_[0xC2] = invisibleLead_[0xE2] = true;
    } else if (oneBytePage_) {
        invisibleLead_ = noBreak_;
    }
}

void LineBytes::Feed(const char* bytes, std::size_t n) {
    const char* at = bytes;
    const char* const end = bytes + n;
    // The first byte c in [from, to), or to.
    const auto find = [](const char* from, const char* to, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
        return found != nullptr ? static_cast<const char*>(found) : to;
    };
    while (at < end) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (*at == '\n') {
                sawLf_ = true;
                ++at;
                EndLine(line_);
                continue;
            }
            LoneCr();
            EndLine(line_);
        }
        // The text up to the next line end, in one piece: looked at where it
        // lies when the block holds the whole line, else gathered.
        const char* lf = find(at, end, '\n');
        const char* stop = find(at, lf, '\r');
        const bool whole = line_.empty() && stop < end && (stop == lf || stop + 1 < end);
        if (!whole) {
            const std::size_t room = kLongest - std::min(kLongest, line_.size());
            line_.append(at, std::min(room, static_cast<std::size_t>(stop - at)));
        }
        const std::string_view line =
            whole ? std::string_view(at, std::min(kLongest, static_cast<std::size_t>(stop - at))) : line_;
        if (stop == end) break;  // the line goes on in the next block
        if (stop == lf) {
            sawLf_ = true;
            at = lf + 1;
        } else if (stop + 1 == end) {
            pendingCr_ = true;  // CR LF or a lone CR: the next block tells
            break;
        } else if (stop[1] == '\n') {
            sawLf_ = true;
            at = stop + 2;
        } else {
            LoneCr();
            at = stop + 1;
        }
        EndLine(line);
    }
}

void LineBytes::LoneCr() {
    if (++loneCrs_ <= kKept) loneCrLines_.push_back(lineNo_ + 1);
}

void LineBytes::Finish() {
    // A CR at the very end of the file ends its last line like any other.
    if (pendingCr_ || !line_.empty()) EndLine(line_);
    pendingCr_ = false;
    // The option file's reader takes any line end alike, as editors do; a
    // table's row ends at a CR, where the cell's text may go on.
    if (sawLf_ && rules_.cellsNeeded > 0) {
        for (int line : loneCrLines_) {
            ByteFault f;
            f.kind = ByteFault::kLoneCr;
            f.line = line;
            faults_.push_back(std::move(f));
        }
        counts_[ByteFault::kLoneCr] = loneCrs_;
        std::stable_sort(faults_.begin(), faults_.end(),
                         [](const ByteFault& a, const ByteFault& b) { return a.line < b.line; });
    }
}

bool LineBytes::SpacedAt(int line) const {
    return std::any_of(faults_.begin(), faults_.end(),
                       [&](const ByteFault& f) { return f.kind == ByteFault::kSpacedCells && f.line == line; });
}

LineBytes::Text LineBytes::TextKind() const {
    if (sawEightBit_) return Text::kEightBit;
    return sawUtf8_ ? Text::kUtf8 : Text::kAscii;
}

void LineBytes::Keep(ByteFault fault) {
    if (++counts_[fault.kind] <= kKept) faults_.push_back(std::move(fault));
}

void LineBytes::EndLine(std::string_view line) {
    ++lineNo_;
    const std::size_t from = lineNo_ == 1 && line.substr(0, 3) == kUtf8ByteOrderMark ? 3 : 0;
    CheckMark(line, from);
    if (rules_.encoding != nullptr) {
        CheckEncoding(line);
        CheckCellEnds(line);
    }
    if (rules_.cellsNeeded > 0) CheckSpaced(line);
    line_.clear();
}

void LineBytes::CheckMark(std::string_view line, std::size_t from) {
    const std::size_t at = line.find(kUtf8ByteOrderMark, from);
    if (at == std::string_view::npos) return;
    ByteFault f;
    f.kind = ByteFault::kInnerMark;
    f.line = lineNo_;
    f.column = static_cast<int>(at) + 1;
    const std::size_t start = line.rfind('\t', at);
    const std::size_t cellStart = start == std::string_view::npos ? 0 : start + 1;
    f.text = std::string(line.substr(cellStart, line.find('\t', at) - cellStart));
    Keep(std::move(f));
}

void LineBytes::CheckEncoding(std::string_view line) {
    if (!utf8Page_ && !oneBytePage_) return;
    for (std::size_t i = FirstHighByte(line, 0); i < line.size(); i = FirstHighByte(line, i + 1)) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (line.substr(i, 3) == kUtf8ByteOrderMark) {  // told as a mark
            i += 2;
            continue;
        }
        const std::size_t n = Utf8Length(line, i);
        ByteFault f;
        f.line = lineNo_;
        f.column = static_cast<int>(i) + 1;
        if (n > 0) {
            sawUtf8_ = true;
            if (utf8Page_) {
                i += n - 1;
                continue;
            }
            f.kind = ByteFault::kUtf8Text;
            f.text = std::string(line.substr(i, n));
        } else {
            sawEightBit_ = true;
            if (oneBytePage_ && decodes_[byte]) continue;
            f.kind = ByteFault::kUndecodable;
            f.text = std::string(1, line[i]);
        }
        Keep(std::move(f));
        return;  // one a line
    }
}

void LineBytes::CheckCellEnds(std::string_view line) {
    // Invisible characters start with a byte above 0x7F: ASCII lines pass at once.
    bool any = false;
    for (std::size_t i = FirstHighByte(line, 0); i < line.size() && !any; i = FirstHighByte(line, i + 1)) {
        any = invisibleLead_[static_cast<unsigned char>(line[i])];
    }
    if (!any) return;
    // The invisible character that text starts with (atEnd: ends with).
    const auto invisibleAt = [&](std::string_view text, bool atEnd) -> const char* {
        if (text.empty()) return nullptr;
        if (oneBytePage_) {
            return noBreak_[static_cast<unsigned char>(atEnd ? text.back() : text.front())] ? "a no-break space"
                                                                                            : nullptr;
        }
        if (!utf8Page_) return nullptr;
        for (const Invisible& v : kInvisibles) {
            if (text.size() < v.bytes.size()) continue;
            if ((atEnd ? text.substr(text.size() - v.bytes.size()) : text.substr(0, v.bytes.size())) == v.bytes) {
                return v.name;
            }
        }
        return nullptr;
    };
    std::size_t at = 0;
    for (;;) {
        std::size_t end = rules_.cellsNeeded > 0 ? line.find('\t', at) : std::string_view::npos;
        if (end == std::string_view::npos) end = line.size();
        std::string_view cell = line.substr(at, end - at);
        // A mark that starts the file is the file's, not the cell's.
        if (at == 0 && lineNo_ == 1 && cell.substr(0, 3) == kUtf8ByteOrderMark) cell.remove_prefix(3);
        const char* first = invisibleAt(cell, false);
        const bool atStart = first != nullptr;
        const char* name = atStart ? first : invisibleAt(cell, true);
        if (name != nullptr) {
            ByteFault f;
            f.kind = ByteFault::kInvisible;
            f.line = lineNo_;
            f.column = static_cast<int>(atStart ? at : end) + (atStart ? 1 : 0);
            f.text = std::string(cell);
            f.item = std::string(name) + (atStart ? " at its start" : " at its end");
            Keep(std::move(f));
            return;  // one a line
        }
        if (end == line.size()) return;
        at = end + 1;
    }
}

void LineBytes::CheckSpaced(std::string_view line) {
    if (line.find_first_not_of(" \t") == std::string_view::npos) return;  // a blank line
    const int tabs = static_cast<int>(std::count(line.begin(), line.end(), '\t'));
    const int expected = std::max(prevTabs_, rules_.cellsNeeded - 1);
    if (tabs >= expected || line.find(' ') == std::string_view::npos) {
        prevTabs_ = tabs;
        return;
    }
    // Runs of spaces between cells, or single spaces between names.
    std::vector<std::string_view> parts = Split(line, true);
    bool spaced = static_cast<int>(parts.size()) > tabs + 1;
    if (!spaced) {
        parts = Split(line, false);
        const int n = static_cast<int>(parts.size());
        if (n > tabs + 1 && n >= std::max(2, rules_.cellsNeeded)) {
            const std::size_t name = rules_.nameCell < 0 ? parts.size() - 1 : static_cast<std::size_t>(rules_.nameCell);
            spaced = name < parts.size() && IsName(parts[name]);
        }
    }
    if (!spaced) {
        prevTabs_ = tabs;
        return;
    }
    ByteFault f;
    f.kind = ByteFault::kSpacedCells;
    f.line = lineNo_;
    f.column = static_cast<int>(line.find(' ')) + 1;
    f.text = std::string(line);
    const std::size_t name = rules_.nameCell < 0 ? parts.size() - 1 : static_cast<std::size_t>(rules_.nameCell);
    if (name < parts.size()) f.item = std::string(parts[name]);
    f.cells = tabs + 1;
    f.meant = static_cast<int>(parts.size());
    Keep(std::move(f));
}
