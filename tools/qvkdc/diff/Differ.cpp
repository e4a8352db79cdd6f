#include "diff/Differ.h"

#include <filesystem>
#include <optional>
#include <utility>

#include "FileSystem.h"
#include "ExamineRun.h"
#include "diff/CsvOnDisk.h"
#include "diff/ExportSide.h"
#include "diff/SpilledPlans.h"
#include "export/FailureCause.h"
#include "export/PlanOutcome.h"
#include "qvhostsim/qvhostsim.h"

namespace fs = std::filesystem;

namespace {

// Runs in root ("": where it is) for its lifetime, then goes back.
class InFolder {
 public:
    explicit InFolder(const std::string& root) {
        std::error_code ec;
        back_ = fs::current_path(ec);
        if (!root.empty()) fs::current_path(root, ec);
    }
    ~InFolder() {
        std::error_code ec;
        fs::current_path(back_, ec);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

 private:
    fs::path back_;
};

DiffSideOutcome OutcomeOf(const RunResult& run, const std::vector<ModelId>& plans) {
    DiffSideOutcome outcome;
    outcome.status = run.status;
    if (run.status >= 0) return outcome;
    FailureContext context;
    const QvkdcRunPlace& place = run.place;
    if (place.plan >= 0 && place.plan < static_cast<int>(plans.size())) {
        const ModelId& plan = plans[static_cast<std::size_t>(place.plan)];
        context.plan = "plan " + std::to_string(place.plan) + " \"" + ModelName(plan) + "\"";
        if (place.process >= 0) {
            context.process = "process \"" + ModelName(place.prcsId) + "\" (" + IdText(place.prcsId) + ")";
        }
    }
    outcome.failure = ExplainFailure(run.failure, FailureDetail::Of(run), context);
    return outcome;
}

// The index of the first plan a failed run did not finish; every plan's
// count when it finished.
std::size_t FinishedPlans(const RunResult& run, std::size_t count) {
    if (run.status >= 0) return count;
    return run.place.plan < 0 ? 0 : static_cast<std::size_t>(run.place.plan);
}

}  // namespace

bool DiffResult::Changed() const {
    if (old.status < 0 || now.status < 0 || !unreadable.empty()) return true;
    for (const FileChange& f : files) {
        if (f.change != FileChangeKind::kSame) return true;
    }
    return false;
}

DiffResult RunDiff(const DiffRequest& request) {
    DiffResult result;
    std::vector<ModelId> plans(request.indexes.size());
    for (std::size_t i = 0; i < plans.size(); ++i) QvsimPlanId(request.indexes[i], &plans[i]);
    const std::size_t n = plans.size();

    // The old side's files, by plan, until the new side's file of the plan
    // is compared with them.
    SpilledPlans olds(n);
    std::vector<std::optional<FileChange>> changes(n);
    std::size_t oldFinished = n;
    std::unique_ptr<ExportSide> oldSide;
    std::vector<std::string> diskPaths(n);
    if (request.fromDisk) {
        const InFolder in(request.newRoot);
        for (std::size_t i = 0; i < n; ++i) {
            const PlanPath path = ComposePlanPath(plans.data(), static_cast<int>(i), static_cast<int>(n),
                                                  request.out, request.name);
            if (!path.made) continue;
            std::error_code ec;
            diskPaths[i] = fs::absolute(FileSystem::Current()->NativePath(path.path), ec).string();
        }
    } else {
        const InFolder in(request.oldRoot);
        oldSide = std::make_unique<ExportSide>();
        oldSide->Run(plans, request.out, request.name,
                     [&](int plan, PlanCsv&& file) { olds.Put(static_cast<std::size_t>(plan), std::move(file)); });
        result.old = OutcomeOf(oldSide->Result(), plans);
        oldFinished = FinishedPlans(oldSide->Result(), n);
    }

    const InFolder in(request.newRoot);
    ExportSide newSide;
    const CellCauses causes(oldSide != nullptr ? &oldSide->Tables() : nullptr, {request.oldShown, request.oldRoot},
                            newSide.Tables(), {request.newShown, request.newRoot});
    // The old file of plan: from the old side's run, or read from disk;
    // none when there is none.
    const auto takeOld = [&](std::size_t plan) {
        std::optional<PlanCsv> file;
        if (!request.fromDisk) return olds.Take(plan);
        if (diskPaths[plan].empty()) return file;
        file.emplace();
        const Status status = ReadCsvOnDisk(diskPaths[plan], &*file);
        if (status.ok()) return file;
        if (!status.IsNotFound()) result.unreadable.push_back(diskPaths[plan] + ": " + status.ToString());
        file.reset();
        return file;
    };
    std::vector<bool> compared(n);
    newSide.Run(plans, request.out, request.name, [&](int plan, PlanCsv&& file) {
        const std::size_t i = static_cast<std::size_t>(plan);
        compared[i] = true;
        if (i >= oldFinished) return;
        const std::optional<PlanCsv> old = takeOld(i);
        changes[i] = CompareFiles(old ? &*old : nullptr, &file, causes, request.ignoredColumns);
    });
    result.now = OutcomeOf(newSide.Result(), plans);
    const std::size_t finished = std::min(oldFinished, FinishedPlans(newSide.Result(), n));
    for (std::size_t i = 0; i < finished; ++i) {
        if (compared[i]) continue;
        const std::optional<PlanCsv> old = takeOld(i);
        if (old) changes[i] = CompareFiles(&*old, nullptr, causes, request.ignoredColumns);
    }
    for (std::size_t i = 0; i < finished; ++i) {
        if (changes[i]) result.files.push_back(std::move(*changes[i]));
    }
    if (olds.Lost()) result.unreadable.push_back("the old files kept in a temporary file could not be read back");
    return result;
}
