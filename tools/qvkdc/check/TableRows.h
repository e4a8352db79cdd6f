// TableRows: the rows of one table file as the host's table reader delivers
// them to the export (the same reader, the same parsing), each with the line
// on which it starts, and the export's lookup of a row by a key cell.
#ifndef QVKDC_TOOLS_CHECK_TABLEROWS_H
#define QVKDC_TOOLS_CHECK_TABLEROWS_H

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TableRow {
    int line = 0;
    std::vector<std::string> cells;

    int CellCount() const { return static_cast<int>(cells.size()); }
    // Cell col (1-based); the empty text when the row is shorter.
    const std::string& Cell(int col) const;
};

class TableRows {
 public:
    // Reads the file at nativePath with the host's table reader. Returns
    // ReadTable's result: 0, or anything else when it cannot be read (no
    // rows then).
    int Read(const std::string& nativePath);

    const std::vector<TableRow>& Rows() const { return rows_; }
    // The first row, in file order, whose cell keyCol (1-based) equals key
    // exactly: the row the reader's FindRow yields. Null when there is none.
    const TableRow* Find(int keyCol, std::string_view key) const;

 private:
    using Index = std::unordered_map<std::string_view, const TableRow*>;
    const Index& IndexOf(int keyCol) const;

    std::vector<TableRow> rows_;
    mutable std::unordered_map<int, Index> indexes_;  // by key column
};

#endif  // QVKDC_TOOLS_CHECK_TABLEROWS_H
