#include "check/TableBuild.h"

#include <string_view>

#include "host/HostSession.h"
#include "check/TextForms.h"
#include "FailurePoints.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "qvhostsim/qvhostsim.h"

std::string ErrorNotes(const std::vector<std::string>& notes) {
    std::string errors;
    for (const std::string& note : notes) {
        if (IsFailureLine(note)) errors.append(note).append("\n");
    }
    return errors;
}

TableBuild::TableBuild() : tables_(std::make_unique<CQvkdcCnvTblCtrl>()) {}

TableBuild::~TableBuild() = default;

void TableBuild::Run() {
    // The library's notes: the failure lines say what failed.
    const NotesFollowed notes;
    tables_->SetObserver(this);
    if (tables_->ImpCnvTbl() != 0) {
        failedStep_ = FailurePointOf(FailStep::kImpCnvTbl).Note();
    } else if (tables_->CreColTbl() != 0) {
        failedStep_ = FailurePointOf(FailStep::kCreColTbl).Note();
    } else if (tables_->CreSlctTbl() != 0) {
        failedStep_ = FailurePointOf(FailStep::kCreSlctTbl).Note();
    }
    tables_->SetObserver(nullptr);
    errors_ = ErrorNotes(TraceNotes());
}

bool TableBuild::HasRows(CnvTblIndex table) {
    return read_[table] && tables_->GetReader(table).GetRowCount() > 0;
}

int TableBuild::FindItem(const std::string& itName) const {
    const auto it = itemColumn_.find(itName);
    return it != itemColumn_.end() ? it->second : -1;
}

const std::vector<ChoiceLines>* TableBuild::LinesOf(const CQvkdcSlctValRowMng* row) const {
    const auto it = choiceLines_.find(row);
    return it != choiceLines_.end() ? &it->second : nullptr;
}

const std::vector<ItemRowTrail>& TableBuild::ItemRows() {
    if (itemRowsRead_) return itemRows_;
    itemRowsRead_ = true;
    CQvlbwTableA& exterior = tables_->GetReader(kExteriorTableFile);
    CQvlbwStringArray row;
    exterior.MoveFirst();
    while (exterior.GetNextRow(&row) != 0) {
        if (row.GetSize() == 0 || std::string_view(row.GetAt(0)).find(':') != std::string_view::npos) continue;
        ItemRowTrail item;
        item.line = exterior.GetCurRowLine();
        item.cells = row.GetSize();
        item.title = row.GetAt(0);
        if (row.GetSize() >= 2) item.item = row.GetAt(1);
        itemRows_.push_back(std::move(item));
    }
    return itemRows_;
}

int TableBuild::FirstRowLine(CnvTblIndex table) {
    int& line = firstLines_[table];
    if (line == 0) {
        line = -1;
        if (read_[table]) {
            CQvlbwTableA& reader = tables_->GetReader(table);
            CQvlbwStringArray row;
            reader.MoveFirst();
            if (reader.GetNextRow(&row) != 0) line = reader.GetCurRowLine();
        }
    }
    return line < 0 ? 0 : line;
}

const std::vector<std::string>& TableBuild::FirstCells(CnvTblIndex table) {
    std::unique_ptr<std::vector<std::string>>& cells = firstCells_[table];
    if (cells != nullptr) return *cells;
    cells = std::make_unique<std::vector<std::string>>();
    if (!read_[table]) return *cells;
    CQvlbwTableA& reader = tables_->GetReader(table);
    CQvlbwStringArray row;
    reader.MoveFirst();
    while (reader.GetNextRow(&row) != 0) cells->emplace_back(row.GetSize() > 0 ? row.GetAt(0) : "");
    return *cells;
}

int TableBuild::RowLine(const CQvlbwTableA& reader, bool walked) {
    return walked ? reader.GetCurRowLine() : reader.GetFoundRowLine();
}

void TableBuild::TableRead(CnvTblIndex table, int result) {
    read_[table] = result == 0;
}

void TableBuild::ToolSetForm(const CnvTblRow& row) {
    toolSetLooked_ = true;
    toolSetRow_ = row;
}

void TableBuild::Column(const CnvColTrail& column) {
    CheckedColumn c;
    c.row = tables_->GetColTbl()->GetColRow(column.index);
    c.trail = column;
    c.use = CQvkdcCnvColData::DescribeCol(c.row->ItNameRef(), c.row->GetPrmKey(),
                                          c.row->GetValType());
    itemColumn_.try_emplace(c.row->ItNameRef(), static_cast<int>(columns_.size()));
    columns_.push_back(std::move(c));
}

void TableBuild::OptionTitle(const CnvOptionTrail& title) {
    options_.push_back({title.line, std::string(title.title), title.fate, title.other});
}

void TableBuild::Choice(const CnvChoiceTrail& choice) {
    const CnvTblRow& row = *choice.row;
    if (!choice.itemRow->read) {
        ChoiceNote note;
        note.kind = ChoiceNote::kOrphan;
        note.line = row.line;
        note.key = row.Cell(1);
        note.itemTitle = choice.itemTitle;
        note.text = choice.text;
        note.choiceItName = row.Cell(2);
        notes_.push_back(std::move(note));
        return;
    }
    const CnvTblRow& value = *choice.valueRow;
    // The choices of one item mostly follow each other: the last item's
    // lines and column are kept.
    if (choice.filedIn != lastFiledIn_ || lastLines_ == nullptr) {
        lastFiledIn_ = choice.filedIn;
        lastLines_ = &choiceLines_[choice.filedIn];
        lastColumn_ = choice.filedIn != nullptr ? FindItem(choice.filedIn->ColItNameRef()) : -1;
    }
    lastLines_->push_back({row.line, value.line});
    if (!IsDecimalInt(value.Cell(2)) && valueLinesSeen_.insert(value.line).second) {
        ChoiceNote note;
        note.kind = ChoiceNote::kNotANumber;
        note.line = value.line;
        note.text = value.Cell(2);
        note.choiceItName = row.Cell(2);
        note.value = choice.value;
        notes_.push_back(std::move(note));
    }
    const int column = lastColumn_;
    if (column >= 0 && !UnquotedFlaw(choice.text).empty()) {
        ChoiceNote note;
        note.kind = ChoiceNote::kUnquoted;
        note.line = row.line;
        note.text = choice.text;
        note.column = column;
        notes_.push_back(std::move(note));
    }
}

void TableBuild::Stopped(const CnvTblStop& stop) {
    stop_ = std::make_unique<BuildStop>();
    BuildStop& s = *stop_;
    s.kind = stop.kind;
    s.step = stop.step;
    s.traceLine = stop.traceLine;
    s.table = stop.table;
    s.key = stop.key;
    if (stop.row != nullptr) s.row = *stop.row;
    s.cells = stop.cells;
    s.reads = stop.reads;
    s.hasContext = stop.context != nullptr;
    if (stop.context != nullptr) s.context = *stop.context;
    s.colFlg = stop.colFlg;
    s.item = stop.item;
}
