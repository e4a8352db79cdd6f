// The files of the conversion table set: the six table files, in the order
// ImpCnvTbl reads them, and the user option file. Paths are root-relative
// (a leading backslash, no drive letter), as the file system takes them.
#ifndef QVKDC_EXAMINE_CNVTBLFILES_H
#define QVKDC_EXAMINE_CNVTBLFILES_H

#include <cstddef>
#include <string_view>

#include "FailurePoints.h"

struct CnvTblFile {
    const char* name;    // "ExteriorTable", ...
    const char* path;    // "\MIRVANE\CAM\KR\Tables\ExteriorTable.tsv", ...
    FailStep openError;  // the failure traced when ReadTable fails
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

// The table file named name ("VariableTable"); null for another name.
const CnvTblFile* CnvTblFileNamed(std::string_view name);
// The table file whose openError is step; null for another step.
const CnvTblFile* CnvTblFileUnreadable(FailStep step);

// "\MIRVANE\user\cam\nccust\rc_pln2usr.ini".
extern const char kOptionFilePath[];

#endif  // QVKDC_EXAMINE_CNVTBLFILES_H
