#include "report/CsvFields.h"

namespace {

// cell is a quoted field: a quote, then text whose quotes are doubled, then
// a quote.
bool IsQuoted(std::string_view cell) {
    if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') return false;
    for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
        if (cell[i] != '"') continue;
        if (i + 2 >= cell.size() || cell[i + 1] != '"') return false;
        ++i;
    }
    return true;
}

}  // namespace

void CsvValue(std::string_view cell, std::string* out) {
    out->clear();
    if (!IsQuoted(cell)) {
        out->assign(cell);
        return;
    }
    for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
        out->push_back(cell[i]);
        if (cell[i] == '"') ++i;  // the second of a doubled quote
    }
}

bool IsCsvField(std::string_view cell) {
    return IsQuoted(cell) || cell.find_first_of(",\"\r\n") == std::string_view::npos;
}

int CsvFieldCount(const std::vector<std::string_view>& cells) {
    // A reader's walk over the row's bytes: a field that starts with a quote
    // runs to the quote that closes it; a comma outside quotes ends a field.
    int fields = 1;
    bool quoted = false;      // inside a quoted field
    bool fieldStart = true;   // at the first byte of a field
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::string_view cell = cells[c];
        for (std::size_t i = 0; i <= cell.size(); ++i) {
            // The comma the export writes after each cell but the last.
            const char ch = i < cell.size() ? cell[i] : ',';
            if (i == cell.size() && c + 1 == cells.size()) break;
            if (quoted) {
                if (ch != '"') continue;
                const bool doubled = i + 1 < cell.size() && cell[i + 1] == '"';
                if (doubled) {
                    ++i;
                } else {
                    quoted = false;
                }
                continue;
            }
            if (ch == '\n' || ch == '\r') return fields;  // the reader's record ends here
            if (ch == ',') {
                ++fields;
                fieldStart = true;
                continue;
            }
            if (ch == '"' && fieldStart) quoted = true;
            fieldStart = false;
        }
    }
    return fields;
}
