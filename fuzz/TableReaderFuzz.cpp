// Fuzz target: the stand-in host's table reader, bytes -> rows.
//
// After each input: ReadTable answers 0 (-1 only for a UTF-16 file), the
// walk delivers as many rows as the reader holds while lookups in between
// leave its cursor alone, a cell read without quotes holds no tab and no
// line end, and a lookup by any cell of the first columns finds a row with
// that cell.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "HostCalls.h"

namespace {

constexpr int kLookupColumns = 4;

bool HasUtf16Mark(std::string_view bytes) {
    const std::string_view mark = bytes.substr(0, 2);
    return mark == "\xFF\xFE" || mark == "\xFE\xFF";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemoryFiles files;
    files.Add("t.tsv", bytes);
    files.Serve();
    CQvlbwTableA table;
    CQvlbwStringArray row;
    CQvlbwStringArray found;
    const int read = table.ReadTable("t.tsv");
    if (HasUtf16Mark(bytes)) {
        FuzzCheck(read == -1, "a UTF-16 table is refused");
        FuzzCheck(table.FindRow(1, "", &row) == -2 && table.GetNextRow(&row) == 0,
                  "a refused table holds no data");
        return 0;
    }
    FuzzCheck(read == 0, "a table in memory is read");

    const bool quoted = bytes.find('"') != std::string_view::npos;
    const bool nul = bytes.find('\0') != std::string_view::npos;
    int rows = 0;
    std::size_t cellBytes = 0;
    table.MoveFirst();
    while (table.GetNextRow(&row) != 0) {
        ++rows;
        FuzzCheck(row.GetSize() >= 1, "a row has a cell");
        for (int c = 0; c < row.GetSize(); ++c) {
            const std::string cell = row.GetAt(c);
            cellBytes += cell.size();
            if (!quoted) {
                FuzzCheck(cell.find_first_of("\t\r\n") == std::string::npos,
                          "a cell without quotes holds no tab and no line end");
            }
            // A cell holding a NUL byte cannot be given as a key.
            if (nul || c >= kLookupColumns) continue;
            FuzzCheck(table.FindRow(c + 1, cell.c_str(), &found) == 1 && found.GetSize() > c &&
                          cell == found.GetAt(c),
                      "a lookup finds a row by any of its cells");
        }
    }
    FuzzCheck(rows == table.GetRowCount(), "the walk delivers every row");
    FuzzCheck(cellBytes <= size, "the cells hold no more than the file");
    return 0;
}
