#include "report/ColumnReport.h"


namespace {

SourceAt At(std::string_view file, const CnvTblRow& row) { return SourceAt{file, row.read ? row.line : 0}; }

}  // namespace

void SourceAt::Text(std::string* text) const {
    text->assign(file.data(), file.size());
    *text += ':';
    *text += std::to_string(line);
}

const ExaminedChoices* ColumnReport::ChoicesOf(std::size_t i) const {
    return build_.ChoicesOf(build_.Columns()[i].itName);
}

// The selection table makes an item's row with its first choice: a row
// always holds one.
bool ColumnReport::HasChoices(std::size_t i) const { return ChoicesOf(i) != nullptr; }

void ColumnReport::Get(std::size_t i, ColumnEntry* entry, bool withChoices) const {
    const ExaminedColumn& c = build_.Columns()[i];
    ColumnEntry& e = *entry;
    e.number = static_cast<int>(i) + 1;
    e.title = c.exName;
    e.item = c.itName;
    e.key = c.prmKey;
    e.priority = c.priority;
    e.valTypeKeyword = c.trail.typeRow.Cell(2);
    e.valTypeCode = c.valTypeCode;
    e.subTypeKeyword = c.trail.typeRow.Cell(5);
    e.subTypeCode = c.subType;
    e.effectiveType = c.valType;
    e.option = c.trail.colFlg == CnvColFlg::kOption;
    e.blank = c.isBlank == 1;
    e.repeat = c.isRepeat == 1;
    e.definition = SourceAt{e.option ? in_.OptionFile().Display() : in_.Shown(kPlanCSVTableFile), c.trail.def.line};
    e.titleAt = At(in_.Shown(kExteriorTableFile), c.trail.titleRow);
    e.keyAt = At(in_.Shown(kProcessParametersTableFile), c.trail.keyRow);
    e.typeAt = At(in_.Shown(kParameterSettingTableFile), c.trail.typeRow);
    e.choices.clear();
    const ExaminedChoices* choices = withChoices ? ChoicesOf(i) : nullptr;
    if (choices == nullptr) return;
    const int n = choices->Count();
    e.choices.resize(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        ChoiceEntry& ch = e.choices[static_cast<std::size_t>(j)];
        const ExaminedChoice choice = choices->At(j);
        ch.value = choice.value;
        ch.text = choice.exName;
        ch.item = choice.itName;
        ch.at = SourceAt{in_.Shown(kExteriorTableFile), choice.choiceLine};
        ch.valueAt = SourceAt{in_.Shown(kSelectionToIntTableFile), choice.valueLine};
        ch.shadowed = choices->Find(ch.value) != j;
    }
}
