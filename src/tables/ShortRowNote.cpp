#include "tables/ShortRowNote.h"

#include "inspect/FailurePoints.h"

namespace {

constexpr std::string_view kIn = "in ";
constexpr std::string_view kCellAfter = ": ";

}  // namespace

void AppendShortRowLine(int walkRow, CnvTblIndex table, std::string_view firstCell,
                        std::string* line) {
    *line += FailurePointOf(FailStep::kShortRow).line;
    *line += ' ';
    if (walkRow > 0) {
        *line += std::to_string(walkRow);
        *line += ' ';
    }
    *line += kIn;
    *line += kCnvTblFiles[table].name;
    *line += kCellAfter;
    *line += firstCell;
}

bool ReadShortRowNote(std::string_view note, ShortRowNote* out) {
    if (FailStepOfNote(note) != FailStep::kShortRow) return false;
    *out = ShortRowNote();
    note.remove_prefix(FailurePointOf(FailStep::kShortRow).Note().size() + 1);
    std::size_t digits = 0;
    int row = 0;
    for (; digits < note.size() && note[digits] >= '0' && note[digits] <= '9'; ++digits) {
        row = row * 10 + (note[digits] - '0');
    }
    if (digits > 0 && digits < note.size() && note[digits] == ' ') {
        out->walkRow = row;
        note.remove_prefix(digits + 1);
    }
    if (note.substr(0, kIn.size()) == kIn) note.remove_prefix(kIn.size());
    const std::size_t colon = note.find(kCellAfter);
    out->tableName = note.substr(0, colon);
    out->table = CnvTblFileNamed(out->tableName);
    if (colon != std::string_view::npos) out->firstCell = note.substr(colon + kCellAfter.size());
    return true;
}
