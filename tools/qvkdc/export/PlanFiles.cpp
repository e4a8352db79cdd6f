#include "export/PlanFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "FileSystem.h"
#include "ExamineRun.h"
#include "TextTrim.h"
#include "system/SystemFiles.h"

std::vector<PlanFile> ComposePlanFiles(const ModelId* plans, int count, const std::string& out,
                                       const std::string& name) {
    FileSystem* fs = FileSystem::Current();
    std::vector<PlanFile> files;
    for (PlanPath& composed : ComposePlanPaths(plans, count, out, name)) {
        PlanFile file;
        file.made = composed.made;
        if (composed.made) {
            file.path = std::move(composed.path);
            file.native = fs->NativePath(file.path);
            file.exists = fs->Exists(file.path);
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::vector<std::string> ExistingFiles(const std::vector<PlanFile>& files) {
    FileSystem* fs = FileSystem::Current();
    std::vector<std::string> existing;
    for (const PlanFile& file : files) {
        if (!file.made || !fs->Exists(file.path)) continue;
        if (std::find(existing.begin(), existing.end(), file.native) == existing.end()) {
            existing.push_back(file.native);
        }
    }
    return existing;
}

std::string OutFolderProblem(const std::string& out, const std::string& root) {
    if (TrimSpace(out).empty()) return "";
    const std::string native = FileSystem::Current()->NativePath(out);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(native, ec);
    if (std::filesystem::is_directory(status)) return "";
    std::string why = std::filesystem::exists(status) ? "is not a folder" : "no such folder";
    if (!root.empty() && std::filesystem::path(native).is_relative()) why += " (below --root " + root + ")";
    return why;
}

void WarnOfLongNames(const std::vector<PlanFile>& files, const std::vector<int>& numbers, std::ostream& out) {
    std::string folder;
    std::size_t limit = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].made) continue;
        const std::filesystem::path path(files[i].native);
        const std::size_t length = path.filename().string().size();
        if (limit == 0 || path.parent_path().string() != folder) {
            folder = path.parent_path().string();
            limit = NameLengthLimit(folder);
        }
        if (length <= limit) continue;
        out << "qvkdc: warning: plan " << (i < numbers.size() ? numbers[i] : static_cast<int>(i))
            << ": the file name is " << length
            << " bytes long, but this file system takes at most " << limit
            << " for a name; the export will fail at it: " << files[i].native << '\n';
    }
}
