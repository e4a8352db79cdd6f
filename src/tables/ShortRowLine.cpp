#include "tables/ShortRowLine.h"

#include "examine/FailurePoints.h"

void AppendShortRowLine(int walkRow, CnvTblIndex table, std::string_view firstCell,
                        std::string* line) {
    *line += FailurePointOf(FailStep::kShortRow).Line();
    *line += ' ';
    if (walkRow > 0) {
        *line += std::to_string(walkRow);
        *line += ' ';
    }
    *line += "in ";
    *line += kCnvTblFiles[table].name;
    *line += ": ";
    *line += firstCell;
}
