#include "check/SelectionPlan.h"

#include "tables/TextToInt.h"

SelectionPlan::SelectionPlan(const CheckInputs& inputs) {
    const CheckedTable& exterior = inputs.Table(kExteriorTableFile);
    const CheckedTable& values = inputs.Table(kSelectionToIntTableFile);
    if (!exterior.Usable()) return;
    for (const TableRow& row : exterior.rows.Rows()) {
        const std::string& key = row.Cell(1);
        const std::size_t colon = key.find(':');
        if (colon == std::string::npos) continue;
        ChoiceSpec c;
        c.row = &row;
        c.itemTitle = key.substr(0, colon);
        c.text = key.substr(colon + 1);
        c.choiceItName = row.Cell(2);
        c.itemRow = exterior.rows.Find(1, c.itemTitle);
        if (c.itemRow != nullptr) c.colItName = c.itemRow->Cell(2);
        if (values.Usable()) c.valueRow = values.rows.Find(1, c.choiceItName);
        if (c.valueRow != nullptr) c.value = TextToInt(c.valueRow->Cell(2));
        choices_.push_back(std::move(c));
    }
    for (const ChoiceSpec& c : choices_) {
        if (c.itemRow == nullptr || c.valueRow == nullptr) continue;
        byItem_[c.colItName].push_back(&c);
        byValue_.try_emplace({c.colItName, c.value}, &c);
    }
}

std::vector<const ChoiceSpec*> SelectionPlan::ChoicesOf(const std::string& colItName) const {
    const auto it = byItem_.find(colItName);
    return it != byItem_.end() ? it->second : std::vector<const ChoiceSpec*>();
}

const ChoiceSpec* SelectionPlan::Find(const std::string& colItName, int value) const {
    const auto it = byValue_.find({colItName, value});
    return it != byValue_.end() ? it->second : nullptr;
}
