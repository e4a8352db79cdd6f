// TableRoot: a fresh, empty folder that stands for the root of the current
// drive, made the current folder while the object lives. The library reads
// its tables from "\MIRVANE\CAM\KR\Tables\" and its option file from
// "\MIRVANE\user\cam\nccust\rc_pln2usr.ini" below that root; tests write
// those files, and any other file they need, here.
//
// On POSIX it is a new folder below the temporary folder. On Windows it is
// the root of one of the test drives QVKDC_TEST_DRIVES (cmake/Wine.cmake maps
// them; on Windows itself, map them with subst), which parallel test
// processes share: a process holds its drive by a lock file at the root,
// open with no sharing, and waits while every drive is held. The destructor
// restores the previous current folder and removes everything the test left.
#ifndef QVKDC_TESTS_SUPPORT_TABLEROOT_H
#define QVKDC_TESTS_SUPPORT_TABLEROOT_H

#include <set>
#include <string>
#include <string_view>
#include <vector>

class TableRoot {
 public:
    // Rows of cells; written as cells joined by tabs, one line per row.
    using Rows = std::vector<std::vector<std::string>>;
    // Contents of the six table files, in import order.
    struct Tables {
        Rows exterior, processParameters, parameterSetting, selectionToInt, variable, planCsv;
    };

    // Three columns: N (item itemN, key 100, priority 1, "Real" with sub
    // type "Integer"), Mode (itemMode, key 200, a selection with the choices
    // "a,b" = 1 and "off" = 0) and Z (itemZ, key 300, "String"). Extra
    // (itemX, key 400, priority 9, "Real", both marks) is in ExteriorTable
    // for the option file to add. The tool-set form is "TS".
    static Tables Example();
    // The example without the comma of "a,b" (then "a or b"), which the
    // export writes unquoted and the check tells as an error.
    static Tables CleanExample();

    TableRoot();
    ~TableRoot();
    TableRoot(const TableRoot&) = delete;
    TableRoot& operator=(const TableRoot&) = delete;

    // The root, such as "/tmp/qvkdc-test-123" or "K:\".
    const std::string& Path() const { return root_; }
    // The file or folder at relative, a path below the root.
    std::string PathOf(std::string_view relative) const;

    // Writes the six table files, or removes one (name without ".tsv").
    void WriteTables(const Tables& tables) const;
    void RemoveTable(std::string_view name) const;
    void WriteOptionFile(std::string_view text) const;

    // Writes bytes as they stand to the file at relative (made with its
    // folders, or truncated) and returns its path.
    std::string WriteFile(std::string_view relative, std::string_view bytes) const;
    // The bytes of the file at relative, or "<missing>".
    std::string ReadFile(std::string_view relative) const;
    // Names of the files and folders in the folder at relative.
    std::set<std::string> Files(std::string_view relative) const;

 private:
    void* lock_ = nullptr;  // Windows: the lock file of the drive
    std::string root_;
    std::string previous_;
};

// text with each "\n" as the library writes it to a file: "\r\n" on
// Windows, unchanged elsewhere.
std::string FileLines(std::string text);

#endif  // QVKDC_TESTS_SUPPORT_TABLEROOT_H
