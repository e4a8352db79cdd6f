#include "PlanFiles.h"

#include <algorithm>

#include "entry/QvkdcGetFilePath.h"
#include "platform/FileSystem.h"
#include "qvhostsim/qvhostsim.h"

std::vector<PlanFile> ComposePlanFiles(const ModelId* plans, int count, const std::string& out,
                                       const std::string& name) {
    FileSystem* fs = FileSystem::Current();
    const int singleFlg = count == 1 ? 1 : 0;
    std::vector<PlanFile> files(static_cast<std::size_t>(count > 0 ? count : 0));
    // The library tells why a path cannot be made only in its trace.
    QvsimTraceNotesOnly(1);
    QvsimTraceAll(1, 1);
    for (int i = 0; i < count; ++i) {
        PlanFile& file = files[static_cast<std::size_t>(i)];
        char path[kQvkdcPathSize] = {};
        QvsimTraceClear();
        if (QvkdcGetFilePath(i, &plans[i], out.c_str(), name.c_str(), singleFlg, path) != 0) {
            std::string note = QvsimTraceText();
            if (note.rfind("[ERR] : ", 0) == 0) note.erase(0, 8);
            file.error = note.substr(0, note.find('\n'));
            continue;
        }
        file.made = true;
        file.path = path;
        file.native = fs->NativePath(path);
        file.exists = fs->Exists(path);
    }
    QvsimTraceAll(0, 0);
    QvsimTraceNotesOnly(0);
    QvsimTraceClear();
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
