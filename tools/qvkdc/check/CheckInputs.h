// CheckInputs: the files an export reads, loaded for a check: the six table
// files (raw bytes, and the rows as the host's table reader delivers them)
// and the user option file (raw bytes, and its titles as the export reads
// them), all from the root the export would use (the current directory).
#ifndef QVKDC_TOOLS_CHECK_CHECKINPUTS_H
#define QVKDC_TOOLS_CHECK_CHECKINPUTS_H

#include <string>
#include <vector>

#include "check/InputFile.h"
#include "check/TableRows.h"
#include "tables/CnvTblFiles.h"
#include "tables/OptionLines.h"

enum class TableState {
    kMissing,     // no file: the export skips it
    kUnreadable,  // there, but it cannot be read: the import fails
    kUtf16,       // saved as UTF-16: the reader refuses it, the import fails
    kEmpty,       // 0 bytes: read, without rows
    kRead,        // read, with rows
};

struct CheckedTable {
    const CnvTblFile* def = nullptr;
    InputFile file;
    TableRows rows;
    TableState state = TableState::kMissing;

    // The export reads it and finds what it holds.
    bool Imported() const { return state == TableState::kEmpty || state == TableState::kRead; }
    // Its rows mean what they say: lookups that miss are real misses.
    bool Usable() const { return state == TableState::kRead; }
};

class CheckInputs {
 public:
    // Loads every file. displayRoot goes in front of the file names shown
    // in findings ("" or a folder ending in "/").
    void Load(const std::string& displayRoot);

    const CheckedTable& Table(CnvTblIndex index) const { return tables_[index]; }
    const InputFile& OptionFile() const { return option_; }
    // The titles of the option file, in file order, as the export reads
    // them (ReadOptionLines).
    const std::vector<OptionLine>& OptionTitles() const { return titles_; }
    // False when the option file is UTF-16 or has CR-only line ends: its
    // titles are garbage then.
    bool OptionTitlesTrusted() const;
    // True when some table is UTF-16: the export then stops at the import.
    bool AnyTableGarbled() const;
    // Shown name of the tables folder.
    const std::string& TablesFolder() const { return folder_; }

 private:
    void LoadTable(CnvTblIndex index, const std::string& displayRoot);
    void LoadOptionTitles();

    CheckedTable tables_[kCnvTblFileCount];
    InputFile option_;
    std::vector<OptionLine> titles_;
    std::string folder_;
};

#endif  // QVKDC_TOOLS_CHECK_CHECKINPUTS_H
