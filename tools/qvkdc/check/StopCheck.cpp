#include "check/StopCheck.h"

#include "check/TextForms.h"

namespace {

std::string StopsWith(const std::string& traceLine) {
    return "; the export stops here with " + Quoted(traceLine);
}

}  // namespace

void StopCheck::Run() {
    const TableBuild& build = ctx_.build;
    if (build.Failed() == FailStep::kNone) return;
    const CnvTblStop* stop = build.Stop();
    if (stop == nullptr) {
        // A failure the steps did not explain (memory ran out, say).
        const std::string& first = build.Failures().front().line;
        ctx_.out.Add(Severity::kError, ctx_.in.TablesFolder(), 1,
                     "the export's step " + std::string(FailurePointOf(build.Failed()).note) + " fails with " +
                         Quoted(first),
                     FindingCode::kExportFails);
        return;
    }
    switch (stop->kind) {
        case CnvTblStop::kUnreadable:
            break;  // told by FileCheck, with what the file's bytes show
        case CnvTblStop::kNotImported:
            NotImported(*stop);
            break;
        case CnvTblStop::kNoRow:
            NoRow(*stop);
            break;
        case CnvTblStop::kShortRow:
            ShortRow(*stop);
            break;
    }
    for (const CnvTblStop& later : build.LaterStops()) ShortRow(later);
}

const std::string& StopCheck::ContextFile(const CnvTblStop& stop) const {
    if (!stop.hasContext || stop.choice) return ctx_.Shown(kExteriorTableFile);
    if (stop.colFlg == CnvColFlg::kOption) return ctx_.in.OptionFile().Display();
    return ctx_.Shown(kPlanCSVTableFile);
}

void StopCheck::NotImported(const CnvTblStop& stop) {
    if (!stop.hasContext) {
        // The tool-set form, looked up at the import.
        ctx_.out.Add(Severity::kError, ctx_.Shown(stop.table), 1,
                     "the file is missing" + ctx_.NearFile(stop.table) + "; the export stops with " +
                         Quoted(stop.traceLine),
                     FindingCode::kMissingTable);
        return;
    }
    std::string subject;
    if (stop.choice) {
        subject = "the choice " + Quoted(stop.context.Cell(1));
    } else {
        const bool title = !stop.choice && stop.colFlg == CnvColFlg::kOption && stop.table == kExteriorTableFile;
        subject = (title ? "title " : "item ") + Quoted(stop.key);
    }
    ctx_.out.Add(Severity::kError, ContextFile(stop), stop.context.line,
                 subject + " is looked up in " + ctx_.Shown(stop.table) + ", which is missing" +
                     ctx_.NearFile(stop.table) + StopsWith(stop.traceLine),
                 FindingCode::kMissingTable);
}

void StopCheck::NoRow(const CnvTblStop& stop) {
    const std::string& key = stop.context.Cell(1);
    if (ctx_.build.FindItem(stop.key) >= 0) {
        // An item row whose title holds ":" and starts with another title.
        ctx_.out.Add(Severity::kError, ContextFile(stop), stop.context.line,
                     "the title " + Quoted(key) + " of item " + Quoted(stop.key) +
                         " holds \":\", so the export reads the row as a choice of the item titled " +
                         Quoted(key.substr(0, key.find(':'))) + " and looks its value up in " +
                         ctx_.Shown(stop.table) + ", which has no row " + Quoted(stop.key) +
                         StopsWith(stop.traceLine) + "; a title may not hold \":\"",
                     FindingCode::kColonInTitle);
        return;
    }
    ctx_.out.Add(Severity::kError, ContextFile(stop), stop.context.line,
                 "the choice " + Quoted(stop.context.Cell(1)) + " has no row " + Quoted(stop.key) +
                     " in " + ctx_.Shown(stop.table) + StopsWith(stop.traceLine),
                 FindingCode::kMissingChoiceValue);
}

void StopCheck::ShortRow(const CnvTblStop& stop) {
    // A row of cells separated by spaces is told as such (ByteCheck).
    if (ctx_.in.Table(stop.table).Lines().SpacedAt(stop.row.line)) return;
    std::string of;
    if (stop.choice && stop.hasContext) {
        const std::string& choice =
            stop.table == kSelectionToIntTableFile ? stop.context.Cell(2) : stop.context.Cell(1);
        of = " of the choice " + Quoted(choice);
    } else if (!stop.choice && stop.table != kPlanCSVTableFile && !stop.item.empty()) {
        const bool title = !stop.choice && stop.colFlg == CnvColFlg::kOption && stop.table == kExteriorTableFile;
        of = std::string(title ? " of title " : " of item ") + Quoted(stop.item);
    }
    const int n = stop.row.CellCount();
    ctx_.out.Add(Severity::kError, ctx_.Shown(stop.table), stop.row.line,
                 "the row has " + std::to_string(n) + (n == 1 ? " cell" : " cells") +
                     "; the export reads " + stop.reads + of + " from cell " +
                     std::to_string(stop.cells) + " and stops here",
                 FindingCode::kShortRow);
}
