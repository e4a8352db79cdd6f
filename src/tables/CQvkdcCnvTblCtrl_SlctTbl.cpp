// CQvkdcCnvTblCtrl: building the selection value table.
#include <string_view>

#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/TraceIds.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/TextToInt.h"

namespace {

const TraceRecord kCreSlctTblRec = {kCnvTblTraceId, "CQvkdcCnvTblCtrl::CreSlctTbl"};

}  // namespace

int CQvkdcCnvTblCtrl::CreSlctTbl() {
    TraceScope scope(kCreSlctTblRec);
    step_ = CnvTblStep::kCreSlctTbl;
    observer_->StepBegun(step_);
    CQvlbwStringArray exRow;
    CQvlbwStringArray itemRow;
    CQvlbwStringArray valRow;
    std::string itemText;
    std::string colItName;
    std::string choiceText;
    std::string choiceItName;

    int result = 0;
    int exRowNo = 0;
    readers_[kExteriorTableFile]->MoveFirst();
    while (GetNextRow(kExteriorTableFile, &exRow) != 0) {
        if (!HasCells(exRow, 1, kExteriorTableFile, ++exRowNo, "the title")) {
            result = -1;
            break;
        }
        const std::string_view key = exRow.GetAt(0);
        const std::size_t colon = key.find(':');
        if (colon == std::string_view::npos) continue;
        if (!HasCells(exRow, 2, kExteriorTableFile, exRowNo, "the internal name")) {
            result = -1;
            break;
        }

        itemText.assign(key.substr(0, colon));
        choiceText.assign(key.substr(colon + 1));
        const int res = FindRow(kExteriorTableFile, 1, itemText, &itemRow);
        if (res == -2) {
            result = NotImported(kExteriorTableFile, FailStep::kNotImported, itemText);
            break;
        }
        if (res != 1) {
            std::string note = "[INF] : No item row in ExteriorTable for ";
            note += key;
            TraceScope::Chr(note);
            observer_->ChoiceTaken(itemText, choiceText, nullptr, 0);
            continue;
        }
        if (!HasCells(itemRow, 2, kExteriorTableFile, 0, "the item")) {
            result = -1;
            break;
        }
        colItName.assign(itemRow.GetAt(1));
        choiceItName.assign(exRow.GetAt(1));

        const int found = FindRow(kSelectionToIntTableFile, 1, choiceItName, &valRow);
        if (found != 1) {
            result = NotImported(kSelectionToIntTableFile, FailStep::kNotImported, choiceItName,
                                 found == -2 ? CnvTblStop::kNotImported : CnvTblStop::kNoRow);
            break;
        }
        if (!HasCells(valRow, 2, kSelectionToIntTableFile, 0, "the value")) {
            result = -1;
            break;
        }
        const int value = TextToInt(valRow.GetAt(1));
        SlctTbl->AddSlct(colItName, choiceItName, choiceText, value);
        observer_->ChoiceTaken(itemText, choiceText, &colItName, value);
    }

    if (result == 0 && scope.ActiveAtEntry()) {
        std::string dump;
        SlctTbl->DumpTbl(dump);
        TraceScope::Chr(dump);
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
