// The files of the conversion table set: the six table files, in the order
// ImpCnvTbl reads them, and the user option file. Paths are root-relative
// (a leading backslash, no drive letter), as the file system takes them.
#ifndef QVKDC_TABLES_CNVTBLFILES_H
#define QVKDC_TABLES_CNVTBLFILES_H

#include <cstddef>

struct CnvTblFile {
    const char* name;       // "ExteriorTable", ...
    const char* path;       // "\MIRVANE\CAM\KR\Tables\ExteriorTable.tsv", ...
    const char* openError;  // the line logged when ReadTable fails
};

// Index of each table in kCnvTblFiles.
enum CnvTblIndex {
    kExteriorTableFile,
    kProcessParametersTableFile,
    kParameterSettingTableFile,
    kSelectionToIntTableFile,
    kVariableTableFile,
    kPlanCSVTableFile,
    kCnvTblFileCount
};

extern const CnvTblFile kCnvTblFiles[kCnvTblFileCount];

// "\MIRVANE\user\cam\nccust\rc_pln2usr.ini".
extern const char kOptionFilePath[];

#endif  // QVKDC_TABLES_CNVTBLFILES_H
