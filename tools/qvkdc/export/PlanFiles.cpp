#include "export/PlanFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "FileSystem.h"
#include "ExamineRun.h"
#include "TextTrim.h"
#include "system/SystemFiles.h"

PlanFile PlanFiles::At(int i) const {
    PlanFile file;
    PlanPath composed = ComposePlanPath(plans_, i, count_, out_, name_);
    file.made = composed.made;
    if (composed.made) {
        FileSystem* fs = FileSystem::Current();
        file.path = std::move(composed.path);
        file.native = fs->NativePath(file.path);
        file.exists = fs->Exists(file.path);
    }
    return file;
}

std::vector<PlanFile> PlanFiles::All() const {
    std::vector<PlanFile> files;
    files.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i) files.push_back(At(i));
    return files;
}

namespace {

// The native paths of the files at(0) ... at(count - 1) that exist, each
// once, in plan order.
template <class At>
std::vector<std::string> Existing(int count, const At& at) {
    std::vector<std::string> existing;
    std::unordered_set<std::string> seen;
    for (int i = 0; i < count; ++i) {
        PlanFile file = at(i);
        if (file.exists && seen.insert(file.native).second) existing.push_back(std::move(file.native));
    }
    return existing;
}

}  // namespace

std::vector<std::string> ExistingFiles(const PlanFiles& files) {
    return Existing(files.Count(), [&](int i) { return files.At(i); });
}

std::vector<std::string> ExistingFiles(const std::vector<PlanFile>& files) {
    return Existing(static_cast<int>(files.size()), [&](int i) { return files[static_cast<std::size_t>(i)]; });
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

std::vector<std::string> LongNameWarnings(const PlanFiles& files, const std::vector<int>& numbers) {
    std::vector<std::string> warnings;
    std::string folder;
    std::size_t limit = 0;
    for (int i = 0; i < files.Count(); ++i) {
        const PlanFile file = files.At(i);
        if (!file.made) continue;
        const std::filesystem::path path(file.native);
        const std::size_t length = path.filename().string().size();
        if (limit == 0 || path.parent_path().string() != folder) {
            folder = path.parent_path().string();
            limit = NameLengthLimit(folder);
        }
        if (length <= limit) continue;
        const std::size_t n = static_cast<std::size_t>(i);
        warnings.push_back("qvkdc: warning: plan " + std::to_string(n < numbers.size() ? numbers[n] : i) +
                           ": the file name is " + std::to_string(length) +
                           " bytes long, but this file system takes at most " + std::to_string(limit) +
                           " for a name; the export will fail at it: " + file.native);
    }
    return warnings;
}
