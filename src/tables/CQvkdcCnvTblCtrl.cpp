#include "tables/CQvkdcCnvTblCtrl.h"

#include "host/TraceScope.h"
#include "platform/FileSystem.h"
#include "tables/CnvTblFiles.h"
#include "tables/CnvTblObserver.h"
#include "tables/ShortRowNote.h"

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

CQvlbwTableA& CQvkdcCnvTblCtrl::GetReader(CnvTblIndex table) {
    switch (table) {
        case kExteriorTableFile:
            return ExteriorTable;
        case kProcessParametersTableFile:
            return ProcessParametersTable;
        case kParameterSettingTableFile:
            return ParameterSettingTable;
        case kSelectionToIntTableFile:
            return SelectionToIntTable;
        case kVariableTableFile:
            return VariableTable;
        default:
            return PlanCSVTable;
    }
}

int CQvkdcCnvTblCtrl::ImpCnvTbl() {
    TraceScope scope(kImpCnvTblRec);
    site_ = BuildSite{"ImpCnvTbl", nullptr, 0, {}};
    int result = -1;
    if (ColTbl != nullptr && SlctTbl != nullptr) {
        FileSystem* fs = FileSystem::Current();
        result = 0;
        for (int i = 0; i < kCnvTblFileCount; ++i) {
            const CnvTblIndex table = static_cast<CnvTblIndex>(i);
            const CnvTblFile& file = kCnvTblFiles[i];
            if (!fs->Exists(file.path)) {
                if (observer_ != nullptr) observer_->TableRead(table, false, 0);
                continue;
            }
            const std::string native = fs->NativePath(file.path);
            const int read = GetReader(table).ReadTable(native.c_str());
            if (observer_ != nullptr) observer_->TableRead(table, true, read);
            if (read != 0) {
                TraceFailure(file.openError);
                if (observer_ != nullptr) {
                    CnvTblStop stop;
                    stop.kind = CnvTblStop::kUnreadable;
                    stop.traceLine = FailurePointOf(file.openError).line;
                    stop.table = table;
                    Tell(&stop);
                }
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
    site_ = BuildSite{"SetTSetForm", nullptr, 0, {}};
    int result = 0;
    CQvlbwStringArray row;
    CnvTblRow trail;
    const int found = VariableTable.FindRow(3, "akw_tls_nm", &row);
    if (observer_ != nullptr) Record(&trail, VariableTable, row, false, found == 1);
    switch (found) {
        case 1:
            if (HasCells(row, 1, kVariableTableFile, 0, "the tool-set form", &trail)) {
                TSetForm = row.GetAt(0);
            } else {
                result = -1;
            }
            break;
        case -2:
            result = NotImported(kVariableTableFile, FailStep::kVariableTableNotImported,
                                 "akw_tls_nm", CnvTblStop::kNotImported);
            break;
        default:
            break;
    }
    if (result == 0 && observer_ != nullptr) observer_->ToolSetForm(trail);
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}

bool CQvkdcCnvTblCtrl::HasCells(const CQvlbwStringArray& row, int cells,
                                CnvTblIndex table, int walkRow,
                                const char* reads, const CnvTblRow* trail) {
    if (row.GetSize() >= cells) return true;
    std::string line;
    AppendShortRowLine(walkRow, table, row.GetSize() > 0 ? row.GetAt(0) : "", &line);
    TraceScope::Chr(line);
    if (observer_ != nullptr) {
        CnvTblStop stop;
        stop.kind = CnvTblStop::kShortRow;
        stop.traceLine = line;
        stop.table = table;
        stop.row = trail;
        stop.cells = cells;
        stop.reads = reads;
        Tell(&stop);
    }
    return false;
}

int CQvkdcCnvTblCtrl::NotImported(CnvTblIndex table, FailStep step,
                                  std::string_view key, int kind) {
    TraceFailure(step);
    if (observer_ != nullptr) {
        CnvTblStop stop;
        stop.kind = static_cast<CnvTblStop::Kind>(kind);
        stop.traceLine = FailurePointOf(step).line;
        stop.table = table;
        stop.key = key;
        Tell(&stop);
    }
    return -1;
}

void CQvkdcCnvTblCtrl::Tell(CnvTblStop* stop) const {
    stop->step = site_.step;
    stop->context = site_.context;
    stop->colFlg = site_.colFlg;
    stop->item = site_.item;
    observer_->Stopped(*stop);
}

void CQvkdcCnvTblCtrl::Record(CnvTblRow* trail, const CQvlbwTableA& reader,
                              const CQvlbwStringArray& row, bool walked,
                              bool found) const {
    trail->read = found;
    trail->line = found ? observer_->RowLine(reader, walked) : 0;
    // The cells a trail held before keep their storage for the new ones.
    const int n = found ? row.GetSize() : 0;
    trail->cells.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) trail->cells[static_cast<std::size_t>(i)].assign(row.GetAt(i));
}
