#include "examine/ExamineRun.h"

#include <optional>

#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcGetFilePath.h"
#include "entry/QvkdcIsExistFile.h"
#include "host/FailureTrace.h"
#include "host/HostText.h"
#include "host/Qdgm.h"
#include "examine/FileSystem.h"
#include "platform/DiscardingFileSystem.h"
#include "platform/ProbingFileSystem.h"
#include "tables/CnvTblObserver.h"

namespace {

// Keeps every failure line traced while it listens.
class FailureNotes final : public FailureListener {
 public:
    explicit FailureNotes(CallFailure* into) : into_(into), listening_(this) {}
    void Failed(FailStep step, std::string_view line) override {
        into_->notes.push_back({step, std::string(line)});
    }

 private:
    CallFailure* into_;
    ScopedFailureListener listening_;
};

// What a run's table steps tell that explains their failure: the files
// found, and where a step stopped. It keeps no rows, so that a run costs
// what it costs without it.
class TableNotes final : public CnvTblObserver {
 public:
    explicit TableNotes(RunResult* into) : into_(into) {}

    void TableRead(CnvTblIndex table, int result) override {
        into_->tableFound[table] = true;
        if (result == 0) return;
        // The host's reader tells no reason: the file system tells what it
        // can of the file the reader could not read.
        std::unique_ptr<LineReader> reader;
        into_->unreadable = FileSystem::Current()->OpenForRead(kCnvTblFiles[table].path, &reader);
    }
    void OptionFileOpened(const Status& opened) override { into_->optionFile = opened; }
    void Stopped(const CnvTblStop& stop, bool) override {
        into_->stop = std::make_unique<CnvTblStop>(stop);
    }

 private:
    RunResult* into_;
};

}  // namespace

const FailureNote* CallFailure::Find(FailStep step) const {
    for (const FailureNote& note : notes) {
        if (note.step == step) return &note;
    }
    return nullptr;
}

RunResult RunExport(const RunRequest& request, QvkdcRunObserver* observer) {
    RunResult result;
    std::optional<DiscardingFileSystem> discarding;
    std::optional<ProbingFileSystem> probing;
    FileSystem* fs = FileSystem::Current();
    switch (request.files) {
        case RunFiles::kWrite:
            break;
        case RunFiles::kDiscard:
            fs = &discarding.emplace(fs);
            break;
        case RunFiles::kProbe:
            fs = &probing.emplace(fs);
            break;
    }
    {
        const ScopedFileSystem files(fs);
        const FailureNotes notes(&result.failure);
        TableNotes tables(&result);
        // An empty block is still a block the call can read.
        const ModelId none{};
        const ModelId* block = request.count > 0 ? request.plans : &none;
        QvkdcCreOutputDataAt(&request.count, block, request.out.c_str(), request.name.c_str(),
                             &result.status, &result.place, request.firstPlan, observer, &tables);
    }
    return result;
}

int RunExportAsHost(const RunRequest& request) {
    const ModelId none{};
    int status = 0;
    QvkdcCreOutputData(&request.count, request.count > 0 ? request.plans : &none, request.out.c_str(),
                       request.name.c_str(), &status);
    return status;
}

ExistResult CheckExisting(const ModelId* plans, int count, const std::string& out,
                          const std::string& name) {
    ExistResult result;
    const FailureNotes notes(&result.failure);
    const ModelId none{};
    QvkdcIsExistFile(&count, count > 0 ? plans : &none, out.c_str(), name.c_str(), &result.status);
    return result;
}

PlanPath ComposePlanPath(const ModelId* plans, int index, int count, const std::string& out,
                         const std::string& name) {
    PlanPath p;
    HostText<kQvkdcPathSize> path;
    const FailureNotes notes(&p.failure);
    p.made = QvkdcGetFilePath(index, &plans[index], out.c_str(), name.c_str(), QvkdcSingleFlg(count),
                              path.data()) == 0;
    if (p.made) p.path = path.str();
    return p;
}

std::string ModelName(const ModelId& id) {
    HostText<kQdgmNameSize> name;
    return QdgmRetIdnamLN(&id, name.data()) < 0 ? std::string() : name.str();
}
