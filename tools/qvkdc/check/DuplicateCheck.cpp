#include "check/DuplicateCheck.h"

#include <unordered_map>

#include "check/TextForms.h"

void DuplicateCheck::Run() {
    constexpr const char* kFirstCounts = "only the first row counts";
    CheckKey(kExteriorTableFile, 1, "title", kFirstCounts, true);
    CheckKey(kExteriorTableFile, 2, "item", "its columns take the title of the first row", true);
    CheckKey(kProcessParametersTableFile, 1, "item", kFirstCounts, false);
    CheckKey(kParameterSettingTableFile, 1, "item", kFirstCounts, false);
    CheckKey(kSelectionToIntTableFile, 1, "choice", kFirstCounts, false);
    CheckKey(kVariableTableFile, 3, "variable", kFirstCounts, false);
}

void DuplicateCheck::CheckKey(CnvTblIndex table, int keyCol, const char* what, const char* effect,
                              bool itemRowsOnly) {
    const CheckedTable& t = ctx_.in.Table(table);
    if (!t.Usable()) return;
    std::unordered_map<std::string_view, int> first;  // key -> line
    for (const TableRow& row : t.rows.Rows()) {
        if (row.CellCount() < keyCol) continue;
        if (itemRowsOnly && row.Cell(1).find(':') != std::string::npos) continue;
        const auto [it, isNew] = first.try_emplace(row.Cell(keyCol), row.line);
        if (isNew) continue;
        ctx_.out.Add(Severity::kWarning, t.file.Display(), row.line,
                     std::string("the ") + what + ' ' + Quoted(row.Cell(keyCol)) + " repeats line " +
                         std::to_string(it->second) + "; " + effect,
                     "duplicate-key");
    }
}
