#include "support/TableRoot.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

#ifdef _WIN32
std::string RootOf(const TestDrive& drive) {
    if (drive.Root().empty()) throw std::runtime_error("no test drive of " QVKDC_TEST_DRIVES " is mapped");
    return drive.Root();
}
#else
std::string RootOf(const TempDir& dir) { return dir.Path(); }
#endif

}  // namespace

const std::vector<std::string>& TableRoot::TableNames() {
    static const std::vector<std::string> kNames = {
        "ExteriorTable",       "ProcessParametersTable", "ParameterSettingTable",
        "SelectionToIntTable", "VariableTable",          "PlanCSVTable"};
    return kNames;
}

TableRoot::TableRoot() : root_(RootOf(dir_)), previous_(fs::current_path().string()) {
    fs::create_directories(PathOf("MIRVANE/CAM/KR/Tables"));
    fs::create_directories(PathOf("MIRVANE/user/cam/nccust"));
    fs::current_path(root_);
}

TableRoot::~TableRoot() {
    std::error_code ec;
    fs::current_path(previous_, ec);
}

std::string TableRoot::PathOf(std::string_view relative) const {
    return (fs::path(root_) / relative).string();
}

std::string TableRoot::TablePath(std::string_view name) const {
    return PathOf("MIRVANE/CAM/KR/Tables/" + std::string(name) + ".tsv");
}

void TableRoot::WriteTable(std::string_view name, const Rows& rows) const {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += '\t';
            text += row[i];
        }
        text += '\n';
    }
    WriteTableText(name, text);
}

void TableRoot::WriteTableText(std::string_view name, std::string_view text) const {
    WriteBytes(TablePath(name), text);
}

void TableRoot::WriteTables(const Tables& tables) const {
    const std::vector<std::string>& names = TableNames();
    WriteTable(names[0], tables.exterior);
    WriteTable(names[1], tables.processParameters);
    WriteTable(names[2], tables.parameterSetting);
    WriteTable(names[3], tables.selectionToInt);
    WriteTable(names[4], tables.variable);
    WriteTable(names[5], tables.planCsv);
}

void TableRoot::RemoveTable(std::string_view name) const {
    std::error_code ec;
    fs::remove_all(TablePath(name), ec);
}

void TableRoot::PutFolderAt(std::string_view name) const {
    RemoveTable(name);
    fs::create_directories(TablePath(name));
}

void TableRoot::WriteOptionFile(std::string_view text) const {
    WriteBytes(PathOf("MIRVANE/user/cam/nccust/rc_pln2usr.ini"), text);
}
