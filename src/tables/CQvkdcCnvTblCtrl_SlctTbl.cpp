// CQvkdcCnvTblCtrl: building the selection value table.
#include <string_view>

#include "host/TraceScope.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/CnvTblObserver.h"
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
    // What an observer is told of each choice row.
    CnvTblRow choiceTrail;
    CnvTblRow itemTrail;
    CnvTblRow valueTrail;
    site_ = BuildSite{"CreSlctTbl", &choiceTrail, 0, {}};

    int result = 0;
    int exRowNo = 0;
    ExteriorTable.MoveFirst();
    while (ExteriorTable.GetNextRow(&exRow) != 0) {
        // The item row is recorded below before it is told; the value row
        // is cleared where it is told unread.
        if (observer_ != nullptr) Record(&choiceTrail, ExteriorTable, exRow, true, true);
        site_.item = {};
        if (!HasCells(exRow, 1, kExteriorTableFile, ++exRowNo, "the title",
                      &choiceTrail)) {
            result = -1;
            break;
        }
        const std::string_view key = exRow.GetAt(0);
        const std::size_t colon = key.find(':');
        if (colon == std::string_view::npos) continue;
        site_.item = key;
        if (!HasCells(exRow, 2, kExteriorTableFile, exRowNo,
                      "the internal name", &choiceTrail)) {
            result = -1;
            break;
        }

        itemText.assign(key.substr(0, colon));
        choiceText.assign(key.substr(colon + 1));
        CnvChoiceTrail told;
        told.row = &choiceTrail;
        told.itemTitle = itemText;
        told.text = choiceText;
        told.itemRow = &itemTrail;
        told.valueRow = &valueTrail;
        const int res = ExteriorTable.FindRow(1, itemText.c_str(), &itemRow);
        if (observer_ != nullptr) Record(&itemTrail, ExteriorTable, itemRow, false, res == 1);
        if (res == -2) {
            result = NotImported(kExteriorTableFile, FailStep::kNotImported,
                                 itemText, CnvTblStop::kNotImported);
            break;
        }
        if (res != 1) {
            std::string note = "[INF] : No item row in ExteriorTable for ";
            note += key;
            TraceScope::Chr(note);
            if (observer_ != nullptr) {
                valueTrail.Clear();
                observer_->Choice(told);
            }
            continue;
        }
        if (!HasCells(itemRow, 2, kExteriorTableFile, 0, "the item", &itemTrail)) {
            result = -1;
            break;
        }
        colItName.assign(itemRow.GetAt(1));
        choiceItName.assign(exRow.GetAt(1));

        const int found = SelectionToIntTable.FindRow(1, choiceItName.c_str(), &valRow);
        if (observer_ != nullptr) {
            Record(&valueTrail, SelectionToIntTable, valRow, false, found == 1);
        }
        if (found != 1) {
            result = NotImported(kSelectionToIntTableFile, FailStep::kNotImported,
                                 choiceItName,
                                 found == -2 ? CnvTblStop::kNotImported : CnvTblStop::kNoRow);
            break;
        }
        if (!HasCells(valRow, 2, kSelectionToIntTableFile, 0, "the value", &valueTrail)) {
            result = -1;
            break;
        }
        told.value = TextToInt(valRow.GetAt(1));
        SlctTbl->AddSlct(colItName, choiceItName, choiceText, told.value);
        if (observer_ != nullptr) {
            told.filedIn = SlctTbl->FindRow(colItName);
            observer_->Choice(told);
        }
    }

    site_ = BuildSite{};
    if (result == 0 && scope.ActiveAtEntry()) {
        std::string dump;
        SlctTbl->DumpTbl(dump);
        TraceScope::Chr(dump);
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
