#include "check/LayoutCheck.h"

#include "check/TextForms.h"
#include "ColumnUse.h"
#include "ValueTypes.h"

namespace {

// The row is not read, or is the first row of table.
bool NoneOrFirst(TableBuild& build, CnvTblIndex table, const CnvTblRow& row) {
    return !row.read || row.line == build.FirstRowLine(table);
}

// The cells of a row as the file holds them, tabs between.
std::string Cells(const CnvTblRow& row) {
    std::string text;
    for (std::size_t i = 0; i < row.cells.size(); ++i) text += (i > 0 ? "\t" : "") + row.cells[i];
    return text;
}

}  // namespace

void LayoutCheck::Run() {
    if (FirstRowIsHeading()) CheckHeadingRow();
    CheckOrphanChoices();
    CheckUnknownItems();
}

bool LayoutCheck::FirstRowIsHeading() {
    const std::vector<ExaminedColumn>& cols = ctx_.build.Columns();
    if (cols.empty() || cols[0].trail.colFlg != CnvColFlg::kPlanCsv) return false;
    const ExaminedColumn& c = cols[0];
    // An item with a converter of its own is a column as it stands.
    if (c.use.conv != ItemConv::kParam) return false;
    const CnvColTrail& t = c.trail;
    TableBuild& build = ctx_.build;
    if (!NoneOrFirst(build, kExteriorTableFile, t.titleRow) ||
        !NoneOrFirst(build, kProcessParametersTableFile, t.keyRow) ||
        !NoneOrFirst(build, kParameterSettingTableFile, t.typeRow)) {
        return false;
    }
    // A key row of a number or a type row of a keyword is a data row.
    if (t.keyRow.read && IsDecimalInt(t.keyRow.Cell(2))) return false;
    if (t.typeRow.read && ValueTypeCodeOf(t.typeRow.Cell(2)) != 0) return false;
    // The other tables' heading rows name the same item; or the columns
    // are numbered below a first cell that is no number.
    const bool headedAlike = t.titleRow.read || t.keyRow.read || t.typeRow.read;
    const bool numberedBelow = cols.size() > 1 && cols[1].trail.colFlg == CnvColFlg::kPlanCsv && !IsDecimalInt(t.def.Cell(1)) &&
                               IsDecimalInt(cols[1].trail.def.Cell(1));
    return headedAlike || numberedBelow;
}

void LayoutCheck::CheckHeadingRow() {
    const ExaminedColumn& c = ctx_.build.Columns()[0];
    const std::string& file = ctx_.Shown(kPlanCSVTableFile);
    const std::string title =
        c.trail.titleRow.read ? "titled " + Quoted(c.ExName()) : std::string("with an empty title");
    ctx_.out.Add(Severity::kWarning, file, c.trail.def.line,
                 "the first row " + Quoted(Cells(c.trail.def)) +
                     " looks like a heading row: every row of " + kCnvTblFiles[kPlanCSVTableFile].name +
                     " is a column, so it adds a column of item " + Quoted(c.ItName()) + ' ' + title +
                     " whose cells stay empty; remove the row",
                 FindingCode::kHeadingRow, 0);
    ctx_.out.MuteColumn(0);
}

void LayoutCheck::CheckOrphanChoices() {
    TableBuild& build = ctx_.build;
    const std::string& exterior = ctx_.Shown(kExteriorTableFile);
    for (const ChoiceNote& n : build.ChoiceNotes()) {
        if (n.kind != ChoiceNote::kOrphan) continue;
        const int column = build.FindItem(n.choiceItName);
        if (column >= 0) {
            ctx_.out.Add(Severity::kWarning, exterior, n.line,
                         "the title " + Quoted(n.key) + " of item " + Quoted(n.choiceItName) +
                             " holds \":\", so the export also takes the row for the choice " + Quoted(n.text) +
                             " of a title " + Quoted(n.itemTitle) + ", which no item has, and skips that; a title "
                             "may not hold \":\"",
                         FindingCode::kColonInTitle, column);
        } else if (n.line == build.FirstRowLine(kExteriorTableFile)) {
            ctx_.out.Add(Severity::kNote, exterior, n.line,
                         "the first row " + Quoted(n.key + '\t' + n.choiceItName) +
                             " looks like a heading row; its \":\" makes it a choice of a title " +
                             Quoted(n.itemTitle) + ", which no item has, so the export skips it: no harm done",
                         FindingCode::kHeadingRow);
        } else {
            continue;
        }
        ctx_.out.MuteLine(exterior, n.line);
    }
}

void LayoutCheck::CheckUnknownItems() {
    TableBuild& build = ctx_.build;
    if (!build.HasRows(kExteriorTableFile) || !build.HasRows(kProcessParametersTableFile) ||
        !build.HasRows(kParameterSettingTableFile)) {
        return;
    }
    const std::vector<ExaminedColumn>& cols = build.Columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const ExaminedColumn& c = cols[i];
        const CnvColTrail& t = c.trail;
        if (t.colFlg != CnvColFlg::kPlanCsv || c.use.conv != ItemConv::kParam ||
            t.titleRow.read || t.keyRow.read || t.typeRow.read) {
            continue;
        }
        const int column = static_cast<int>(i);
        for (const FindingCode code : {FindingCode::kNoTitle, FindingCode::kNoKey, FindingCode::kNoValueType}) {
            ctx_.out.MuteColumn(column, code);
        }
        // Listed again: told once (duplicate-column tells the repeat).
        if (build.FindItem(c.ItName()) != column) continue;
        ctx_.out.Add(Severity::kWarning, ctx_.Shown(kPlanCSVTableFile), t.def.line,
                     "item " + Quoted(c.ItName()) + " is in none of " + kCnvTblFiles[kExteriorTableFile].name + ", " +
                         kCnvTblFiles[kProcessParametersTableFile].name + " and " +
                         kCnvTblFiles[kParameterSettingTableFile].name +
                         ItemHint(c.ItName()) + "; its header cell and its cells stay empty",
                     FindingCode::kUnknownItem, column);
    }
}

std::string LayoutCheck::ItemHint(const std::string& item) {
    if (known_.Empty()) {
        TableBuild& build = ctx_.build;
        // A misspelt item is most likely one that has rows but no column.
        const auto add = [&](std::string_view name) {
            if (build.FindItem(std::string(name)) < 0) known_.Add(name);
        };
        for (const ItemRowTrail& r : build.ItemRows()) add(r.item);
        for (CnvTblIndex table : {kProcessParametersTableFile, kParameterSettingTableFile}) {
            for (const std::string& name : build.FirstCells(table)) add(name);
        }
        for (std::string_view name : DispatchItemNames()) add(name);
        for (const RuleItem& rule : kRuleItems) add(rule.name);
    }
    return known_.Hint(item);
}
