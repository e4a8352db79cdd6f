#include "check/ColumnReport.h"

#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcSlctValRowMng.h"
#include "model/CQvkdcSlctValTblMng.h"

namespace {

SourceAt At(const std::string& file, const CnvTblRow& row) {
    return row.read ? SourceAt{file, row.line} : SourceAt{file, 0};
}

}  // namespace

std::vector<ColumnEntry> ReportColumns(const TableBuild& build, const CheckInputs& in) {
    std::vector<ColumnEntry> entries;
    const std::vector<CheckedColumn>& cols = build.Columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const CheckedColumn& c = cols[i];
        const CQvkdcOutColRowMng& row = *c.row;
        ColumnEntry e;
        e.number = static_cast<int>(i) + 1;
        e.title = row.ExNameRef();
        e.item = row.ItNameRef();
        e.key = row.GetPrmKey();
        e.priority = row.GetPriority();
        e.valTypeKeyword = c.trail.typeRow.Cell(2);
        std::string taken = e.valTypeKeyword;
        int unusedKey = 0;
        CQvkdcCnvTblCtrl::ReplacePrcsStat(e.item, &unusedKey, &taken);
        e.valTypeCode = CQvkdcOutColRowMng::ValTypeCode(taken);
        e.subTypeKeyword = c.trail.typeRow.Cell(5);
        e.subTypeCode = row.GetSubType();
        e.effectiveType = row.GetValType();
        e.option = c.trail.colFlg == 2;
        e.blank = row.GetIsBlank() == 1;
        e.repeat = row.GetIsRepeat() == 1;
        e.definition = SourceAt{e.option ? in.OptionFile().Display() : in.Shown(kPlanCSVTableFile), c.trail.def.line};
        e.titleAt = At(in.Shown(kExteriorTableFile), c.trail.titleRow);
        e.keyAt = At(in.Shown(kProcessParametersTableFile), c.trail.keyRow);
        e.typeAt = At(in.Shown(kParameterSettingTableFile), c.trail.typeRow);
        if (const CQvkdcSlctValRowMng* choices = build.SlctTbl().FindRow(e.item)) {
            const std::vector<ChoiceLines>* lines = build.LinesOf(choices);
            const std::vector<int>& values = choices->GetSlctValArr();
            for (std::size_t j = 0; j < values.size(); ++j) {
                ChoiceEntry ch;
                ch.value = values[j];
                ch.text = choices->GetSlctExNameArr()[j];
                ch.item = choices->GetSlctItNameArr()[j];
                const ChoiceLines at = lines != nullptr && j < lines->size() ? (*lines)[j] : ChoiceLines();
                ch.at = SourceAt{in.Shown(kExteriorTableFile), at.choice};
                ch.valueAt = SourceAt{in.Shown(kSelectionToIntTableFile), at.value};
                ch.shadowed = choices->FindSlctVal(ch.value) != static_cast<int>(j);
                e.choices.push_back(std::move(ch));
            }
        }
        entries.push_back(std::move(e));
    }
    return entries;
}
