#include "tables/CQvkdcCnvTblCtrl.h"

#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/TraceIds.h"
#include "examine/FileSystem.h"
#include "examine/CnvTblFiles.h"
#include "tables/ShortRowLine.h"

namespace {

const TraceRecord kImpCnvTblRec = {kCnvTblTraceId, "CQvkdcCnvTblCtrl::ImpCnvTbl"};
const TraceRecord kSetTSetFormRec = {kCnvTblTraceId, "CQvkdcCnvTblCtrl::SetTSetForm"};

}  // namespace

CQvkdcCnvTblCtrl::CQvkdcCnvTblCtrl()
    : readers_{&ExteriorTable, &ProcessParametersTable, &ParameterSettingTable,
               &SelectionToIntTable, &VariableTable, &PlanCSVTable} {
    ColTbl = std::make_unique<CQvkdcOutColTblMng>();
    SlctTbl = std::make_unique<CQvkdcSlctValTblMng>();
}

CQvkdcCnvTblCtrl::~CQvkdcCnvTblCtrl() {
    ColTbl.reset();
    SlctTbl.reset();
}

void CQvkdcCnvTblCtrl::SetObserver(CnvTblObserver* observer) {
    observer_ = observer != nullptr ? observer : &nobody_;
}

int CQvkdcCnvTblCtrl::FindRow(CnvTblIndex table, int keyCol, const std::string& key,
                              CQvlbwStringArray* row) {
    CQvlbwTableA& reader = *readers_[table];
    const int result = reader.FindRow(keyCol, key.c_str(), row);
    observer_->RowFound(table, reader, key, result, *row);
    return result;
}

int CQvkdcCnvTblCtrl::GetNextRow(CnvTblIndex table, CQvlbwStringArray* row) {
    CQvlbwTableA& reader = *readers_[table];
    const int result = reader.GetNextRow(row);
    if (result != 0) observer_->RowWalked(table, reader, *row);
    return result;
}

void CQvkdcCnvTblCtrl::Stop(CnvTblStop& stop, bool walked) {
    stop.step = step_;
    observer_->Stopped(stop, walked);
}

int CQvkdcCnvTblCtrl::ImpCnvTbl() {
    TraceScope scope(kImpCnvTblRec);
    step_ = CnvTblStep::kImpCnvTbl;
    observer_->StepBegun(step_);
    int result = -1;
    if (ColTbl != nullptr && SlctTbl != nullptr) {
        FileSystem* fs = FileSystem::Current();
        result = 0;
        for (int i = 0; i < kCnvTblFileCount; ++i) {
            const CnvTblIndex table = static_cast<CnvTblIndex>(i);
            const CnvTblFile& file = kCnvTblFiles[i];
            if (!fs->Exists(file.path)) continue;
            const std::string native = fs->NativePath(file.path);
            const int read = readers_[i]->ReadTable(native.c_str());
            observer_->TableRead(table, read);
            if (read != 0) {
                TraceFailure(file.openError);
                CnvTblStop stop;
                stop.kind = CnvTblStop::kUnreadable;
                stop.traceLine = FailurePointOf(file.openError).Line();
                stop.table = table;
                Stop(stop, false);
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
    step_ = CnvTblStep::kSetTSetForm;
    observer_->StepBegun(step_);
    int result = 0;
    CQvlbwStringArray row;
    switch (FindRow(kVariableTableFile, 3, "akw_tls_nm", &row)) {
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
    if (result == 0) observer_->ToolSetFormTaken();
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

bool CQvkdcCnvTblCtrl::HasCells(const CQvlbwStringArray& row, int cells,
                                CnvTblIndex table, int walkRow,
                                const char* reads) {
    if (row.GetSize() >= cells) return true;
    CnvTblStop stop;
    AppendShortRowLine(walkRow, table, row.GetSize() > 0 ? row.GetAt(0) : "", &stop.traceLine);
    stop.row.read = true;
    for (int i = 0; i < row.GetSize(); ++i) stop.row.cells.emplace_back(row.GetAt(i));
    TraceFailureLine(FailStep::kShortRow, stop.traceLine);
    stop.kind = CnvTblStop::kShortRow;
    stop.table = table;
    stop.cells = cells;
    stop.reads = reads;
    Stop(stop, walkRow > 0);
    return false;
}

int CQvkdcCnvTblCtrl::NotImported(CnvTblIndex table, FailStep step,
                                  std::string_view key, CnvTblStop::Kind kind) {
    TraceFailure(step);
    CnvTblStop stop;
    stop.kind = kind;
    stop.traceLine = FailurePointOf(step).Line();
    stop.table = table;
    stop.key = key;
    Stop(stop, false);
    return -1;
}
