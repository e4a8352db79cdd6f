#include "examine/ExamineTables.h"

#include <unordered_map>

#include "convert/CQvkdcCnvColData.h"
#include "host/FailureTrace.h"
#include "host/HostMemory.h"
#include "host/Qvlbw.h"
#include "examine/FileSystem.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

// The choices of one selection row, with the lines each came from.
class FiledChoices final : public ExaminedChoices {
 public:
    explicit FiledChoices(const CQvkdcSlctValRowMng* row) : row_(row) {}

    const std::string& ItName() const override { return row_->ColItNameRef(); }
    int Count() const override { return static_cast<int>(row_->GetSlctValArr().size()); }
    ExaminedChoice At(int i) const override {
        const std::size_t k = static_cast<std::size_t>(i);
        ExaminedChoice choice;
        choice.exName = row_->GetSlctExNameArr()[k];
        choice.itName = row_->GetSlctItNameArr()[k];
        choice.value = row_->GetSlctValArr()[k];
        if (k < lines_.size()) {
            choice.choiceLine = lines_[k].first;
            choice.valueLine = lines_[k].second;
        }
        return choice;
    }
    int Find(int value) const override { return row_->FindSlctVal(value); }

    // The lines of the choice filed next.
    void AddLines(int choiceLine, int valueLine) { lines_.emplace_back(choiceLine, valueLine); }

 private:
    const CQvkdcSlctValRowMng* row_;
    std::vector<std::pair<int, int>> lines_;
};

// Copies row into *into, with its line.
void Record(CnvTblRow* into, bool read, int line, const CQvlbwStringArray& row) {
    into->read = read;
    into->line = read ? line : 0;
    // The cells a row held before keep their storage for the new ones.
    const int n = read ? row.GetSize() : 0;
    into->cells.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) into->cells[static_cast<std::size_t>(i)].assign(row.GetAt(i));
}

// Why the file at path cannot be read, as the file system tells it; ok when
// it opens.
Status WhyUnreadable(const char* path) {
    std::unique_ptr<LineReader> reader;
    return FileSystem::Current()->OpenForRead(path, &reader);
}

}  // namespace

// The observer of the build: it keeps the row each read delivered (the last
// row walked and the last row found in each table, with its line, which the
// stand-in's reader tells) and makes the trails of the columns, option
// titles and choices from them as the steps tell what they took.
struct ExaminedTables::Impl final : CnvTblObserver, FailureListener {
    CQvkdcCnvTblCtrl tables;
    ChoiceVisitor visit;

    FailStep failed = FailStep::kNone;
    std::vector<FailureNote> failures;
    std::unique_ptr<CnvTblStop> stop;
    Status unreadable[kCnvTblFileCount];
    Status optionFile;
    bool exists[kCnvTblFileCount] = {};
    bool read[kCnvTblFileCount] = {};
    std::vector<ExaminedColumn> columns;
    std::unordered_map<std::string, int> itemColumn;  // first column of an item
    std::vector<CnvOptionTrail> options;
    bool toolSetLooked = false;
    CnvTblRow toolSetRow;
    std::string toolSetForm;
    std::vector<std::unique_ptr<FiledChoices>> choiceItems;
    // Converts rows with the tables (ConvertRow), set up when first asked.
    CQvkdcCnvColData converter;
    bool converterReady = false;
    CellFacts facts;
    std::unordered_map<std::string_view, FiledChoices*> choicesOf;

    // What the steps read last.
    CnvTblRow walked[kCnvTblFileCount];
    CnvTblRow found[kCnvTblFileCount];
    std::string foundKey[kCnvTblFileCount];
    CnvTblRow titleDef;  // an option title as the definition of a column
    CnvTblStep step = CnvTblStep::kImpCnvTbl;
    // What is being built: a column's definition or a choice row.
    const CnvTblRow* context = nullptr;
    bool contextIsChoice = false;
    CnvColFlg contextFlg = CnvColFlg::kPlanCsv;
    CnvChoiceTrail choice;  // the choice told last; its rows keep their storage
    FiledChoices* lastItem = nullptr;  // the item the last choice was filed under

    void Failed(FailStep failedStep, std::string_view line) override {
        failures.push_back({failedStep, std::string(line)});
    }

    void StepBegun(CnvTblStep begun) override {
        step = begun;
        context = nullptr;
    }
    void TableRead(CnvTblIndex table, int result) override {
        exists[table] = true;
        read[table] = result == 0;
        if (result == 0) return;
        // The host's reader tells no reason: the file system tells what it
        // can of the file the reader could not read.
        unreadable[table] = WhyUnreadable(kCnvTblFiles[table].path);
    }
    void RowWalked(CnvTblIndex table, const CQvlbwTableA& reader, const CQvlbwStringArray& row) override {
        Record(&walked[table], true, reader.GetCurRowLine(), row);
        // A walk of PlanCSVTable defines columns; one of ExteriorTable reads
        // its choice rows.
        context = &walked[table];
        contextIsChoice = table != kPlanCSVTableFile;
        contextFlg = CnvColFlg::kPlanCsv;
    }
    void RowFound(CnvTblIndex table, const CQvlbwTableA& reader, std::string_view key, int result,
                  const CQvlbwStringArray& row) override {
        Record(&found[table], result == 1, reader.GetFoundRowLine(), row);
        foundKey[table].assign(key);
    }
    void OptionFileOpened(const Status& opened) override { optionFile = opened; }
    void ToolSetFormTaken() override {
        toolSetLooked = true;
        toolSetRow = found[kVariableTableFile];
    }
    void DefinesByTitle(int line, std::string_view title) override {
        titleDef.read = true;
        titleDef.line = line;
        titleDef.cells.resize(1);
        titleDef.cells[0].assign(title.data(), title.size());
        context = &titleDef;
        contextIsChoice = false;
        contextFlg = CnvColFlg::kOption;
    }
    void TitleFate(int line, std::string_view title, OptionFate fate, int other) override {
        options.push_back({line, std::string(title), fate, other});
    }
    void ColumnAdded(int index, CnvColFlg colFlg) override {
        const CQvkdcOutColRowMng& row = *tables.GetColTbl()->GetColRow(index);
        ExaminedColumn c;
        c.itName = row.ItNameRef();
        c.exName = row.ExNameRef();
        c.prmKey = row.GetPrmKey();
        c.priority = row.GetPriority();
        c.valType = row.GetValType();
        c.subType = row.GetSubType();
        std::string taken = found[kParameterSettingTableFile].Cell(2);
        int unusedKey = 0;
        CQvkdcCnvTblCtrl::ReplacePrcsStat(c.itName, &unusedKey, &taken);
        c.valTypeCode = ValueTypeCodeOf(taken);
        c.isBlank = row.GetIsBlank();
        c.isRepeat = row.GetIsRepeat();
        c.trail.index = index;
        c.trail.colFlg = colFlg;
        c.trail.def = colFlg == CnvColFlg::kPlanCsv ? walked[kPlanCSVTableFile] : titleDef;
        c.trail.titleRow = found[kExteriorTableFile];
        c.trail.keyRow = found[kProcessParametersTableFile];
        c.trail.typeRow = found[kParameterSettingTableFile];
        c.use = DescribeColumn(c.itName, c.prmKey, c.valType);
        itemColumn.try_emplace(c.itName, static_cast<int>(columns.size()));
        if (colFlg == CnvColFlg::kOption) {
            options.push_back({titleDef.line, titleDef.Cell(1), OptionFate::kTaken, index});
        }
        columns.push_back(std::move(c));
    }
    void ChoiceTaken(std::string_view itemTitle, std::string_view text, const std::string* colItName,
                     int value) override {
        choice.row = walked[kExteriorTableFile];
        choice.itemTitle.assign(itemTitle);
        choice.text.assign(text);
        choice.itemRow = found[kExteriorTableFile];
        choice.value = value;
        choice.colItName.clear();
        choice.index = -1;
        if (colItName == nullptr) {
            // A skipped choice reads no value row.
            choice.valueRow.Clear();
        } else {
            choice.valueRow = found[kSelectionToIntTableFile];
            choice.colItName = *colItName;
            // The choices of one item mostly follow each other.
            if (lastItem == nullptr || lastItem->ItName() != *colItName) lastItem = Item(*colItName);
            choice.index = lastItem->Count() - 1;
            lastItem->AddLines(choice.row.line, choice.valueRow.line);
        }
        if (visit) visit(choice);
    }
    void Stopped(const CnvTblStop& told, bool walkedRow) override {
        stop = std::make_unique<CnvTblStop>(told);
        CnvTblStop& s = *stop;
        const CnvTblIndex table = s.table;
        // The short row as the steps saw it, with its line.
        if (s.kind == CnvTblStop::kShortRow) s.row = walkedRow ? walked[table] : found[table];
        s.hasContext = context != nullptr;
        if (context != nullptr) {
            s.context = *context;
            s.choice = contextIsChoice;
            s.colFlg = contextFlg;
        }
        // The item: a column's is the key of the lookup that stopped (its
        // item, or its title in ExteriorTable); a choice's is its row's
        // first cell.
        if (context == nullptr || (!contextIsChoice && walkedRow)) {
            s.item.clear();
        } else {
            s.item = contextIsChoice ? context->Cell(1) : foundKey[table];
        }
    }

    // The choices filed under itName (just filed: the row exists).
    FiledChoices* Item(const std::string& itName) {
        const auto it = choicesOf.find(itName);
        if (it != choicesOf.end()) return it->second;
        choiceItems.push_back(std::make_unique<FiledChoices>(tables.GetSlctTbl()->FindRow(itName)));
        FiledChoices* item = choiceItems.back().get();
        choicesOf.emplace(item->ItName(), item);
        return item;
    }
};

ExaminedTables::ExaminedTables() : impl_(std::make_unique<Impl>()) {}

ExaminedTables::~ExaminedTables() = default;

void ExaminedTables::Build(const ChoiceVisitor& visit) {
    Impl& d = *impl_;
    d.visit = visit;
    const ScopedFailureListener listening(&d);
    d.tables.SetObserver(&d);
    if (d.tables.ImpCnvTbl() != 0) {
        d.failed = FailStep::kImpCnvTbl;
    } else if (d.tables.CreColTbl() != 0) {
        d.failed = FailStep::kCreColTbl;
    } else if (d.tables.CreSlctTbl() != 0) {
        d.failed = FailStep::kCreSlctTbl;
    }
    d.tables.SetObserver(nullptr);
    d.visit = ChoiceVisitor();
    if (d.failed != FailStep::kNone) d.failures.push_back({d.failed, FailurePointOf(d.failed).Line()});
    d.toolSetForm = d.tables.GetTSetForm();
}

FailStep ExaminedTables::FailedStep() const { return impl_->failed; }
const std::vector<FailureNote>& ExaminedTables::Failures() const { return impl_->failures; }
const CnvTblStop* ExaminedTables::Stop() const { return impl_->stop.get(); }
const Status& ExaminedTables::Unreadable(CnvTblIndex table) const { return impl_->unreadable[table]; }
const Status& ExaminedTables::OptionFile() const { return impl_->optionFile; }
bool ExaminedTables::Exists(CnvTblIndex table) const { return impl_->exists[table]; }
bool ExaminedTables::Read(CnvTblIndex table) const { return impl_->read[table]; }

bool ExaminedTables::HasRows(CnvTblIndex table) const {
    return impl_->read[table] && impl_->tables.GetReader(table).GetRowCount() > 0;
}

int ExaminedTables::RowCount(CnvTblIndex table) const {
    return impl_->read[table] ? impl_->tables.GetReader(table).GetRowCount() : 0;
}

const std::vector<ExaminedColumn>& ExaminedTables::Columns() const { return impl_->columns; }

int ExaminedTables::FindItem(const std::string& itName) const {
    const auto it = impl_->itemColumn.find(itName);
    return it != impl_->itemColumn.end() ? it->second : -1;
}

std::string ExaminedTables::TitleLine() const {
    std::string line;
    impl_->tables.GetColTbl()->GetTitleLine(line);
    return line;
}

const std::vector<CnvOptionTrail>& ExaminedTables::OptionTitles() const { return impl_->options; }
bool ExaminedTables::ToolSetFormLooked() const { return impl_->toolSetLooked; }
const CnvTblRow& ExaminedTables::ToolSetFormRow() const { return impl_->toolSetRow; }
const std::string& ExaminedTables::ToolSetForm() const { return impl_->toolSetForm; }

int ExaminedTables::ChoiceItemCount() const { return impl_->tables.GetSlctTbl()->GetRowCnt(); }

const ExaminedChoices& ExaminedTables::ChoiceItem(int i) const {
    const CQvkdcSlctValRowMng* row = impl_->tables.GetSlctTbl()->GetRow(i);
    return *impl_->Item(row->ColItNameRef());
}

const ExaminedChoices* ExaminedTables::ChoicesOf(std::string_view itName) const {
    const auto it = impl_->choicesOf.find(itName);
    return it != impl_->choicesOf.end() ? it->second : nullptr;
}

void ExaminedTables::WalkRows(CnvTblIndex table, const std::function<void(const CnvTblRow&)>& each) const {
    if (!impl_->read[table]) return;
    CQvlbwTableA& reader = impl_->tables.GetReader(table);
    CQvlbwStringArray row;
    CnvTblRow told;
    reader.MoveFirst();
    while (reader.GetNextRow(&row) != 0) {
        Record(&told, true, reader.GetCurRowLine(), row);
        each(told);
    }
}

int ExaminedTables::FirstRowLine(CnvTblIndex table) const {
    if (!impl_->read[table]) return 0;
    CQvlbwTableA& reader = impl_->tables.GetReader(table);
    CQvlbwStringArray row;
    reader.MoveFirst();
    return reader.GetNextRow(&row) != 0 ? reader.GetCurRowLine() : 0;
}

void ExaminedTables::WalkKeys(CnvTblIndex table, int keyCol,
                              const std::function<void(std::string_view, int)>& each) const {
    if (!impl_->read[table]) return;
    CQvlbwTableA& reader = impl_->tables.GetReader(table);
    CQvlbwStringArray row;
    reader.MoveFirst();
    while (reader.GetNextRow(&row) != 0) {
        if (row.GetSize() >= keyCol) each(row.GetAt(keyCol - 1), reader.GetCurRowLine());
    }
}

int ExaminedTables::FindRowLine(CnvTblIndex table, int keyCol, const std::string& key) const {
    if (!impl_->read[table]) return 0;
    CQvlbwTableA& reader = impl_->tables.GetReader(table);
    CQvlbwStringArray row;
    return reader.FindRow(keyCol, key.c_str(), &row) == 1 ? reader.GetFoundRowLine() : 0;
}

int ExaminedTables::ConvertRow(const ModelId& process, std::string* row, const CellVisitor& visit) const {
    Impl& d = *impl_;
    const CQvkdcOutColTblMng& colTbl = *d.tables.GetColTbl();
    if (!d.converterReady) {
        d.converter.SetSlctTbl(d.tables.GetSlctTbl());
        d.converter.PrepareCols(colTbl);
        d.converter.SetTSetFormTxt(d.toolSetForm);
        d.converterReady = true;
    }
    QdgmPrcsRec* raw = nullptr;
    const int got = QdgmGetPrcs(0, &process, &raw);
    const HostPrcsRec rec(raw);
    if (got != 0) return kFailureStatus;
    d.converter.SetPrcsId(process);
    d.converter.SetPrcsDat(rec.get());
    d.converter.SetCellFacts(visit ? &d.facts : nullptr);
    int status = 0;
    const int n = colTbl.GetColCnt();
    for (int j = 0; j < n && status == 0; ++j) {
        d.converter.SetColRow(colTbl.GetColRow(j));
        if (j > 0) row->push_back(',');
        const std::size_t start = row->size();
        status = d.converter.CnvOutDataAppend(*row);
        if (status == 0 && visit) {
            visit(j, std::string_view(*row).substr(start), d.facts);
            d.facts = CellFacts();
        }
    }
    d.converter.SetPrcsDat(nullptr);
    d.converter.SetCellFacts(nullptr);
    return status;
}

ColumnKeyAndType BuildColumnKeyAndType(std::string_view itName, int tableKey, std::string_view valType,
                                       std::string_view subType) {
    ColumnKeyAndType taken;
    taken.key = tableKey;
    std::string keyword(valType);
    CQvkdcCnvTblCtrl::ReplacePrcsStat(std::string(itName), &taken.key, &keyword);
    CQvkdcOutColRowMng row;
    row.SetValTypeStr(keyword);
    row.SetSubTypeStr(subType);
    taken.valType = row.GetValType();
    return taken;
}
