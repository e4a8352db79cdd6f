// TsvTable: the cells of one tab-separated table file, parsed once and held
// compactly (all cell bytes in one string, cells and rows as offsets).
//
// File format, as a spreadsheet program writes a sheet saved as
// tab-delimited text:
// - one row per line; LF, CR LF or a lone CR (as some spreadsheets still
//   save) ends a line; empty lines are skipped;
// - a UTF-8 byte-order mark at the very start is skipped;
// - cells are separated by tabs; a trailing tab gives an empty last cell;
// - a cell that starts with a double quote runs to the matching closing
//   quote; inside, "" stands for one quote and tabs and line breaks are
//   kept as they stand. Text after the closing quote, up to the next tab or
//   line end, is appended literally ("ab"cd gives abcd);
// - a quote that is never closed before the end of the file is no quote:
//   the cell is then read like any other cell, its opening quote included.
// Each row remembers the line (1-based, as a text editor counts them) on
// which it starts.
#ifndef QVHOST_TSVTABLE_H
#define QVHOST_TSVTABLE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TsvTable {
 public:
    // Largest file the table holds; offsets are 32-bit.
    static constexpr std::size_t kMaxBytes = UINT32_MAX - 1;

    // Replaces the contents with the rows of bytes. Returns 0, or -1 when
    // bytes is larger than kMaxBytes (the table is then empty).
    int Parse(std::string_view bytes);
    void Clear();

    int RowCount() const { return static_cast<int>(row_first_cell_.size()) - 1; }
    // Largest number of cells of any row.
    int MaxCellCount() const { return max_cells_; }
    // REQUIRES: 0 <= row < RowCount().
    int CellCount(int row) const {
        return static_cast<int>(row_first_cell_[row + 1] - row_first_cell_[row]);
    }
    // REQUIRES: 0 <= row < RowCount(). Line on which the row starts.
    int RowLine(int row) const { return static_cast<int>(row_line_[row]); }
    // REQUIRES: 0 <= row < RowCount(), 0 <= cell < CellCount(row). The view
    // stays valid until the next Parse or Clear.
    std::string_view Cell(int row, int cell) const {
        const std::uint32_t i = row_first_cell_[row] + static_cast<std::uint32_t>(cell);
        return std::string_view(text_).substr(cell_start_[i], cell_start_[i + 1] - cell_start_[i]);
    }

 private:
    void ParseRow(std::string_view bytes, std::size_t* pos);
    void AppendQuoted(std::string_view content);

    std::string text_;                          // cell bytes, back to back
    std::vector<std::uint32_t> cell_start_{0};  // per cell, plus the end
    std::vector<std::uint32_t> row_first_cell_{0};  // per row, plus the end
    std::vector<std::uint32_t> row_line_;           // per row
    int max_cells_ = 0;
};

#endif  // QVHOST_TSVTABLE_H
