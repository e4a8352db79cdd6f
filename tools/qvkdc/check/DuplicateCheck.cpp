#include "check/DuplicateCheck.h"

#include <string>
#include <string_view>

#include "check/TextForms.h"

void DuplicateCheck::Run() {
    constexpr const char* kFirstCounts = "only the first row counts";
    CheckItemKey(1, "title", kFirstCounts);
    CheckItemKey(2, "item", "its columns take the title of the first row");
    CheckKey(kProcessParametersTableFile, 1, "item", kFirstCounts);
    CheckKey(kParameterSettingTableFile, 1, "item", kFirstCounts);
    CheckKey(kSelectionToIntTableFile, 1, "choice", kFirstCounts);
    CheckKey(kVariableTableFile, 3, "variable", kFirstCounts);
}

void DuplicateCheck::CheckKey(CnvTblIndex table, int keyCol, const char* what, const char* effect) {
    if (!ctx_.build.HasRows(table)) return;
    // The row a lookup of a row's key finds is the first with that key: a
    // row that is not it repeats it. Nothing is kept per key.
    ctx_.build.Tables().WalkRows(table, [&](const CnvTblRow& row) {
        if (row.CellCount() < keyCol) return;
        CheckRow(table, keyCol, row.Cell(keyCol), row.line, what, effect);
    });
}

void DuplicateCheck::CheckItemKey(int keyCol, const char* what, const char* effect) {
    if (!ctx_.build.HasRows(kExteriorTableFile)) return;
    for (const ItemRowTrail& r : ctx_.build.ItemRows()) {
        if (r.cells < keyCol) continue;
        CheckRow(kExteriorTableFile, keyCol, keyCol == 1 ? r.title : r.item, r.line, what, effect);
    }
}

void DuplicateCheck::CheckRow(CnvTblIndex table, int keyCol, const std::string& key, int line, const char* what,
                              const char* effect) {
    const int first = ctx_.build.Tables().FindRowLine(table, keyCol, key);
    if (first == 0 || first == line) return;
    ctx_.out.Add(Severity::kWarning, ctx_.Shown(table), line,
                 std::string("the ") + what + ' ' + Quoted(key) + " repeats line " + std::to_string(first) + "; " +
                     effect,
                 FindingCode::kDuplicateKey);
}
