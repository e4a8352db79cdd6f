// CheckInputs: the files an export reads, as their bytes show them: the six
// table files and the user option file under the root the export would use
// (the current directory), each with the name findings show for it.
#ifndef QVKDC_TOOLS_CHECK_CHECKINPUTS_H
#define QVKDC_TOOLS_CHECK_CHECKINPUTS_H

#include <string>

#include "check/InputFile.h"
#include "CnvTblFiles.h"

class TextEncoding;

class CheckInputs {
 public:
    // Looks at every file, its text taken to be in encoding (null: its
    // encoding is not looked at). displayRoot goes in front of the file
    // names shown in findings ("" or a folder ending in "/").
    void Load(const std::string& displayRoot, const TextEncoding* encoding = nullptr);

    const InputFile& Table(CnvTblIndex index) const { return tables_[index]; }
    const std::string& Shown(CnvTblIndex index) const { return tables_[index].Display(); }
    const InputFile& OptionFile() const { return option_; }
    // Shown name of the tables folder.
    const std::string& TablesFolder() const { return folder_; }
    // For a missing table: the name of a file beside it that differs from
    // the table's only in letter case, blanks at its ends or its extension
    // ("PlanCSVTable.txt", "plancsvtable.tsv"), which the export does not
    // read; "" when there is none.
    const std::string& NearName(CnvTblIndex index) const { return near_[index]; }

 private:
    void FindNearNames();

    InputFile tables_[kCnvTblFileCount];
    InputFile option_;
    std::string folder_;
    std::string near_[kCnvTblFileCount];
};

#endif  // QVKDC_TOOLS_CHECK_CHECKINPUTS_H
