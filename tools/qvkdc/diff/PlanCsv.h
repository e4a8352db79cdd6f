// PlanCsv: one plan's CSV file as one side of a diff gives it: its name,
// its columns (their titles and what they are in the tables) and its rows
// (the process each came from and the bytes of each cell, with what the
// converter told of the cell when the side is an export run in process).
#ifndef QVKDC_TOOLS_DIFF_PLANCSV_H
#define QVKDC_TOOLS_DIFF_PLANCSV_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CellFacts.h"
#include "qvkdc/qvkdc.h"

struct FileColumn {
    std::string title;  // in the code page, as the file's first line holds it
    // What the column is in the tables: "item NAME" (then "#2", "#3" for a
    // further column of the same item) or "option TITLE"; empty for a file
    // read from disk, whose columns are known by their titles alone.
    std::string identity;
    int index = -1;  // the column's index in its side's column table; -1: from disk
};

// What the converter told of one cell.
struct CellOrigin {
    CellReason reason = CellReason::kNone;
    int key = 0;
    int code = 0;
    int choice = -1;  // the choice whose text the cell holds; -1: none
};

struct FileRow {
    bool hasProcess = false;  // false: read from disk, known by its place alone
    ModelId process{};
    std::string text;                 // the cells' bytes, one after another
    std::vector<std::uint32_t> ends;  // the end of each cell in text
    std::vector<CellOrigin> origins;  // one per cell; empty when read from disk

    std::size_t CellCount() const { return ends.size(); }
    // Cell i; the empty text beyond the row.
    std::string_view Cell(std::size_t i) const {
        if (i >= ends.size()) return {};
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(text).substr(begin, ends[i] - begin);
    }
    void Add(std::string_view cell) {
        text.append(cell);
        ends.push_back(static_cast<std::uint32_t>(text.size()));
    }
};

struct PlanCsv {
    std::string name;  // the file's name, without its folder
    std::vector<FileColumn> columns;
    std::vector<FileRow> rows;
    // Read from disk: the lines are not split yet (each row holds its line
    // as its one cell, header the first line), as only the file they are
    // compared with tells which commas are inside a text.
    bool unsplit = false;
    std::string header;
};

#endif  // QVKDC_TOOLS_DIFF_PLANCSV_H
