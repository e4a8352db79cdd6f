#include "check/ColumnPlan.h"

#include <unordered_map>

#include "convert/CQvkdcCnvColData.h"
#include "model/CQvkdcOutColRowMng.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/TextToInt.h"

namespace {

bool IsLocalCoord(const std::string& itName) {
    return itName == "ttlLCLPAXIS" || itName == "ttlLCLPHGT";
}

}  // namespace

bool ColumnSpec::UsesKey() const {
    if (IsLocalCoord(itName)) return true;
    return CQvkdcCnvColData::GetItemConv(itName) == CQvkdcCnvColData::kItemConvParam &&
           itName != "ttlKZPCHVAL";
}

bool ColumnSpec::TypeHasText() const {
    if (IsLocalCoord(itName)) {
        return effType == CQvkdcOutColRowMng::kValTypeReal ||
               effType == CQvkdcOutColRowMng::kValTypeSelect;
    }
    return effType == CQvkdcOutColRowMng::kSubTypeInteger ||
           effType == CQvkdcOutColRowMng::kValTypeReal ||
           effType == CQvkdcOutColRowMng::kValTypeString ||
           effType == CQvkdcOutColRowMng::kValTypeSelect;
}

ColumnPlan::ColumnPlan(const CheckInputs& inputs) : in_(inputs) {
    const CheckedTable& plan = in_.Table(kPlanCSVTableFile);
    const std::vector<TableRow> none;
    for (const TableRow& row : plan.Usable() ? plan.rows.Rows() : none) {
        ColumnSpec spec;
        spec.file = &plan.file.Display();
        spec.line = row.line;
        spec.shortDef = row.CellCount() < 2;
        spec.itName = row.Cell(2);
        spec.titleRow = spec.shortDef ? nullptr : Lookup(kExteriorTableFile, 2, spec.itName);
        if (spec.titleRow != nullptr) spec.exName = spec.titleRow->Cell(1);
        Complete(&spec);
        columns_.push_back(std::move(spec));
    }

    std::unordered_map<std::string, int> seen;  // title -> index into OptionTitles
    std::unordered_map<std::string, int> standard;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        standard.try_emplace(columns_[i].exName, static_cast<int>(i));
    }
    const std::vector<OptionLine>& titles = in_.OptionTitles();
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const OptionLine& line = titles[i];
        OptionTitleFate fate;
        fate.line = &line;
        const auto taken = standard.find(line.title);
        const auto [earlier, isNew] = seen.try_emplace(line.title, static_cast<int>(i));
        if (taken != standard.end()) {
            fate.fate = OptionFate::kStandard;
            fate.other = taken->second;
        } else if (!isNew) {
            fate.fate = OptionFate::kRepeated;
            fate.other = earlier->second;
        } else if (const TableRow* row = Lookup(kExteriorTableFile, 1, line.title)) {
            ColumnSpec spec;
            spec.flag = 2;
            spec.file = &in_.OptionFile().Display();
            spec.line = line.line;
            spec.exName = line.title;
            spec.titleRow = row;
            spec.itName = row->Cell(2);
            Complete(&spec);
            columns_.push_back(std::move(spec));
        } else {
            fate.fate = OptionFate::kUnknown;
        }
        fates_.push_back(fate);
    }
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        itemColumn_.try_emplace(columns_[i].itName, static_cast<int>(i));
    }
}

void ColumnPlan::Complete(ColumnSpec* spec) const {
    if (spec->shortDef) return;
    spec->keyRow = Lookup(kProcessParametersTableFile, 1, spec->itName);
    if (spec->keyRow != nullptr) {
        spec->prmKey = TextToInt(spec->keyRow->Cell(2));
        spec->priority = TextToInt(spec->keyRow->Cell(3));
    }
    spec->typeRow = Lookup(kParameterSettingTableFile, 1, spec->itName);
    if (spec->typeRow != nullptr) {
        spec->valTypeText = spec->typeRow->Cell(2);
        spec->blankMark = spec->typeRow->Cell(3);
        spec->repeatMark = spec->typeRow->Cell(4);
        spec->subTypeText = spec->typeRow->Cell(5);
    }
    CQvkdcCnvTblCtrl::ReplacePrcsStat(spec->itName, &spec->prmKey, &spec->valTypeText);
    const int sub = CQvkdcOutColRowMng::SubTypeCode(spec->subTypeText);
    spec->effType = sub != 0 ? sub : CQvkdcOutColRowMng::ValTypeCode(spec->valTypeText);
}

const TableRow* ColumnPlan::Lookup(CnvTblIndex table, int keyCol, const std::string& key) const {
    const CheckedTable& t = in_.Table(table);
    return t.Usable() ? t.rows.Find(keyCol, key) : nullptr;
}

int ColumnPlan::FindItem(const std::string& itName) const {
    const auto it = itemColumn_.find(itName);
    return it != itemColumn_.end() ? it->second : -1;
}
