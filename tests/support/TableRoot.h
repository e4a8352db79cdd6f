// TableRoot: a fresh temporary folder laid out as the installation root of
// the conversion tables, made the current directory for the object's life.
//
// The library reads its table files from "\MIRVANE\CAM\KR\Tables\" and the
// option file from "\MIRVANE\user\cam\nccust\rc_pln2usr.ini"; on POSIX these
// root-relative paths resolve below the current directory, so they land in
// this folder. The destructor restores the previous current directory and
// removes the folder.
#ifndef QVKDC_TESTS_SUPPORT_TABLEROOT_H
#define QVKDC_TESTS_SUPPORT_TABLEROOT_H

#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include "windows/TestDrive.h"
#else
#include "support/TempDir.h"
#endif

class TableRoot {
 public:
    // Rows of cells; written as cells joined by tabs, one line per row.
    using Rows = std::vector<std::vector<std::string>>;

    // Contents of the six table files; WriteTables writes all six.
    struct Tables {
        Rows exterior;             // ExteriorTable.tsv
        Rows processParameters;    // ProcessParametersTable.tsv
        Rows parameterSetting;     // ParameterSettingTable.tsv
        Rows selectionToInt;       // SelectionToIntTable.tsv
        Rows variable;             // VariableTable.tsv
        Rows planCsv;              // PlanCSVTable.tsv
    };

    // Names of the six table files, without ".tsv", in import order.
    static const std::vector<std::string>& TableNames();

    TableRoot();
    ~TableRoot();
    TableRoot(const TableRoot&) = delete;
    TableRoot& operator=(const TableRoot&) = delete;

    // Writes Tables/<name>.tsv.
    void WriteTable(std::string_view name, const Rows& rows) const;
    void WriteTableText(std::string_view name, std::string_view text) const;
    void WriteTables(const Tables& tables) const;
    // Removes Tables/<name>.tsv.
    void RemoveTable(std::string_view name) const;
    // Puts a folder where Tables/<name>.tsv would be: it exists but cannot
    // be read as a table.
    void PutFolderAt(std::string_view name) const;
    // Writes the user option file rc_pln2usr.ini as it stands.
    void WriteOptionFile(std::string_view text) const;

    // The root folder (the current directory while the object lives);
    // on Windows the root of the drive, such as "K:\".
    const std::string& Path() const { return root_; }

 private:
    std::string PathOf(std::string_view relative) const;
    std::string TablePath(std::string_view name) const;

#ifdef _WIN32
    TestDrive dir_;
#else
    TempDir dir_;
#endif
    std::string root_;
    std::string previous_;
};

#endif  // QVKDC_TESTS_SUPPORT_TABLEROOT_H
