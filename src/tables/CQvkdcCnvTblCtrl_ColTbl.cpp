// CQvkdcCnvTblCtrl: building the output column table.
#include "host/TraceScope.h"
#include "tables/CQvkdcCnvTblCtrl.h"
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

    // Completes v from ProcessParametersTable and ParameterSettingTable;
    // notImported is the line logged when either holds no data.
    auto completeFromSettings = [&](const char* notImported) -> int {
        int res = ProcessParametersTable.FindRow(1, v.itName.c_str(), &found);
        if (res == 1) {
            if (!HasCells(found, 3, "ProcessParametersTable")) return -1;
            v.prmKey = TextToInt(found.GetAt(1));
            v.priority = TextToInt(found.GetAt(2));
        } else if (res == -2) {
            TraceScope::Chr(notImported);
            return -1;
        }
        res = ParameterSettingTable.FindRow(1, v.itName.c_str(), &found);
        if (res == 1) {
            if (!HasCells(found, 4, "ParameterSettingTable")) return -1;
            v.valType.assign(found.GetAt(1));
            v.isBlank.assign(found.GetAt(2));
            v.isRepeat.assign(found.GetAt(3));
            if (found.GetSize() >= 5) v.subType.assign(found.GetAt(4));
        } else if (res == -2) {
            TraceScope::Chr(notImported);
            return -1;
        }
        return 0;
    };
    auto addRow = [&](int colFlg) {
        ColTbl->AddColRow(colFlg, v.exName, v.itName, v.isBlank, v.isRepeat,
                          v.priority, v.prmKey, v.valType, v.subType);
    };

    int result = 0;
    int planRowNo = 0;
    while (result == 0 && PlanCSVTable.GetNextRow(&planRow) != 0) {
        v.Reset();
        if (!HasCells(planRow, 2, "PlanCSVTable", ++planRowNo)) {
            result = -1;
            break;
        }
        v.itName.assign(planRow.GetAt(1));
        const int res = ExteriorTable.FindRow(2, v.itName.c_str(), &found);
        if (res == 1) {
            if (!HasCells(found, 1, "ExteriorTable")) {
                result = -1;
                break;
            }
            v.exName.assign(found.GetAt(0));
        } else if (res == -2) {
            TraceScope::Chr("[ERR] : Not import tablefile");
            result = -1;
            break;
        }
        result = completeFromSettings("[ERR] : _Not import tablefile");
        if (result != 0) break;
        if (ReplacePrcsStat(v.itName, &v.prmKey, &v.valType) != 0) {
            TraceScope::Chr("[ERR] : ReplacePrcsStat");
            result = -1;
            break;
        }
        addRow(1);
    }

    std::vector<std::string> optCols;
    if (result == 0) {
        const int res = GetOptionCol(optCols);
        if (res < 0) {
            TraceScope::Chr("[ERR] : GetOptionCol");
            result = res;
        }
    }

    for (std::size_t i = 0; result == 0 && i < optCols.size(); ++i) {
        v.Reset();
        v.exName = optCols[i];
        const int res = ExteriorTable.FindRow(1, v.exName.c_str(), &found);
        if (res == -2) {
            TraceScope::Chr("[ERR] : Not import tablefile");
            result = -1;
            break;
        }
        if (res != 1) {
            TraceScope::Chr("[INF] : Invalid Row in rc_pln2usr.ini ");
            continue;
        }
        if (!HasCells(found, 2, "ExteriorTable")) {
            result = -1;
            break;
        }
        v.itName.assign(found.GetAt(1));
        result = completeFromSettings("[ERR] : Not import tablefile");
        if (result != 0) break;
        ReplacePrcsStat(v.itName, &v.prmKey, &v.valType);
        addRow(2);
    }

    if (result == 0 && scope.ActiveAtEntry()) {
        std::string dump;
        ColTbl->DumpTbl(dump);
        TraceScope::Chr(dump);
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
