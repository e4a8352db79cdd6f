// ShortRowNote: the failure line of a table row with fewer cells than a
// table step reads from it, and that line read back by a tool that explains
// the failure.
#ifndef QVKDC_TABLES_SHORTROWNOTE_H
#define QVKDC_TABLES_SHORTROWNOTE_H

#include <string>
#include <string_view>

#include "inspect/CnvTblFiles.h"

struct ShortRowNote {
    const CnvTblFile* table = nullptr;  // null: no table of that name
    std::string_view tableName;
    int walkRow = 0;                    // the row's number in a walk; 0: found by its key
    std::string_view firstCell;
};

// Appends the failure line FailStep::kShortRow composes: "[ERR] : Short
// row <n> in <table>: <first cell>" for the nth row (from 1) of a walk, or
// "[ERR] : Short row in <table>: <first cell>" for a row found by its key
// (walkRow 0).
void AppendShortRowLine(int walkRow, CnvTblIndex table, std::string_view firstCell,
                        std::string* line);

// Reads note, a failure line without its prefix, as a short row's line.
// Returns false for the note of another step. The views point into note.
bool ReadShortRowNote(std::string_view note, ShortRowNote* out);

#endif  // QVKDC_TABLES_SHORTROWNOTE_H
