// CQvkdcCnvTblCtrl: building the output column table.
#include "host/TraceScope.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/CnvTblObserver.h"
#include "tables/TextToInt.h"

namespace {

const TraceRecord kCreColTblRec = {577686, "CQvkdcCnvTblCtrl::CreColTbl"};

constexpr int kProcessTypePrmKey = 1011;

// Working values of one column row.
struct ColValues {
    std::string exName;
    std::string itName;
    int prmKey = 0;
    int priority = 0;
    std::string valType;
    std::string isBlank;
    std::string isRepeat;
    std::string subType;

    // Empties every value; the strings keep their storage.
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

}  // namespace

int CQvkdcCnvTblCtrl::ReplacePrcsStat(const std::string& iItName,
                                      int* ioPrmKey, std::string* ioValType) {
    if (ioPrmKey == nullptr || ioValType == nullptr) return 0;
    if (iItName == "processType") *ioPrmKey = kProcessTypePrmKey;
    if (*ioValType == "MacroName") *ioValType = "String";
    return 0;
}

int CQvkdcCnvTblCtrl::CreColTbl() {
    TraceScope scope(kCreColTblRec);
    CQvlbwStringArray planRow;
    CQvlbwStringArray found;
    ColValues v;
    CnvColTrail trail;  // what an observer is told of each column
    site_ = BuildSite{"CreColTbl", &trail.def, 1, v.itName};

    // Looks key up in column keyCol of table; an observer learns the row.
    auto lookup = [&](CnvTblIndex table, int keyCol, const std::string& key,
                      CnvTblRow* into) {
        CQvlbwTableA& reader = GetReader(table);
        const int res = reader.FindRow(keyCol, key.c_str(), &found);
        if (observer_ != nullptr) Record(into, reader, found, false, res == 1);
        return res;
    };
    // Completes v from ProcessParametersTable and ParameterSettingTable;
    // notImported is the failure traced when either holds no data.
    auto completeFromSettings = [&](FailStep notImported) -> int {
        int res = lookup(kProcessParametersTableFile, 1, v.itName, &trail.keyRow);
        if (res == 1) {
            if (!HasCells(found, 3, kProcessParametersTableFile, 0,
                          "the priority", &trail.keyRow)) {
                return -1;
            }
            v.prmKey = TextToInt(found.GetAt(1));
            v.priority = TextToInt(found.GetAt(2));
        } else if (res == -2) {
            return NotImported(kProcessParametersTableFile, notImported,
                               v.itName, CnvTblStop::kNotImported);
        }
        res = lookup(kParameterSettingTableFile, 1, v.itName, &trail.typeRow);
        if (res == 1) {
            if (!HasCells(found, 4, kParameterSettingTableFile, 0,
                          "the repeat mark", &trail.typeRow)) {
                return -1;
            }
            v.valType.assign(found.GetAt(1));
            v.isBlank.assign(found.GetAt(2));
            v.isRepeat.assign(found.GetAt(3));
            if (found.GetSize() >= 5) v.subType.assign(found.GetAt(4));
        } else if (res == -2) {
            return NotImported(kParameterSettingTableFile, notImported,
                               v.itName, CnvTblStop::kNotImported);
        }
        return 0;
    };
    auto addRow = [&](int colFlg) {
        ColTbl->AddColRow(colFlg, v.exName, v.itName, v.isBlank, v.isRepeat,
                          v.priority, v.prmKey, v.valType, v.subType);
        if (observer_ == nullptr) return;
        trail.index = ColTbl->GetColCnt() - 1;
        trail.colFlg = colFlg;
        observer_->Column(trail);
    };

    int result = 0;
    int planRowNo = 0;
    while (result == 0 && PlanCSVTable.GetNextRow(&planRow) != 0) {
        v.Reset();
        site_.item = {};
        if (observer_ != nullptr) {
            trail.Clear();
            Record(&trail.def, PlanCSVTable, planRow, true, true);
        }
        if (!HasCells(planRow, 2, kPlanCSVTableFile, ++planRowNo, "the item",
                      &trail.def)) {
            result = -1;
            break;
        }
        v.itName.assign(planRow.GetAt(1));
        site_.item = v.itName;
        const int res = lookup(kExteriorTableFile, 2, v.itName, &trail.titleRow);
        if (res == 1) {
            if (!HasCells(found, 1, kExteriorTableFile, 0, "the title",
                          &trail.titleRow)) {
                result = -1;
                break;
            }
            v.exName.assign(found.GetAt(0));
        } else if (res == -2) {
            result = NotImported(kExteriorTableFile, FailStep::kNotImported,
                                 v.itName, CnvTblStop::kNotImported);
            break;
        }
        result = completeFromSettings(FailStep::kSettingsNotImported);
        if (result != 0) break;
        if (ReplacePrcsStat(v.itName, &v.prmKey, &v.valType) != 0) {
            result = TraceFailure(FailStep::kReplacePrcsStat);
            break;
        }
        addRow(1);
    }

    std::vector<std::string> optCols;
    std::vector<int> optLines;
    if (result == 0) {
        const int res = ReadOptionCol(optCols, observer_ != nullptr ? &optLines : nullptr);
        if (res < 0) {
            TraceFailure(FailStep::kGetOptionCol);
            result = res;
        }
    }

    site_.colFlg = 2;
    for (std::size_t i = 0; result == 0 && i < optCols.size(); ++i) {
        v.Reset();
        v.exName = optCols[i];
        site_.item = v.exName;
        if (observer_ != nullptr) {
            trail.Clear();
            trail.def.read = true;
            trail.def.line = optLines[i];
            trail.def.cells.push_back(v.exName);
        }
        const int res = lookup(kExteriorTableFile, 1, v.exName, &trail.titleRow);
        if (res == -2) {
            result = NotImported(kExteriorTableFile, FailStep::kNotImported,
                                 v.exName, CnvTblStop::kNotImported);
            break;
        }
        if (res != 1) {
            TraceScope::Chr("[INF] : Invalid Row in rc_pln2usr.ini ");
            if (observer_ != nullptr) {
                observer_->OptionTitle({optLines[i], v.exName, OptionFate::kUnknown, -1});
            }
            continue;
        }
        if (!HasCells(found, 2, kExteriorTableFile, 0, "the item", &trail.titleRow)) {
            result = -1;
            break;
        }
        v.itName.assign(found.GetAt(1));
        site_.item = v.itName;
        result = completeFromSettings(FailStep::kNotImported);
        if (result != 0) break;
        ReplacePrcsStat(v.itName, &v.prmKey, &v.valType);
        addRow(2);
        if (observer_ != nullptr) {
            observer_->OptionTitle({optLines[i], v.exName, OptionFate::kTaken, trail.index});
        }
    }

    if (result == 0 && scope.ActiveAtEntry()) {
        std::string dump;
        ColTbl->DumpTbl(dump);
        TraceScope::Chr(dump);
    }
    site_ = BuildSite{};
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
