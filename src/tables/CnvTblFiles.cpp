#include "tables/CnvTblFiles.h"

const CnvTblFile kCnvTblFiles[kCnvTblFileCount] = {
    {"ExteriorTable", "\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv",
     "[ERR] : ExternalNameTable Open Error"},
    {"ProcessParametersTable",
     "\\MIRVANE\\CAM\\KR\\Tables\\ProcessParametersTable.tsv",
     "[ERR] : ProcessParametersTable Open Error"},
    {"ParameterSettingTable",
     "\\MIRVANE\\CAM\\KR\\Tables\\ParameterSettingTable.tsv",
     "[ERR] : ParameterSettingTable Open Error"},
    {"SelectionToIntTable",
     "\\MIRVANE\\CAM\\KR\\Tables\\SelectionToIntTable.tsv",
     "[ERR] : SelectionToIntTable Open Error"},
    {"VariableTable", "\\MIRVANE\\CAM\\KR\\Tables\\VariableTable.tsv",
     "[ERR] : VariableTable Open Error"},
    {"PlanCSVTable", "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv",
     "[ERR] : NeccesaryItemTabel Open Error"},
};

const char kOptionFilePath[] = "\\MIRVANE\\user\\cam\\nccust\\rc_pln2usr.ini";
