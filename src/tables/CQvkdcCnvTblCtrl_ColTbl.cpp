// CQvkdcCnvTblCtrl: building the output column table, in two passes: a
// column for each row of PlanCSVTable, then one for each new title of the
// user option file.
#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/TraceIds.h"
#include "examine/ValueTypes.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/TextToInt.h"

namespace {

const TraceRecord kCreColTblRec = {kCnvTblTraceId, "CQvkdcCnvTblCtrl::CreColTbl"};

constexpr int kProcessTypePrmKey = 1011;

}  // namespace

struct CQvkdcCnvTblCtrl::ColValues {
    // The rows the values are read from: a walked PlanCSVTable row and the
    // row a lookup found. Both passes share them.
    CQvlbwStringArray planRow;
    CQvlbwStringArray found;
    std::string exName;
    std::string itName;
    int prmKey = 0;
    int priority = 0;
    std::string valType;
    std::string isBlank;
    std::string isRepeat;
    std::string subType;

    // Empties every value; the strings keep their storage, the rows what
    // they hold.
    void Reset() {
        exName.clear();
        itName.clear();
        prmKey = 0;
        priority = 0;
        valType.clear();
        isBlank.clear();
        isRepeat.clear();
        subType.clear();
    }
};

int CQvkdcCnvTblCtrl::ReplacePrcsStat(const std::string& iItName,
                                      int* ioPrmKey, std::string* ioValType) {
    if (ioPrmKey == nullptr || ioValType == nullptr) return 0;
    if (iItName == "processType") *ioPrmKey = kProcessTypePrmKey;
    if (*ioValType == ValueTypeOfCode(kValTypeMacroName)->keyword) {
        ioValType->assign(ValueTypeOfCode(kValTypeString)->keyword);
    }
    return 0;
}

int CQvkdcCnvTblCtrl::CreColTbl() {
    TraceScope scope(kCreColTblRec);
    step_ = CnvTblStep::kCreColTbl;
    observer_->StepBegun(step_);
    ColValues v;
    int result = AddPlanCols(v);

    std::vector<std::string> optCols;
    std::vector<int> optLines;
    if (result == 0) {
        const int res = ReadOptionCol(optCols, &optLines);
        if (res < 0) {
            TraceFailure(FailStep::kGetOptionCol);
            result = res;
        }
    }
    if (result == 0) result = AddOptionCols(optCols, optLines, v);

    if (result == 0 && scope.ActiveAtEntry()) {
        std::string dump;
        ColTbl->DumpTbl(dump);
        TraceScope::Chr(dump);
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

int CQvkdcCnvTblCtrl::AddPlanCols(ColValues& v) {
    const CQvlbwStringArray& planRow = v.planRow;
    CQvlbwStringArray& found = v.found;
    int planRowNo = 0;
    while (GetNextRow(kPlanCSVTableFile, &v.planRow) != 0) {
        v.Reset();
        if (!HasCells(planRow, 2, kPlanCSVTableFile, ++planRowNo, "the item")) return -1;
        v.itName.assign(planRow.GetAt(1));
        const int res = FindRow(kExteriorTableFile, 2, v.itName, &found);
        if (res == 1) {
            if (!HasCells(found, 1, kExteriorTableFile, 0, "the title")) return -1;
            v.exName.assign(found.GetAt(0));
        } else if (res == -2) {
            return NotImported(kExteriorTableFile, FailStep::kNotImported, v.itName);
        }
        const int completed = CompleteFromSettings(v, FailStep::kSettingsNotImported);
        if (completed != 0) return completed;
        if (ReplacePrcsStat(v.itName, &v.prmKey, &v.valType) != 0) {
            return TraceFailure(FailStep::kReplacePrcsStat);
        }
        AddCol(CnvColFlg::kPlanCsv, v);
    }
    return 0;
}

int CQvkdcCnvTblCtrl::AddOptionCols(const std::vector<std::string>& optCols,
                                    const std::vector<int>& optLines, ColValues& v) {
    CQvlbwStringArray& found = v.found;
    for (std::size_t i = 0; i < optCols.size(); ++i) {
        v.Reset();
        v.exName = optCols[i];
        observer_->DefinesByTitle(optLines[i], v.exName);
        const int res = FindRow(kExteriorTableFile, 1, v.exName, &found);
        if (res == -2) {
            return NotImported(kExteriorTableFile, FailStep::kNotImported, v.exName);
        }
        if (res != 1) {
            TraceScope::Chr("[INF] : Invalid Row in rc_pln2usr.ini ");
            observer_->TitleFate(optLines[i], v.exName, OptionFate::kUnknown, -1);
            continue;
        }
        if (!HasCells(found, 2, kExteriorTableFile, 0, "the item")) return -1;
        v.itName.assign(found.GetAt(1));
        const int completed = CompleteFromSettings(v, FailStep::kNotImported);
        if (completed != 0) return completed;
        ReplacePrcsStat(v.itName, &v.prmKey, &v.valType);
        AddCol(CnvColFlg::kOption, v);
    }
    return 0;
}

int CQvkdcCnvTblCtrl::CompleteFromSettings(ColValues& v, FailStep notImported) {
    CQvlbwStringArray& found = v.found;
    int res = FindRow(kProcessParametersTableFile, 1, v.itName, &found);
    if (res == 1) {
        if (!HasCells(found, 3, kProcessParametersTableFile, 0, "the priority")) return -1;
        v.prmKey = TextToInt(found.GetAt(1));
        v.priority = TextToInt(found.GetAt(2));
    } else if (res == -2) {
        return NotImported(kProcessParametersTableFile, notImported, v.itName);
    }
    res = FindRow(kParameterSettingTableFile, 1, v.itName, &found);
    if (res == 1) {
        if (!HasCells(found, 4, kParameterSettingTableFile, 0, "the repeat mark")) return -1;
        v.valType.assign(found.GetAt(1));
        v.isBlank.assign(found.GetAt(2));
        v.isRepeat.assign(found.GetAt(3));
        if (found.GetSize() >= 5) v.subType.assign(found.GetAt(4));
    } else if (res == -2) {
        return NotImported(kParameterSettingTableFile, notImported, v.itName);
    }
    return 0;
}

void CQvkdcCnvTblCtrl::AddCol(CnvColFlg colFlg, const ColValues& v) {
    ColTbl->AddColRow(static_cast<int>(colFlg), v.exName, v.itName, v.isBlank, v.isRepeat,
                      v.priority, v.prmKey, v.valType, v.subType);
    observer_->ColumnAdded(ColTbl->GetColCnt() - 1, colFlg);
}
