#include "check/DuplicateCheck.h"

#include <string>
#include <string_view>

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
    if (!ctx_.build.HasRows(table)) return;
    // The row a lookup of a row's key finds is the first with that key: a
    // row that is not it repeats it. Nothing is kept per key.
    CQvlbwTableA& reader = ctx_.build.Tables().GetReader(table);
    CQvlbwStringArray row;
    CQvlbwStringArray found;
    reader.MoveFirst();
    while (reader.GetNextRow(&row) != 0) {
        if (row.GetSize() < keyCol) continue;
        if (itemRowsOnly && std::string_view(row.GetAt(0)).find(':') != std::string_view::npos) continue;
        const char* key = row.GetAt(keyCol - 1);
        if (reader.FindRow(keyCol, key, &found) != 1) continue;
        const int line = reader.GetCurRowLine();
        const int first = reader.GetFoundRowLine();
        if (first == line) continue;
        ctx_.out.Add(Severity::kWarning, ctx_.Shown(table), line,
                     std::string("the ") + what + ' ' + Quoted(key) + " repeats line " + std::to_string(first) +
                         "; " + effect,
                     "duplicate-key");
    }
}
