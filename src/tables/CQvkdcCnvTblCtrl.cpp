#include "tables/CQvkdcCnvTblCtrl.h"

#include "host/TraceScope.h"
#include "platform/FileSystem.h"
#include "tables/CnvTblFiles.h"

namespace {

const TraceRecord kImpCnvTblRec = {577686, "CQvkdcCnvTblCtrl::ImpCnvTbl"};
const TraceRecord kSetTSetFormRec = {577686, "CQvkdcCnvTblCtrl::SetTSetForm"};

}  // namespace

CQvkdcCnvTblCtrl::CQvkdcCnvTblCtrl() {
    ColTbl = std::make_unique<CQvkdcOutColTblMng>();
    SlctTbl = std::make_unique<CQvkdcSlctValTblMng>();
}

CQvkdcCnvTblCtrl::~CQvkdcCnvTblCtrl() {
    ColTbl.reset();
    SlctTbl.reset();
}

int CQvkdcCnvTblCtrl::ImpCnvTbl() {
    // The reader of each entry of kCnvTblFiles.
    static CQvlbwTableA CQvkdcCnvTblCtrl::*const kReaders[kCnvTblFileCount] = {
        &CQvkdcCnvTblCtrl::ExteriorTable,
        &CQvkdcCnvTblCtrl::ProcessParametersTable,
        &CQvkdcCnvTblCtrl::ParameterSettingTable,
        &CQvkdcCnvTblCtrl::SelectionToIntTable,
        &CQvkdcCnvTblCtrl::VariableTable,
        &CQvkdcCnvTblCtrl::PlanCSVTable,
    };

    TraceScope scope(kImpCnvTblRec);
    int result = -1;
    if (ColTbl != nullptr && SlctTbl != nullptr) {
        FileSystem* fs = FileSystem::Current();
        result = 0;
        for (int i = 0; i < kCnvTblFileCount; ++i) {
            const CnvTblFile& file = kCnvTblFiles[i];
            if (!fs->Exists(file.path)) continue;
            const std::string native = fs->NativePath(file.path);
            if ((this->*kReaders[i]).ReadTable(native.c_str()) != 0) {
                TraceScope::Chr(file.openError);
                result = -1;
                break;
            }
        }
        if (result == 0 && SetTSetForm() == -1) {
            TraceScope::Chr("[ERR] : SetTSetForm Error");
            result = -1;
        }
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

int CQvkdcCnvTblCtrl::SetTSetForm() {
    TraceScope scope(kSetTSetFormRec);
    int result = 0;
    CQvlbwStringArray row;
    switch (VariableTable.FindRow(3, "akw_tls_nm", &row)) {
        case 1:
            if (HasCells(row, 1, "VariableTable")) {
                TSetForm = row.GetAt(0);
            } else {
                result = -1;
            }
            break;
        case -2:
            TraceScope::Chr("[ERR] : Not import tablefile VariableTable");
            result = -1;
            break;
        default:
            break;
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

bool CQvkdcCnvTblCtrl::HasCells(const CQvlbwStringArray& row, int cells,
                                const char* table, int walkRow) {
    if (row.GetSize() >= cells) return true;
    std::string line = "[ERR] : Short row ";
    if (walkRow > 0) {
        line += std::to_string(walkRow);
        line += ' ';
    }
    line += "in ";
    line += table;
    line += ": ";
    if (row.GetSize() > 0) line += row.GetAt(0);
    TraceScope::Chr(line);
    return false;
}
