// CQvkdcCnvTblCtrl: building the selection value table.
#include <string_view>

#include "host/TraceScope.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/TextToInt.h"

namespace {

const TraceRecord kCreSlctTblRec = {577686, "CQvkdcCnvTblCtrl::CreSlctTbl"};

}  // namespace

int CQvkdcCnvTblCtrl::CreSlctTbl() {
    TraceScope scope(kCreSlctTblRec);
    CQvlbwStringArray exRow;
    CQvlbwStringArray itemRow;
    CQvlbwStringArray valRow;
    std::string itemText;
    std::string colItName;
    std::string choiceText;
    std::string choiceItName;

    int result = 0;
    int exRowNo = 0;
    ExteriorTable.MoveFirst();
    while (ExteriorTable.GetNextRow(&exRow) != 0) {
        if (!HasCells(exRow, 1, "ExteriorTable", ++exRowNo)) {
            result = -1;
            break;
        }
        const std::string_view key = exRow.GetAt(0);
        const std::size_t colon = key.find(':');
        if (colon == std::string_view::npos) continue;
        if (!HasCells(exRow, 2, "ExteriorTable", exRowNo)) {
            result = -1;
            break;
        }

        itemText.assign(key.substr(0, colon));
        const int res = ExteriorTable.FindRow(1, itemText.c_str(), &itemRow);
        if (res == -2) {
            TraceScope::Chr("[ERR] : Not import tablefile");
            result = -1;
            break;
        }
        if (res != 1) {
            std::string note = "[INF] : No item row in ExteriorTable for ";
            note += key;
            TraceScope::Chr(note);
            continue;
        }
        if (!HasCells(itemRow, 2, "ExteriorTable")) {
            result = -1;
            break;
        }
        colItName.assign(itemRow.GetAt(1));
        choiceText.assign(key.substr(colon + 1));
        choiceItName.assign(exRow.GetAt(1));

        if (SelectionToIntTable.FindRow(1, choiceItName.c_str(), &valRow) !=
            1) {
            TraceScope::Chr("[ERR] : Not import tablefile");
            result = -1;
            break;
        }
        if (!HasCells(valRow, 2, "SelectionToIntTable")) {
            result = -1;
            break;
        }
        SlctTbl->AddSlct(colItName, choiceItName, choiceText,
                         TextToInt(valRow.GetAt(1)));
    }

    if (result == 0 && scope.ActiveAtEntry()) {
        std::string dump;
        SlctTbl->DumpTbl(dump);
        TraceScope::Chr(dump);
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
