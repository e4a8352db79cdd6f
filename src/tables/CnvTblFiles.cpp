#include "examine/CnvTblFiles.h"

#include <unordered_map>

const CnvTblFile kCnvTblFiles[kCnvTblFileCount] = {
    {"ExteriorTable", "\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv",
     FailStep::kExteriorTableUnreadable},
    {"ProcessParametersTable",
     "\\MIRVANE\\CAM\\KR\\Tables\\ProcessParametersTable.tsv",
     FailStep::kProcessParametersTableUnreadable},
    {"ParameterSettingTable",
     "\\MIRVANE\\CAM\\KR\\Tables\\ParameterSettingTable.tsv",
     FailStep::kParameterSettingTableUnreadable},
    {"SelectionToIntTable",
     "\\MIRVANE\\CAM\\KR\\Tables\\SelectionToIntTable.tsv",
     FailStep::kSelectionToIntTableUnreadable},
    {"VariableTable", "\\MIRVANE\\CAM\\KR\\Tables\\VariableTable.tsv",
     FailStep::kVariableTableUnreadable},
    {"PlanCSVTable", "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv",
     FailStep::kPlanCSVTableUnreadable},
};

const char kOptionFilePath[] = "\\MIRVANE\\user\\cam\\nccust\\rc_pln2usr.ini";

const CnvTblFile* CnvTblFileNamed(std::string_view name) {
    static const std::unordered_map<std::string_view, const CnvTblFile*> byName = [] {
        std::unordered_map<std::string_view, const CnvTblFile*> map;
        for (const CnvTblFile& file : kCnvTblFiles) map.emplace(file.name, &file);
        return map;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

const CnvTblFile* CnvTblFileUnreadable(FailStep step) {
    // The failures of the table files are listed in the order of the files.
    const int i = static_cast<int>(step) - static_cast<int>(FailStep::kExteriorTableUnreadable);
    if (i < 0 || i >= kCnvTblFileCount || kCnvTblFiles[i].openError != step) return nullptr;
    return &kCnvTblFiles[i];
}
