#include "check/ColumnCheck.h"

#include "check/NearestWord.h"
#include "check/TextForms.h"
#include "model/CQvkdcOutColRowMng.h"

namespace {

constexpr const char* kStaysEmpty = "; its cells stay empty";

std::string Item(const ColumnSpec& c) { return "item " + Quoted(c.itName); }

// "the row has 2 cells; the export reads 3 ..." for a short row.
std::string ShortRow(const TableRow& row, int needed, const std::string& what) {
    return "the row has " + std::to_string(row.CellCount()) +
           (row.CellCount() == 1 ? " cell" : " cells") + "; the export reads " + what +
           " from cell " + std::to_string(needed) + " and stops here";
}

std::string KeywordHint(std::string_view word, const std::vector<std::string_view>& known) {
    const std::string near = NearestWord(word, known);
    return near.empty() ? std::string() : " (did you mean " + Quoted(near) + "?)";
}

}  // namespace

void ColumnCheck::Run() {
    MissingTables();
    const int n = static_cast<int>(ctx_.columns.Columns().size());
    for (int i = 0; i < n; ++i) CheckColumn(i);
    CheckToolSetForm();
}

const std::string& ColumnCheck::Shown(CnvTblIndex table) const {
    return ctx_.in.Table(table).file.Display();
}

void ColumnCheck::Add(Severity severity, int index, CnvTblIndex table, const TableRow* row,
                      std::string message, const char* code) {
    const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(index)];
    if (row == nullptr) {
        ctx_.out.Add(severity, *c.file, c.line, std::move(message), code, index);
    } else {
        ctx_.out.Add(severity, Shown(table), row->line, std::move(message), code, index);
    }
}

void ColumnCheck::MissingTables() {
    const std::vector<ColumnSpec>& cols = ctx_.columns.Columns();
    int firstPlanColumn = -1;
    int firstOptionColumn = -1;
    for (std::size_t i = 0; i < cols.size(); ++i) {
        if (cols[i].flag == 1 && !cols[i].shortDef && firstPlanColumn < 0) firstPlanColumn = static_cast<int>(i);
        if (cols[i].flag == 2 && firstOptionColumn < 0) firstOptionColumn = static_cast<int>(i);
    }
    const CnvTblIndex needed[] = {kExteriorTableFile, kProcessParametersTableFile,
                                  kParameterSettingTableFile};
    for (CnvTblIndex table : needed) {
        if (ctx_.in.Table(table).state != TableState::kMissing) continue;
        const std::string missing = ", which is missing; the export stops here with \"[ERR] : ";
        if (firstPlanColumn >= 0) {
            const bool firstPass = table != kExteriorTableFile;
            Add(Severity::kError, firstPlanColumn, table, nullptr,
                Item(cols[static_cast<std::size_t>(firstPlanColumn)]) + " is looked up in " +
                    Shown(table) + missing + (firstPass ? "_" : "") + "Not import tablefile\"",
                "missing-table");
        } else if (table != kExteriorTableFile && firstOptionColumn >= 0) {
            Add(Severity::kError, firstOptionColumn, table, nullptr,
                Item(cols[static_cast<std::size_t>(firstOptionColumn)]) + " is looked up in " +
                    Shown(table) + missing + "Not import tablefile\"",
                "missing-table");
        } else if (table == kExteriorTableFile) {
            // The option titles are looked up in ExteriorTable.
            for (const OptionTitleFate& f : ctx_.columns.OptionFates()) {
                if (f.fate != OptionFate::kUnknown) continue;
                ctx_.out.Add(Severity::kError, ctx_.in.OptionFile().Display(), f.line->line,
                             "title " + Quoted(f.line->title) + " is looked up in " + Shown(table) +
                                 missing + "Not import tablefile\"",
                             "missing-table");
                break;
            }
        }
    }
}

void ColumnCheck::CheckColumn(int index) {
    const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(index)];
    if (c.shortDef) {
        Add(Severity::kError, index, kPlanCSVTableFile, nullptr,
            "the row has 1 cell; the export reads the item from cell 2 and stops here", "short-row");
        return;
    }
    if (c.flag == 1 && c.titleRow == nullptr && ctx_.in.Table(kExteriorTableFile).Usable()) {
        Add(Severity::kWarning, index, kExteriorTableFile, nullptr,
            Item(c) + " has no title in " + Shown(kExteriorTableFile) + "; its header cell is empty",
            "no-title");
    }
    if (c.flag == 2 && c.titleRow != nullptr && c.titleRow->CellCount() < 2) {
        Add(Severity::kError, index, kExteriorTableFile, c.titleRow,
            ShortRow(*c.titleRow, 2, "the item of title " + Quoted(c.exName)), "short-row");
        return;
    }
    const std::string flaw = UnquotedFlaw(c.exName);
    if (!flaw.empty()) {
        Add(Severity::kWarning, index, kExteriorTableFile, c.flag == 1 ? c.titleRow : nullptr,
            "the title " + Quoted(c.exName) + " of " + Item(c) + ' ' + flaw, "unquoted-text");
    }
    const int first = ctx_.columns.FindItem(c.itName);
    if (c.flag == 1 && first != index) {
        Add(Severity::kWarning, index, kPlanCSVTableFile, nullptr,
            Item(c) + " is listed again (first at line " +
                std::to_string(ctx_.columns.Columns()[static_cast<std::size_t>(first)].line) +
                "); the files get two equal columns",
            "duplicate-column");
    }
    CheckKey(index);
    CheckValueType(index);
    CheckChoices(index);
}

void ColumnCheck::CheckKey(int index) {
    const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(index)];
    if (c.keyRow != nullptr && c.keyRow->CellCount() < 3) {
        Add(Severity::kError, index, kProcessParametersTableFile, c.keyRow,
            ShortRow(*c.keyRow, 3, "the priority of " + Item(c)), "short-row");
        return;
    }
    if (!c.UsesKey()) return;
    if (c.keyRow == nullptr) {
        if (ctx_.in.Table(kProcessParametersTableFile).Usable()) {
            Add(Severity::kWarning, index, kProcessParametersTableFile, nullptr,
                Item(c) + " has no row in " + Shown(kProcessParametersTableFile) +
                    "; its key is 0 and its cells stay empty",
                "no-key");
        }
        return;
    }
    const std::string& keyText = c.keyRow->Cell(2);
    if (!IsDecimalInt(keyText)) {
        Add(Severity::kWarning, index, kProcessParametersTableFile, c.keyRow,
            "the key " + Quoted(keyText) + " of " + Item(c) + " is not a number; it is read as " +
                std::to_string(c.prmKey),
            "not-a-number");
    }
    if (c.prmKey == 0 || c.prmKey == 999999) {
        Add(Severity::kWarning, index, kProcessParametersTableFile, c.keyRow,
            Item(c) + " has the key " + std::to_string(c.prmKey) +
                ", which the host is never asked for" + kStaysEmpty,
            "no-key");
    }
}

void ColumnCheck::CheckValueType(int index) {
    const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(index)];
    const TableRow* row = c.typeRow;
    if (row != nullptr && row->CellCount() < 4) {
        Add(Severity::kError, index, kParameterSettingTableFile, row,
            ShortRow(*row, 4, "the repeat mark of " + Item(c)), "short-row");
        return;
    }
    if (row == nullptr) {
        if (c.UsesValType() && ctx_.in.Table(kParameterSettingTableFile).Usable()) {
            Add(Severity::kWarning, index, kParameterSettingTableFile, nullptr,
                Item(c) + " has no row in " + Shown(kParameterSettingTableFile) +
                    "; it has no value type" + kStaysEmpty,
                "no-value-type");
        }
        return;
    }
    const int valType = CQvkdcOutColRowMng::ValTypeCode(c.valTypeText);
    const int subType = CQvkdcOutColRowMng::SubTypeCode(c.subTypeText);
    const bool emptyCells = c.UsesValType() && subType == 0;
    if (!c.valTypeText.empty() && valType == 0) {
        Add(Severity::kWarning, index, kParameterSettingTableFile, row,
            "unknown value type " + Quoted(c.valTypeText) + " of " + Item(c) +
                KeywordHint(c.valTypeText, CQvkdcOutColRowMng::ValTypeKeywords()) +
                (emptyCells ? kStaysEmpty : ""),
            "unknown-keyword");
    } else if (c.valTypeText.empty() && emptyCells) {
        Add(Severity::kWarning, index, kParameterSettingTableFile, row,
            Item(c) + " has no value type" + kStaysEmpty, "no-value-type");
    }
    if (!c.subTypeText.empty() && subType == 0) {
        Add(Severity::kWarning, index, kParameterSettingTableFile, row,
            "unknown sub type " + Quoted(c.subTypeText) + " of " + Item(c) +
                KeywordHint(c.subTypeText, CQvkdcOutColRowMng::SubTypeKeywords()) +
                "; it is ignored",
            "unknown-keyword");
    }
    if (c.UsesValType() && c.effType != 0 && !c.TypeHasText()) {
        const std::string& keyword = subType != 0 ? c.subTypeText : c.valTypeText;
        Add(Severity::kWarning, index, kParameterSettingTableFile, row,
            "the value type " + Quoted(keyword) + " of " + Item(c) + " has no text form" +
                kStaysEmpty,
            "no-text-form");
    }
    const std::pair<const char*, const std::string*> marks[] = {{"blank", &c.blankMark},
                                                                {"repeat", &c.repeatMark}};
    for (const auto& [name, mark] : marks) {
        if (mark->empty() || CQvkdcOutColRowMng::MarkCode(*mark) == 1) continue;
        Add(Severity::kWarning, index, kParameterSettingTableFile, row,
            std::string("the ") + name + " mark " + Quoted(*mark) + " of " + Item(c) +
                " is not \"o\"; the mark stays unset",
            "bad-mark");
    }
}

void ColumnCheck::CheckChoices(int index) {
    const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(index)];
    if (!ctx_.in.Table(kExteriorTableFile).Usable() ||
        !ctx_.in.Table(kSelectionToIntTableFile).Imported()) {
        return;
    }
    const std::string column = "column " + Quoted(c.exName) + " (" + Item(c) + ")";
    const std::string where = " in " + Shown(kExteriorTableFile) + kStaysEmpty;
    if (c.itName == "ttlKSCNANGDECTYP") {
        if (ctx_.choices.Find(c.itName, 0) == nullptr) {
            Add(Severity::kWarning, index, kExteriorTableFile, nullptr,
                "the scan angle " + column + " has no choice of value 0" + where, "no-choices");
        }
        return;
    }
    const bool select = c.itName == "toolType1" ||
                        (c.UsesValType() && c.effType == CQvkdcOutColRowMng::kValTypeSelect);
    if (select && !ctx_.choices.HasChoices(c.itName)) {
        Add(Severity::kWarning, index, kExteriorTableFile, nullptr,
            "the Select " + column + " has no choices" + where, "no-choices");
    }
}

void ColumnCheck::CheckToolSetForm() {
    const int tool = ctx_.columns.FindItem("toolCheck1");
    const CheckedTable& variables = ctx_.in.Table(kVariableTableFile);
    if (tool < 0 || !variables.Usable()) return;
    const TableRow* row = variables.rows.Find(3, "akw_tls_nm");
    const std::string effect = "; the tool column " +
                               Quoted(ctx_.columns.Columns()[static_cast<std::size_t>(tool)].exName) +
                               " writes its texts without the tool-set form";
    if (row == nullptr) {
        Add(Severity::kWarning, tool, kVariableTableFile, nullptr,
            Shown(kVariableTableFile) + " has no \"akw_tls_nm\" row" + effect, "no-tool-set-form");
    } else if (row->Cell(1).empty()) {
        Add(Severity::kWarning, tool, kVariableTableFile, row,
            "the \"akw_tls_nm\" row has an empty text" + effect, "no-tool-set-form");
    }
}
