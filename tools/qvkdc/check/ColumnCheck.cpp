#include "check/ColumnCheck.h"

#include <cctype>

#include "check/TextForms.h"
#include "ValueTypes.h"

namespace {

constexpr const char* kStaysEmpty = "; its cells stay empty";

std::string Item(const ExaminedColumn& c) { return "item " + Quoted(c.ItName()); }

std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The item that writes what an always-empty item seems to stand for: one
// with a converter or rule of its own whose name holds the item's name
// without its number ("comment": "ttlKHCOMMENTA", "toolType3":
// "toolType1"); "" when there is none.
std::string_view MeantItem(std::string_view item) {
    while (!item.empty() && std::isdigit(static_cast<unsigned char>(item.back()))) item.remove_suffix(1);
    if (item.size() < 4) return {};
    const std::string stem = Folded(item);
    for (std::string_view name : DispatchItemNames()) {
        if (DescribeColumn(name).conv == ItemConv::kDedicated &&
            Folded(name).find(stem) != std::string::npos) {
            return name;
        }
    }
    for (const RuleItem& rule : kRuleItems) {
        if (Folded(rule.name).find(stem) != std::string::npos) return rule.name;
    }
    return {};
}

}  // namespace

void ColumnCheck::Run() {
    const int n = static_cast<int>(ctx_.build.Columns().size());
    for (int i = 0; i < n; ++i) CheckColumn(i);
    CheckToolSetForm();
}

void ColumnCheck::Add(Severity severity, int index, CnvTblIndex table, const CnvTblRow* row,
                      std::string message, FindingCode code) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(index)];
    if (row == nullptr || !row->read) {
        ctx_.out.Add(severity, ctx_.DefFile(c), c.trail.def.line, std::move(message), code, index);
    } else {
        ctx_.out.Add(severity, ctx_.Shown(table), row->line, std::move(message), code, index);
    }
}

std::string ColumnCheck::Hint(CnvTblIndex table, const std::string& item) {
    NameHints& names = names_[table];
    if (!namesRead_[table]) {
        namesRead_[table] = true;
        // The item of a column has its own rows: a row a column misses is
        // one that no column reaches.
        const auto add = [&](const std::string& name) {
            if (ctx_.build.FindItem(name) < 0) names.Add(name);
        };
        if (table == kExteriorTableFile) {
            for (const ItemRowTrail& r : ctx_.build.ItemRows()) add(r.item);
        } else {
            for (const std::string& name : ctx_.build.FirstCells(table)) add(name);
        }
    }
    return names.Hint(item);
}

void ColumnCheck::CheckColumn(int index) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(index)];
    if (c.trail.colFlg == CnvColFlg::kPlanCsv && !c.trail.titleRow.read && ctx_.build.HasRows(kExteriorTableFile)) {
        Add(Severity::kWarning, index, kExteriorTableFile, nullptr,
            Item(c) + " has no title in " + ctx_.Shown(kExteriorTableFile) +
                Hint(kExteriorTableFile, c.ItName()) + "; its header cell is empty",
            FindingCode::kNoTitle);
    }
    CheckAlwaysEmpty(index);
    const std::string flaw = UnquotedFlaw(c.ExName());
    if (!flaw.empty()) {
        Add(Severity::kError, index, kExteriorTableFile, c.trail.colFlg == CnvColFlg::kPlanCsv ? &c.trail.titleRow : nullptr,
            "the title " + Quoted(c.ExName()) + " of " + Item(c) + ' ' + flaw, FindingCode::kUnquotedText);
    } else if (const std::string control = ControlFlaw(c.ExName()); !control.empty()) {
        Add(Severity::kWarning, index, kExteriorTableFile, c.trail.colFlg == CnvColFlg::kPlanCsv ? &c.trail.titleRow : nullptr,
            "the title " + Quoted(c.ExName()) + " of " + Item(c) + ' ' + control +
                ", which goes into the CSV header as it is",
            FindingCode::kControlInText);
    }
    const int first = ctx_.build.FindItem(c.ItName());
    if (c.trail.colFlg == CnvColFlg::kPlanCsv && first != index) {
        Add(Severity::kWarning, index, kPlanCSVTableFile, nullptr,
            Item(c) + " is listed again (first at line " +
                std::to_string(ctx_.build.Columns()[static_cast<std::size_t>(first)].trail.def.line) +
                "); the files get two equal columns",
            FindingCode::kDuplicateColumn);
    }
    CheckKey(index);
    CheckValueType(index);
    CheckChoices(index);
}

void ColumnCheck::CheckAlwaysEmpty(int index) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(index)];
    // A key or a value type says that a value was meant; an item that
    // writes what this one seems to stand for, and that no column has,
    // says which. (Table sets list the always-empty items beside those
    // that write, as columns kept free.)
    if (c.use.conv != ItemConv::kEmpty || (!c.trail.keyRow.read && !c.trail.typeRow.read)) return;
    const std::string_view meant = MeantItem(c.ItName());
    if (meant.empty() || ctx_.build.FindItem(std::string(meant)) >= 0) return;
    Add(Severity::kWarning, index, kPlanCSVTableFile, nullptr,
        Item(c) + " is always empty: the export writes nothing for it, whatever its key and value type; did you mean " +
            Quoted(meant) + "?",
        FindingCode::kAlwaysEmpty);
}

void ColumnCheck::CheckKey(int index) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(index)];
    if (!c.use.asksOwnKey && !c.use.keyMeansNone) return;
    const CnvTblRow& keyRow = c.trail.keyRow;
    const int key = c.prmKey;
    if (!keyRow.read) {
        // A key the build gives without a row (processType's) is no mistake.
        if (key != kNoPrmKey || !ctx_.build.HasRows(kProcessParametersTableFile)) return;
        Add(Severity::kWarning, index, kProcessParametersTableFile, nullptr,
            Item(c) + " has no row in " + ctx_.Shown(kProcessParametersTableFile) +
                Hint(kProcessParametersTableFile, c.ItName()) + "; its key is " +
                std::to_string(key) +
                (c.use.keyMeansNone ? std::string(" and its cells stay empty")
                                    : ", under which the export asks the host for its value"),
            FindingCode::kNoKey);
        return;
    }
    const std::string& keyText = keyRow.Cell(2);
    if (!IsDecimalInt(keyText)) {
        Add(Severity::kWarning, index, kProcessParametersTableFile, &keyRow,
            "the key " + Quoted(keyText) + " of " + Item(c) + " is not a number" + Convention(keyText) +
                "; it is read as " + std::to_string(key),
            FindingCode::kNotANumber);
    }
    if (c.use.keyMeansNone) {
        Add(Severity::kWarning, index, kProcessParametersTableFile, &keyRow,
            Item(c) + " has the key " + std::to_string(key) + ", which the host is never asked for" +
                kStaysEmpty,
            FindingCode::kNoKey);
    }
}

void ColumnCheck::CheckValueType(int index) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(index)];
    const CnvTblRow& row = c.trail.typeRow;
    const bool asks = c.AsksValue();
    if (!row.read) {
        if (asks && ctx_.build.HasRows(kParameterSettingTableFile)) {
            Add(Severity::kWarning, index, kParameterSettingTableFile, nullptr,
                Item(c) + " has no row in " + ctx_.Shown(kParameterSettingTableFile) +
                    Hint(kParameterSettingTableFile, c.ItName()) + "; it has no value type" +
                    kStaysEmpty,
                FindingCode::kNoValueType);
        }
        return;
    }
    const std::string& valTypeText = row.Cell(2);
    const std::string& subTypeText = row.Cell(5);
    const int valType = ValueTypeCodeOf(valTypeText);
    const int subType = SubTypeCodeOf(subTypeText);
    const bool emptyCells = asks && subType == 0;
    if (!valTypeText.empty() && valType == 0) {
        // A sub type's keyword where the value type belongs: the recipe.
        const std::string hint =
            SubTypeCodeOf(valTypeText) != 0
                ? ": " + Quoted(valTypeText) + " is a sub type, for cell 5; write the value type " +
                      Quoted(ValueTypeOfCode(kValTypeReal)->keyword) +
                      " in cell 2 and " + Quoted(valTypeText) + " in cell 5"
                : DidYouMean(valTypeText, ValueTypeKeywords());
        Add(Severity::kWarning, index, kParameterSettingTableFile, &row,
            "unknown value type " + Quoted(valTypeText) + " of " + Item(c) + hint + (emptyCells ? kStaysEmpty : ""),
            FindingCode::kUnknownKeyword);
    } else if (valTypeText.empty() && emptyCells) {
        Add(Severity::kWarning, index, kParameterSettingTableFile, &row, Item(c) + " has no value type" + kStaysEmpty,
            FindingCode::kNoValueType);
    }
    if (!subTypeText.empty() && subType == 0) {
        Add(Severity::kWarning, index, kParameterSettingTableFile, &row,
            "unknown sub type " + Quoted(subTypeText) + " of " + Item(c) +
                DidYouMean(subTypeText, SubTypeKeywords()) + "; it is ignored",
            FindingCode::kUnknownKeyword);
    }
    if (asks && c.valType != 0 && c.use.form == ValueForm::kNone) {
        const std::string& keyword = subType != 0 ? subTypeText : valTypeText;
        Add(Severity::kWarning, index, kParameterSettingTableFile, &row,
            "the value type " + Quoted(keyword) + " of " + Item(c) + " has no text form" + kStaysEmpty,
            FindingCode::kNoTextForm);
    }
    const std::pair<const char*, const std::string*> marks[] = {{"blank", &row.Cell(3)}, {"repeat", &row.Cell(4)}};
    for (const auto& [name, mark] : marks) {
        if (mark->empty() || MarkCodeOf(*mark) == 1) continue;
        Add(Severity::kWarning, index, kParameterSettingTableFile, &row,
            std::string("the ") + name + " mark " + Quoted(*mark) + " of " + Item(c) +
                " is not \"o\"; the mark stays unset",
            FindingCode::kBadMark);
    }
}

void ColumnCheck::CheckChoices(int index) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(index)];
    // The choices are all known once the selection build went through.
    if (!c.use.choiceText || ctx_.build.Failed() != FailStep::kNone || !ctx_.build.HasRows(kExteriorTableFile) ||
        !ctx_.build.Read(kSelectionToIntTableFile)) {
        return;
    }
    const std::string column = "column " + Quoted(c.ExName()) + " (" + Item(c) + ")";
    const std::string where = " in " + ctx_.Shown(kExteriorTableFile) + kStaysEmpty;
    const ExaminedChoices* choices = ctx_.build.ChoicesOf(c.ItName());
    if (c.use.fixedCode >= 0) {
        if (choices == nullptr || choices->Find(c.use.fixedCode) < 0) {
            Add(Severity::kWarning, index, kExteriorTableFile, nullptr,
                column + " has no choice of value " + std::to_string(c.use.fixedCode) + ", the value it always shows" +
                    where,
                FindingCode::kNoChoices);
        }
    } else if (choices == nullptr) {
        Add(Severity::kWarning, index, kExteriorTableFile, nullptr,
            "the " + std::string(ValueTypeOfCode(kValTypeSelect)->keyword) + ' ' + column + " has no choices" + where,
            FindingCode::kNoChoices);
    }
}

void ColumnCheck::CheckToolSetForm() {
    const std::vector<ExaminedColumn>& cols = ctx_.build.Columns();
    int tool = -1;
    for (std::size_t i = 0; i < cols.size() && tool < 0; ++i) {
        if (cols[i].use.toolSetForm) tool = static_cast<int>(i);
    }
    // An empty VariableTable, or one of UTF-16, is told as such.
    if (tool < 0 || !ctx_.build.Tables().ToolSetFormLooked() || !ctx_.build.HasRows(kVariableTableFile) ||
        ctx_.in.Table(kVariableTableFile).Utf16()) {
        return;
    }
    const CnvTblRow& row = ctx_.build.Tables().ToolSetFormRow();
    const std::string effect = "; the tool column " + Quoted(cols[static_cast<std::size_t>(tool)].ExName()) +
                               " writes its texts without the tool-set form";
    if (!row.read) {
        Add(Severity::kWarning, tool, kVariableTableFile, nullptr,
            ctx_.Shown(kVariableTableFile) + " has no \"akw_tls_nm\" row" + effect, FindingCode::kNoToolSetForm);
    } else if (row.Cell(1).empty()) {
        Add(Severity::kWarning, tool, kVariableTableFile, &row, "the \"akw_tls_nm\" row has an empty text" + effect,
            FindingCode::kNoToolSetForm);
    }
}
