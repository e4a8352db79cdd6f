#include "TsvTable.h"

#include <algorithm>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Position of the quote that closes a quoted cell whose content starts at
// from, or npos when the file ends first. "" inside is an escaped quote.
std::size_t FindClosingQuote(std::string_view bytes, std::size_t from) {
    std::size_t p = from;
    while (p < bytes.size()) {
        const std::size_t q = bytes.find('"', p);
        if (q == std::string_view::npos) return q;
        if (q + 1 < bytes.size() && bytes[q + 1] == '"') {
            p = q + 2;
            continue;
        }
        return q;
    }
    return std::string_view::npos;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Number of line ends in text: LF, CR LF and lone CR count one each.
std::uint32_t LineEnds(std::string_view text) {
    std::uint32_t ends = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++ends;
    }
    return ends;
}

}  // namespace

void TsvTable::Clear() {
    text_.clear();
    text_.shrink_to_fit();
    cell_start_.assign(1, 0);
    cell_start_.shrink_to_fit();
    row_first_cell_.assign(1, 0);
    row_first_cell_.shrink_to_fit();
    row_line_.clear();
    row_line_.shrink_to_fit();
    max_cells_ = 0;
}

int TsvTable::Parse(std::string_view bytes) {
    Clear();
    if (bytes.size() > kMaxBytes) return -1;
    text_.reserve(bytes.size());
    std::size_t pos = bytes.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
    const std::size_t n = bytes.size();
    std::uint32_t line = 1;
    std::size_t counted = 0;  // line feeds before here are in line
    while (pos < n) {
        if (IsLineEnd(bytes[pos])) {
            ++pos;  // an empty line, or the LF of a CR LF
        } else {
            line += LineEnds(bytes.substr(counted, pos - counted));
            counted = pos;
            row_line_.push_back(line);
            ParseRow(bytes, &pos);
        }
    }
    return 0;
}

void TsvTable::ParseRow(std::string_view bytes, std::size_t* pos) {
    const std::size_t n = bytes.size();
    std::size_t p = *pos;
    int cells = 0;
    for (;;) {
        if (p < n && bytes[p] == '"') {
            const std::size_t close = FindClosingQuote(bytes, p + 1);
            if (close != std::string_view::npos) {
                AppendQuoted(bytes.substr(p + 1, close - p - 1));
                p = close + 1;
            }
        }
        std::size_t end = p;
        while (end < n && bytes[end] != '\t' && !IsLineEnd(bytes[end])) ++end;
        text_.append(bytes.data() + p, end - p);
        cell_start_.push_back(static_cast<std::uint32_t>(text_.size()));
        ++cells;
        if (end < n && bytes[end] == '\t') {
            p = end + 1;
            continue;
        }
        p = end < n ? end + 1 : n;
        if (end < n && bytes[end] == '\r' && p < n && bytes[p] == '\n') ++p;
        break;
    }
    row_first_cell_.push_back(static_cast<std::uint32_t>(cell_start_.size() - 1));
    max_cells_ = std::max(max_cells_, cells);
    *pos = p;
}

void TsvTable::AppendQuoted(std::string_view content) {
    std::size_t p = 0;
    for (;;) {
        const std::size_t q = content.find('"', p);
        if (q == std::string_view::npos) {
            text_.append(content.data() + p, content.size() - p);
            return;
        }
        // Every quote inside is the first of a pair: keep it, skip its twin.
        text_.append(content.data() + p, q + 1 - p);
        p = q + 2;
    }
}
