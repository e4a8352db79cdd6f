// ShortRowLine: the failure line of a table row with fewer cells than a
// table step reads from it.
#ifndef QVKDC_TABLES_SHORTROWLINE_H
#define QVKDC_TABLES_SHORTROWLINE_H

#include <string>
#include <string_view>

#include "examine/CnvTblFiles.h"

// Appends the failure line FailStep::kShortRow composes: "[ERR] : Short
// row <n> in <table>: <first cell>" for the nth row (from 1) of a walk, or
// "[ERR] : Short row in <table>: <first cell>" for a row found by its key
// (walkRow 0).
void AppendShortRowLine(int walkRow, CnvTblIndex table, std::string_view firstCell,
                        std::string* line);

#endif  // QVKDC_TABLES_SHORTROWLINE_H
