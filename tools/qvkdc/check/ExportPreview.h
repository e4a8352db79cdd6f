// ExportPreview: the first rows of each file the export writes, cell by
// cell as the export's own run converted them (the model check follows the
// run as its observer), with why each empty cell is empty; for the check's
// page. Only the rows shown are kept: at most kRows of each plan, and no
// more than kCells cells in all, so that a large model costs no more
// memory than a small one. A plan's rows count once its file is written.
#ifndef QVKDC_TOOLS_CHECK_EXPORTPREVIEW_H
#define QVKDC_TOOLS_CHECK_EXPORTPREVIEW_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "check/CellNote.h"

class ExportPreview {
 public:
    static constexpr int kRows = 50;
    static constexpr std::size_t kCells = 100000;

    // A cell with something to tell.
    struct Note {
        int row = 0;
        int column = 0;
        CellNote why;
    };
    struct Plan {
        std::string title;  // "plan N "NAME"", in the host's code page
        std::string file;   // the file as the export names it; "" when not known
        int rows = 0;       // rows the file holds
        int shown = 0;      // rows kept, the first of them
        std::string text;   // the kept cells, one after the other
        std::vector<std::size_t> ends;  // the end of each kept cell in text
        std::vector<Note> notes;        // in row and column order

        std::string_view Cell(int row, int column, int columns) const {
            const std::size_t i = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                                  static_cast<std::size_t>(column);
            const std::size_t begin = i == 0 ? 0 : ends[i - 1];
            return std::string_view(text).substr(begin, ends[i] - begin);
        }
    };

    // columns: of every row. REQUIRES: columns > 0.
    explicit ExportPreview(int columns, int rows = kRows, std::size_t cells = kCells);

    int Columns() const { return columns_; }
    // Whether the cells of this row of plan (its index in the block) are
    // kept: a row of a plan whose cells came before starts that plan anew.
    bool Keeps(int plan, int row);
    // A cell of the export, in row and column order. A cell of a row not
    // kept only counts the row.
    void Cell(int plan, int row, int column, std::string_view text, const CellNote& why);
    // The file of plan was written: its rows are kept, with its title and
    // file name. A plan whose rows came before another's is forgotten.
    void Written(int plan, std::string title, std::string file);

    const std::vector<Plan>& Plans() const { return plans_; }

 private:
    void Start(int plan);

    int columns_;
    int rows_;
    std::size_t cellsLeft_;
    int pendingPlan_ = -1;
    Plan pending_;
    std::vector<Plan> plans_;
};

#endif  // QVKDC_TOOLS_CHECK_EXPORTPREVIEW_H
