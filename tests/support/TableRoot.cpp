#include "support/TableRoot.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

const char kTablesFolder[] = "MIRVANE/CAM/KR/Tables/";

#ifdef _WIN32
const char kLockName[] = "qvkdc-test-drive.lock";

void ClearRoot(const std::string& root) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        if (entry.path().filename() != kLockName) fs::remove_all(entry.path(), ec);
    }
}

// The root of a test drive this process holds (empty: none is mapped, or all
// stayed held for a minute).
std::string NewRoot(void** lock) {
    for (int attempt = 0; attempt < 1200; ++attempt, Sleep(50)) {
        bool mapped = false;
        for (const char* letter = QVKDC_TEST_DRIVES; *letter != '\0'; ++letter) {
            const std::string root = std::string(1, *letter) + ":\\";
            if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
            mapped = true;
            *lock = CreateFileA((root + kLockName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
            if (*lock == INVALID_HANDLE_VALUE) continue;
            ClearRoot(root);
            return root;
        }
        if (!mapped) break;
    }
    *lock = nullptr;
    return std::string();
}
#else
// A new folder below the temporary folder.
std::string NewRoot(void**) {
    std::random_device rd;
    for (;;) {
        const fs::path p = fs::temp_directory_path() / ("qvkdc-test-" + std::to_string(rd()));
        if (fs::create_directory(p)) return p.string();
    }
}
#endif

}  // namespace

TableRoot::Tables TableRoot::Example() {
    return {{{"N", "itemN"}, {"Mode", "itemMode"}, {"Mode:a,b", "selAB"}, {"Mode:off", "selOff"}, {"Z", "itemZ"},
             {"Extra", "itemX"}},
            {{"itemN", "100", "1"}, {"itemMode", "200", "2"}, {"itemZ", "300", "3"}, {"itemX", "400", "9"}},
            {{"itemN", "Real", "", "", "Integer"}, {"itemMode", "Select", "", ""}, {"itemZ", "String", "", ""},
             {"itemX", "Real", "o", "o"}},
            {{"selAB", "1"}, {"selOff", "0"}},
            {{"TS", "", "akw_tls_nm"}},
            {{"1", "itemN"}, {"2", "itemMode"}, {"3", "itemZ"}}};
}

TableRoot::Tables TableRoot::CleanExample() {
    Tables t = Example();
    t.exterior[2][0] = "Mode:a or b";
    return t;
}

TableRoot::TableRoot() : root_(NewRoot(&lock_)), previous_(fs::current_path().string()) {
    if (root_.empty()) throw std::runtime_error("no test drive is free");
    fs::create_directories(PathOf(kTablesFolder));
    fs::create_directories(PathOf("MIRVANE/user/cam/nccust"));
    fs::current_path(root_);
}

TableRoot::~TableRoot() {
    std::error_code ec;
    fs::current_path(previous_, ec);
#ifdef _WIN32
    ClearRoot(root_);
    CloseHandle(static_cast<HANDLE>(lock_));
#else
    fs::remove_all(root_, ec);
#endif
}

std::string TableRoot::PathOf(std::string_view relative) const {
    return (fs::path(root_) / fs::path(relative).make_preferred()).string();
}

void TableRoot::WriteTables(const Tables& t) const {
    const std::pair<const char*, const Rows*> files[] = {
        {"ExteriorTable", &t.exterior},         {"ProcessParametersTable", &t.processParameters},
        {"ParameterSettingTable", &t.parameterSetting}, {"SelectionToIntTable", &t.selectionToInt},
        {"VariableTable", &t.variable},         {"PlanCSVTable", &t.planCsv}};
    for (const auto& [name, rows] : files) {
        std::string text;
        for (const std::vector<std::string>& row : *rows) {
            for (std::size_t i = 0; i < row.size(); ++i) text += (i > 0 ? "\t" : "") + row[i];
            text += '\n';
        }
        WriteFile(kTablesFolder + std::string(name) + ".tsv", text);
    }
}

void TableRoot::RemoveTable(std::string_view name) const {
    fs::remove(PathOf(kTablesFolder + std::string(name) + ".tsv"));
}

void TableRoot::WriteOptionFile(std::string_view text) const {
    WriteFile("MIRVANE/user/cam/nccust/rc_pln2usr.ini", text);
}

std::string TableRoot::WriteFile(std::string_view relative, std::string_view bytes) const {
    const std::string path = PathOf(relative);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TableRoot::ReadFile(std::string_view relative) const {
    std::ifstream in(PathOf(relative), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> TableRoot::Files(std::string_view relative) const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(PathOf(relative))) {
        names.insert(e.path().filename().string());
    }
    return names;
}

std::string FileLines(std::string text) {
#ifdef _WIN32
    for (std::size_t p = 0; (p = text.find('\n', p)) != std::string::npos; p += 2) text.insert(p, 1, '\r');
#endif
    return text;
}
