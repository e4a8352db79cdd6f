#include "check/CheckInputs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "FileSystem.h"

namespace {

// "\MIRVANE\CAM\..." as a path below displayRoot: "DIR/MIRVANE/CAM/...".
std::string ShownPath(const std::string& displayRoot, std::string libPath) {
    if (!libPath.empty() && libPath.front() == '\\') libPath.erase(0, 1);
    std::replace(libPath.begin(), libPath.end(), '\\', '/');
    return displayRoot + libPath;
}

// How the rows of a table are read: the cells a row needs, and the cell
// that names what the row is about.
LineRules RulesOf(CnvTblIndex index, const TextEncoding* encoding) {
    LineRules rules;
    rules.encoding = encoding;
    rules.cellsNeeded = index == kProcessParametersTableFile ? 3 : 2;
    rules.nameCell = index == kExteriorTableFile ? -1 : index == kPlanCSVTableFile ? 1 : 0;
    return rules;
}

// name without the blanks at its ends and its extension, in lower case.
std::string Folded(std::string name) {
    const std::size_t first = name.find_first_not_of(' ');
    name.erase(0, first == std::string::npos ? name.size() : first);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

void CheckInputs::Load(const std::string& displayRoot, const TextEncoding* encoding) {
    bool missing = false;
    for (int i = 0; i < kCnvTblFileCount; ++i) {
        const auto index = static_cast<CnvTblIndex>(i);
        tables_[i].Load(kCnvTblFiles[i].path, ShownPath(displayRoot, kCnvTblFiles[i].path), RulesOf(index, encoding));
        missing = missing || !tables_[i].Exists();
    }
    const std::string& first = tables_[0].Display();
    folder_ = first.substr(0, first.rfind('/'));
    LineRules optionRules;
    optionRules.encoding = encoding;
    option_.Load(kOptionFilePath, ShownPath(displayRoot, kOptionFilePath), optionRules);
    if (missing) FindNearNames();
}

void CheckInputs::FindNearNames() {
    const std::string tables = kCnvTblFiles[0].path;
    const std::string folder = FileSystem::Current()->NativePath(tables.substr(0, tables.rfind('\\')));
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string folded = Folded(name);
        for (int i = 0; i < kCnvTblFileCount; ++i) {
            if (tables_[i].Exists() || !near_[i].empty() || Folded(kCnvTblFiles[i].name) != folded) continue;
            near_[i] = name;
        }
    }
}
