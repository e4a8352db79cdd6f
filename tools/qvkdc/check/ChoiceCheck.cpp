#include "check/ChoiceCheck.h"

#include <set>

#include "check/TextForms.h"

namespace {

constexpr const char* kStops = "; the export stops here with \"[ERR] : Not import tablefile\"";

}  // namespace

void ChoiceCheck::Run() {
    bool missingReported = false;
    std::set<const TableRow*> valueRows;  // each value row is checked once
    for (const ChoiceSpec& c : ctx_.choices.Choices()) {
        if (!CheckRows(c, &missingReported)) continue;
        if (valueRows.insert(c.valueRow).second) CheckValue(c);
        const int column = ctx_.columns.FindItem(c.colItName);
        const std::string flaw = UnquotedFlaw(c.text);
        if (column >= 0 && !flaw.empty()) {
            const ColumnSpec& col = ctx_.columns.Columns()[static_cast<std::size_t>(column)];
            ctx_.out.Add(Severity::kWarning, ctx_.in.Table(kExteriorTableFile).file.Display(), c.row->line,
                         "the choice text " + Quoted(c.text) + " of column " + Quoted(col.exName) + ' ' + flaw,
                         "unquoted-text", column);
        }
    }
}

bool ChoiceCheck::CheckRows(const ChoiceSpec& c, bool* missingReported) {
    const CheckedTable& exterior = ctx_.in.Table(kExteriorTableFile);
    const CheckedTable& values = ctx_.in.Table(kSelectionToIntTableFile);
    const std::string& file = exterior.file.Display();
    const std::string choice = "the choice " + Quoted(c.row->Cell(1));
    if (c.row->CellCount() < 2) {
        ctx_.out.Add(Severity::kError, file, c.row->line,
                     "the row has 1 cell; the export reads the internal name of " + choice +
                         " from cell 2 and stops here",
                     "short-row");
        return false;
    }
    if (c.itemRow == nullptr) {
        ctx_.out.Add(Severity::kWarning, file, c.row->line,
                     choice + " belongs to no item: no item row has the title " + Quoted(c.itemTitle) +
                         "; the choice is skipped",
                     "orphan-choice");
        return false;
    }
    if (c.itemRow->CellCount() < 2) {
        ctx_.out.Add(Severity::kError, file, c.itemRow->line,
                     "the row has 1 cell; the export reads the item of " + choice +
                         " from cell 2 and stops here",
                     "short-row");
        return false;
    }
    if (values.state == TableState::kMissing) {
        if (!*missingReported) {
            ctx_.out.Add(Severity::kError, file, c.row->line,
                         choice + " is looked up in " + values.file.Display() + ", which is missing" + kStops,
                         "missing-table");
        }
        *missingReported = true;
        return false;
    }
    if (!values.Imported()) return false;
    if (c.valueRow == nullptr) {
        ctx_.out.Add(Severity::kError, file, c.row->line,
                     choice + " has no row " + Quoted(c.choiceItName) + " in " + values.file.Display() +
                         kStops,
                     "missing-choice-value");
        return false;
    }
    return true;
}

void ChoiceCheck::CheckValue(const ChoiceSpec& c) {
    const std::string& file = ctx_.in.Table(kSelectionToIntTableFile).file.Display();
    if (c.valueRow->CellCount() < 2) {
        ctx_.out.Add(Severity::kError, file, c.valueRow->line,
                     "the row has 1 cell; the export reads the value of the choice " +
                         Quoted(c.choiceItName) + " from cell 2 and stops here",
                     "short-row");
    } else if (!IsDecimalInt(c.valueRow->Cell(2))) {
        ctx_.out.Add(Severity::kWarning, file, c.valueRow->line,
                     "the value " + Quoted(c.valueRow->Cell(2)) + " of the choice " + Quoted(c.choiceItName) +
                         " is not a number; it is read as " + std::to_string(c.value),
                     "not-a-number");
    }
}
