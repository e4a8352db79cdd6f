#include "report/ColumnReport.h"

#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcSlctValRowMng.h"
#include "model/CQvkdcSlctValTblMng.h"

namespace {

SourceAt At(std::string_view file, const CnvTblRow& row) { return SourceAt{file, row.read ? row.line : 0}; }

}  // namespace

void SourceAt::Text(std::string* text) const {
    text->assign(file.data(), file.size());
    *text += ':';
    *text += std::to_string(line);
}

const CQvkdcSlctValRowMng* ColumnReport::ChoicesOf(std::size_t i) const {
    return build_.SlctTbl().FindRow(build_.Columns()[i].row->ItNameRef());
}

bool ColumnReport::HasChoices(std::size_t i) const {
    const CQvkdcSlctValRowMng* choices = ChoicesOf(i);
    return choices != nullptr && !choices->GetSlctValArr().empty();
}

void ColumnReport::Get(std::size_t i, ColumnEntry* entry, bool withChoices) const {
    const CheckedColumn& c = build_.Columns()[i];
    const CQvkdcOutColRowMng& row = *c.row;
    ColumnEntry& e = *entry;
    e.number = static_cast<int>(i) + 1;
    e.title = row.ExNameRef();
    e.item = row.ItNameRef();
    e.key = row.GetPrmKey();
    e.priority = row.GetPriority();
    e.valTypeKeyword = c.trail.typeRow.Cell(2);
    std::string taken = c.trail.typeRow.Cell(2);
    int unusedKey = 0;
    CQvkdcCnvTblCtrl::ReplacePrcsStat(row.ItNameRef(), &unusedKey, &taken);
    e.valTypeCode = CQvkdcOutColRowMng::ValTypeCode(taken);
    e.subTypeKeyword = c.trail.typeRow.Cell(5);
    e.subTypeCode = row.GetSubType();
    e.effectiveType = row.GetValType();
    e.option = c.trail.colFlg == 2;
    e.blank = row.GetIsBlank() == 1;
    e.repeat = row.GetIsRepeat() == 1;
    e.definition = SourceAt{e.option ? in_.OptionFile().Display() : in_.Shown(kPlanCSVTableFile), c.trail.def.line};
    e.titleAt = At(in_.Shown(kExteriorTableFile), c.trail.titleRow);
    e.keyAt = At(in_.Shown(kProcessParametersTableFile), c.trail.keyRow);
    e.typeAt = At(in_.Shown(kParameterSettingTableFile), c.trail.typeRow);
    e.choices.clear();
    const CQvkdcSlctValRowMng* choices = withChoices ? ChoicesOf(i) : nullptr;
    if (choices == nullptr) return;
    const std::vector<ChoiceLines>* lines = build_.LinesOf(choices);
    const std::vector<int>& values = choices->GetSlctValArr();
    e.choices.resize(values.size());
    for (std::size_t j = 0; j < values.size(); ++j) {
        ChoiceEntry& ch = e.choices[j];
        ch.value = values[j];
        ch.text = choices->GetSlctExNameArr()[j];
        ch.item = choices->GetSlctItNameArr()[j];
        const ChoiceLines at = lines != nullptr && j < lines->size() ? (*lines)[j] : ChoiceLines();
        ch.at = SourceAt{in_.Shown(kExteriorTableFile), at.choice};
        ch.valueAt = SourceAt{in_.Shown(kSelectionToIntTableFile), at.value};
        ch.shadowed = choices->FindSlctVal(ch.value) != static_cast<int>(j);
    }
}
