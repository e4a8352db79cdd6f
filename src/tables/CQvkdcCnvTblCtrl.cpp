#include "tables/CQvkdcCnvTblCtrl.h"

#include "host/TraceScope.h"
#include "inspect/FileSystem.h"
#include "inspect/CnvTblFiles.h"
#include "tables/CnvTblRecorder.h"
#include "tables/ShortRowNote.h"

namespace {

const TraceRecord kImpCnvTblRec = {577686, "CQvkdcCnvTblCtrl::ImpCnvTbl"};
const TraceRecord kSetTSetFormRec = {577686, "CQvkdcCnvTblCtrl::SetTSetForm"};

}  // namespace

CQvkdcCnvTblCtrl::CQvkdcCnvTblCtrl()
    : reader_(CnvTblReaders{&ExteriorTable, &ProcessParametersTable, &ParameterSettingTable,
                            &SelectionToIntTable, &VariableTable, &PlanCSVTable}) {
    ColTbl = std::make_unique<CQvkdcOutColTblMng>();
    SlctTbl = std::make_unique<CQvkdcSlctValTblMng>();
}

CQvkdcCnvTblCtrl::~CQvkdcCnvTblCtrl() {
    recorder_.reset();
    ColTbl.reset();
    SlctTbl.reset();
}

void CQvkdcCnvTblCtrl::SetObserver(CnvTblObserver* observer) {
    rows_ = &reader_;
    recorder_.reset();
    if (observer == nullptr) return;
    recorder_ = std::make_unique<CnvTblRecorder>(reader_.Readers(), *observer, *ColTbl, *SlctTbl);
    rows_ = recorder_.get();
}

CQvlbwTableA& CQvkdcCnvTblCtrl::GetReader(CnvTblIndex table) { return reader_.Reader(table); }

int CQvkdcCnvTblCtrl::ImpCnvTbl() {
    TraceScope scope(kImpCnvTblRec);
    rows_->BeginStep("ImpCnvTbl");
    int result = -1;
    if (ColTbl != nullptr && SlctTbl != nullptr) {
        FileSystem* fs = FileSystem::Current();
        result = 0;
        for (int i = 0; i < kCnvTblFileCount; ++i) {
            const CnvTblIndex table = static_cast<CnvTblIndex>(i);
            const CnvTblFile& file = kCnvTblFiles[i];
            if (!fs->Exists(file.path)) continue;
            const std::string native = fs->NativePath(file.path);
            if (rows_->ReadTable(table, native.c_str()) != 0) {
                TraceFailure(file.openError);
                CnvTblStop stop;
                stop.kind = CnvTblStop::kUnreadable;
                stop.traceLine = FailurePointOf(file.openError).line;
                stop.table = table;
                rows_->Stopped(&stop, false);
                result = -1;
                break;
            }
        }
        if (result == 0 && SetTSetForm() == -1) {
            result = TraceFailure(FailStep::kSetTSetForm);
        }
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

int CQvkdcCnvTblCtrl::SetTSetForm() {
    TraceScope scope(kSetTSetFormRec);
    rows_->BeginStep("SetTSetForm");
    int result = 0;
    CQvlbwStringArray row;
    switch (rows_->FindRow(kVariableTableFile, 3, "akw_tls_nm", &row)) {
        case 1:
            if (HasCells(row, 1, kVariableTableFile, 0, "the tool-set form")) {
                TSetForm = row.GetAt(0);
            } else {
                result = -1;
            }
            break;
        case -2:
            result = NotImported(kVariableTableFile, FailStep::kVariableTableNotImported,
                                 "akw_tls_nm");
            break;
        default:
            break;
    }
    if (result == 0) rows_->TookToolSetForm();
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

bool CQvkdcCnvTblCtrl::HasCells(const CQvlbwStringArray& row, int cells,
                                CnvTblIndex table, int walkRow,
                                const char* reads) {
    if (row.GetSize() >= cells) return true;
    std::string line;
    AppendShortRowLine(walkRow, table, row.GetSize() > 0 ? row.GetAt(0) : "", &line);
    TraceScope::Chr(line);
    CnvTblStop stop;
    stop.kind = CnvTblStop::kShortRow;
    stop.traceLine = line;
    stop.table = table;
    stop.cells = cells;
    stop.reads = reads;
    rows_->Stopped(&stop, walkRow > 0);
    return false;
}

int CQvkdcCnvTblCtrl::NotImported(CnvTblIndex table, FailStep step,
                                  std::string_view key, CnvTblStop::Kind kind) {
    TraceFailure(step);
    CnvTblStop stop;
    stop.kind = kind;
    stop.traceLine = FailurePointOf(step).line;
    stop.table = table;
    stop.key = key;
    rows_->Stopped(&stop, false);
    return -1;
}
