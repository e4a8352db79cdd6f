// CheckInputs: the files an export reads, as their bytes show them: the six
// table files and the user option file under the root the export would use
// (the current directory), each with the name findings show for it.
#ifndef QVKDC_TOOLS_CHECK_CHECKINPUTS_H
#define QVKDC_TOOLS_CHECK_CHECKINPUTS_H

#include <string>

#include "check/InputFile.h"
#include "CnvTblFiles.h"

class CheckInputs {
 public:
    // Looks at every file. displayRoot goes in front of the file names
    // shown in findings ("" or a folder ending in "/").
    void Load(const std::string& displayRoot);

    const InputFile& Table(CnvTblIndex index) const { return tables_[index]; }
    const std::string& Shown(CnvTblIndex index) const { return tables_[index].Display(); }
    const InputFile& OptionFile() const { return option_; }
    // Shown name of the tables folder.
    const std::string& TablesFolder() const { return folder_; }

 private:
    InputFile tables_[kCnvTblFileCount];
    InputFile option_;
    std::string folder_;
};

#endif  // QVKDC_TOOLS_CHECK_CHECKINPUTS_H
