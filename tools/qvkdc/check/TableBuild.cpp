#include "check/TableBuild.h"

#include <string_view>

#include "check/TextForms.h"

void TableBuild::Run() {
    tables_.Build([this](const CnvChoiceTrail& choice) { TakeChoice(choice); });
}

const std::vector<ItemRowTrail>& TableBuild::ItemRows() {
    if (itemRowsRead_) return itemRows_;
    itemRowsRead_ = true;
    tables_.WalkRows(kExteriorTableFile, [this](const CnvTblRow& row) {
        if (row.CellCount() == 0 || row.Cell(1).find(':') != std::string::npos) return;
        ItemRowTrail item;
        item.line = row.line;
        item.cells = row.CellCount();
        item.title = row.Cell(1);
        item.item = row.Cell(2);
        itemRows_.push_back(std::move(item));
    });
    return itemRows_;
}

int TableBuild::FirstRowLine(CnvTblIndex table) {
    if (!firstLineRead_[table]) firstLines_[table] = tables_.FirstRowLine(table);
    firstLineRead_[table] = true;
    return firstLines_[table];
}

const std::vector<std::string>& TableBuild::FirstCells(CnvTblIndex table) {
    std::unique_ptr<std::vector<std::string>>& cells = firstCells_[table];
    if (cells != nullptr) return *cells;
    cells = std::make_unique<std::vector<std::string>>();
    tables_.WalkKeys(table, 1, [&cells](std::string_view cell, int) { cells->emplace_back(cell); });
    return *cells;
}

void TableBuild::TakeChoice(const CnvChoiceTrail& choice) {
    const CnvTblRow& row = choice.row;
    if (!choice.itemRow.read) {
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
    const CnvTblRow& value = choice.valueRow;
    if (value.read && value.line > 0) {
        const auto at = static_cast<std::size_t>(value.line);
        if (valueLineUsed_.size() <= at) valueLineUsed_.resize(at + 1);
        if (!valueLineUsed_[at]) ++valueRowsUsed_;
        valueLineUsed_[at] = true;
    }
    // The choices of one item mostly follow each other: the last item's
    // column is kept.
    if (!haveLast_ || choice.colItName != lastItem_) {
        haveLast_ = true;
        lastItem_ = choice.colItName;
        lastColumn_ = tables_.FindItem(lastItem_);
    }
    if (!IsDecimalInt(value.Cell(2)) && valueLinesSeen_.insert(value.line).second) {
        ChoiceNote note;
        note.kind = ChoiceNote::kNotANumber;
        note.line = value.line;
        note.text = value.Cell(2);
        note.choiceItName = row.Cell(2);
        note.value = choice.value;
        notes_.push_back(std::move(note));
    }
    const bool unquoted = !UnquotedFlaw(choice.text).empty();
    if (lastColumn_ >= 0 && (unquoted || !ControlFlaw(choice.text).empty())) {
        ChoiceNote note;
        note.kind = unquoted ? ChoiceNote::kUnquoted : ChoiceNote::kControl;
        note.line = row.line;
        note.text = choice.text;
        note.column = lastColumn_;
        notes_.push_back(std::move(note));
    }
}
