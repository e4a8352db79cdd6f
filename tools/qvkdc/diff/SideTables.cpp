#include "diff/SideTables.h"

SideTables::SideTables(const ExaminedTables& tables) : columns_(tables.Columns()) {
    for (int i = 0; i < tables.ChoiceItemCount(); ++i) {
        const ExaminedChoices& item = tables.ChoiceItem(i);
        std::vector<SideChoice>& choices = choices_[item.ItName()];
        choices.reserve(static_cast<std::size_t>(item.Count()));
        for (int k = 0; k < item.Count(); ++k) {
            const ExaminedChoice c = item.At(k);
            choices.push_back(SideChoice{std::string(c.exName), c.value, c.choiceLine, c.valueLine});
        }
    }
}

const std::vector<SideChoice>* SideTables::ChoicesOf(const std::string& itName) const {
    const auto it = choices_.find(itName);
    return it == choices_.end() ? nullptr : &it->second;
}
