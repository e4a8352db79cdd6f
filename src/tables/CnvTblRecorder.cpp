#include "tables/CnvTblRecorder.h"

#include "host/Qvlbw.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"

CnvTblRecorder::CnvTblRecorder(const CnvTblReaders& readers,
                               CnvTblObserver& observer, const CQvkdcOutColTblMng& colTbl,
                               const CQvkdcSlctValTblMng& slctTbl)
    : CnvTblReader(readers), observer_(observer), colTbl_(colTbl), slctTbl_(slctTbl) {}

CnvTblRecorder::~CnvTblRecorder() = default;

int CnvTblRecorder::ReadTable(CnvTblIndex table, const char* path) {
    const int result = CnvTblReader::ReadTable(table, path);
    observer_.TableRead(table, result);
    return result;
}

int CnvTblRecorder::FindRow(CnvTblIndex table, int keyCol, const std::string& key,
                            CQvlbwStringArray* row) {
    const int result = CnvTblReader::FindRow(table, keyCol, key, row);
    Record(&found_[table], table, *row, false, result == 1);
    foundKey_[table].assign(key);
    return result;
}

int CnvTblRecorder::GetNextRow(CnvTblIndex table, CQvlbwStringArray* row) {
    const int result = CnvTblReader::GetNextRow(table, row);
    if (result != 0) {
        Record(&walked_[table], table, *row, true, true);
        // A walk of PlanCSVTable defines columns; one of ExteriorTable reads
        // its choice rows.
        Defining(&walked_[table], table == kPlanCSVTableFile ? 1 : 0);
    }
    return result;
}

void CnvTblRecorder::BeginStep(const char* step) {
    step_ = step;
    context_ = nullptr;
    colFlg_ = 0;
}

void CnvTblRecorder::TookToolSetForm() { observer_.ToolSetForm(found_[kVariableTableFile]); }

void CnvTblRecorder::DefinesByTitle(int line, std::string_view title) {
    titleDef_.read = true;
    titleDef_.line = line;
    titleDef_.cells.resize(1);
    titleDef_.cells[0].assign(title.data(), title.size());
    Defining(&titleDef_, 2);
}

void CnvTblRecorder::TitleFate(const CnvOptionTrail& title) { observer_.OptionTitle(title); }

void CnvTblRecorder::AddedColumn(int colFlg) {
    column_.index = colTbl_.GetColCnt() - 1;
    column_.colFlg = colFlg;
    column_.def = colFlg == 1 ? walked_[kPlanCSVTableFile] : titleDef_;
    column_.titleRow = found_[kExteriorTableFile];
    column_.keyRow = found_[kProcessParametersTableFile];
    column_.typeRow = found_[kParameterSettingTableFile];
    observer_.Column(column_);
    if (colFlg == 2) {
        observer_.OptionTitle({titleDef_.line, titleDef_.Cell(1), OptionFate::kTaken, column_.index});
    }
}

void CnvTblRecorder::TookChoice(std::string_view itemTitle, std::string_view text,
                                const std::string* colItName, int value) {
    CnvChoiceTrail choice;
    choice.row = &walked_[kExteriorTableFile];
    choice.itemTitle = itemTitle;
    choice.text = text;
    choice.itemRow = &found_[kExteriorTableFile];
    // A skipped choice reads no value row.
    if (colItName == nullptr) found_[kSelectionToIntTableFile].Clear();
    choice.valueRow = &found_[kSelectionToIntTableFile];
    choice.value = value;
    choice.filedIn = colItName != nullptr ? slctTbl_.FindRow(*colItName) : nullptr;
    observer_.Choice(choice);
}

void CnvTblRecorder::Stopped(CnvTblStop* stop, bool walked) {
    const CnvTblIndex table = stop->table;
    stop->step = step_;
    stop->context = context_;
    stop->colFlg = colFlg_;
    if (stop->kind == CnvTblStop::kShortRow) stop->row = walked ? &walked_[table] : &found_[table];
    // The item: a column's is the key of the lookup that stopped (its item,
    // or its title in ExteriorTable); a choice's is its row's first cell.
    if (context_ == nullptr || (colFlg_ != 0 && walked)) {
        stop->item = {};
    } else {
        stop->item = colFlg_ == 0 ? std::string_view(context_->Cell(1)) : std::string_view(foundKey_[table]);
    }
    observer_.Stopped(*stop);
}

void CnvTblRecorder::Record(CnvTblRow* into, CnvTblIndex table, const CQvlbwStringArray& row,
                            bool walked, bool found) {
    into->read = found;
    into->line = found ? observer_.RowLine(Reader(table), walked) : 0;
    // The cells a row held before keep their storage for the new ones.
    const int n = found ? row.GetSize() : 0;
    into->cells.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) into->cells[static_cast<std::size_t>(i)].assign(row.GetAt(i));
}

void CnvTblRecorder::Defining(const CnvTblRow* context, int colFlg) {
    context_ = context;
    colFlg_ = colFlg;
}
