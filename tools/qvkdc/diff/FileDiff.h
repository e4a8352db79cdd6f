// FileDiff: what changed between the old and the new file of one plan.
// Columns are matched by what they are in the tables (the item, or the
// option title), so that a new title is a rename; against a file read from
// disk, by title. Rows are matched by their process, or by their place
// when one side was read from disk. Each changed cell names the table rows
// that made the difference (CellCauses) and, when it is now empty, why
// the library leaves it so.
#ifndef QVKDC_TOOLS_DIFF_FILEDIFF_H
#define QVKDC_TOOLS_DIFF_FILEDIFF_H

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "diff/CellCauses.h"
#include "diff/PlanCsv.h"

enum class FileChangeKind { kSame, kChanged, kAdded, kRemoved };

// "same", "changed", "added", "removed".
const char* FileChangeName(FileChangeKind kind);

struct RowPlace {
    int row = 0;  // from 1: of the new file; of the old one for a removed row
    bool hasProcess = false;
    ModelId process{};
};

struct CellChange {
    RowPlace row;
    std::string column;  // the new title
    std::string before;  // the old text, as the file holds it
    std::string after;   // the new one
    bool emptied = false;  // a value before, nothing now
    std::string reason;    // emptied: why the library leaves it empty, when it tells
    std::vector<DiffCause> causes;
};

struct FileChange {
    std::string name;
    FileChangeKind change = FileChangeKind::kSame;
    int rows = 0;  // of the new file (of the old one when removed)
    std::vector<std::string> addedColumns;
    std::vector<std::string> removedColumns;
    std::vector<std::pair<std::string, std::string>> renamedColumns;  // old title, new title
    std::vector<std::string> movedColumns;  // new titles of columns in another order
    std::vector<RowPlace> addedRows;
    std::vector<RowPlace> removedRows;
    std::vector<CellChange> cells;
    // What the page shows of the file: its titles and its first rows, as
    // the new file has them (the old one when removed).
    std::vector<std::string> titles;
    std::vector<FileRow> shown;
};

// The rows of a file the page shows.
inline constexpr std::size_t kShownRows = 50;

// Compares the old and the new file of a plan; either may be null (the
// file is added or removed). Columns titled as one of ignored (on either
// side) are left out.
// REQUIRES: old or now is not null.
FileChange CompareFiles(const PlanCsv* old, const PlanCsv* now, const CellCauses& causes,
                        const std::set<std::string>& ignored);

#endif  // QVKDC_TOOLS_DIFF_FILEDIFF_H
