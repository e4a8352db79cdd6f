// ExamineRun: the library's two calls, run in process for a tool that
// follows them: the output run with an observer of its plans and cells,
// into the real folder or into a file system that writes nothing; the
// existence check; and the paths of the plans' files. Each tells what
// failed, where and why, as the library decided it: the step, every
// failure line it traced, the host's answer, the file and the system's
// reason, the table step's stop.
#ifndef QVKDC_EXAMINE_EXAMINERUN_H
#define QVKDC_EXAMINE_EXAMINERUN_H

#include <memory>
#include <string>
#include <vector>

#include "CnvTblFiles.h"
#include "FailurePoints.h"
#include "QvkdcRunObserver.h"
#include "Status.h"
#include "TableTrails.h"
#include "qvkdc/qvkdc.h"

// What becomes of the files the run opens for writing.
enum class RunFiles {
    kWrite,    // written, as the export writes them
    kDiscard,  // nothing is written; every open succeeds
    kProbe,    // nothing is written; an open fails where the export's would
};

struct RunRequest {
    const ModelId* plans = nullptr;  // the block
    int count = 0;
    std::string out;   // the output folder, as the call passes it
    std::string name;  // the output name
    // The plan loop starts at this index of the block; the files are named
    // as in a run of the whole block.
    int firstPlan = 0;
    RunFiles files = RunFiles::kWrite;
};

// What failed in a call, as the library told it.
struct CallFailure {
    // Every failure line traced, in order, each with its step; the step of
    // the call that failed is the last.
    std::vector<FailureNote> notes;
    // The step of the call that failed; kNone when none did.
    FailStep Step() const { return notes.empty() ? FailStep::kNone : notes.back().step; }
    // The first note of step, or null.
    const FailureNote* Find(FailStep step) const;
};

struct RunResult {
    int status = 0;
    // Where the run ended, or failed: the plan, process, column, step, the
    // host's answer, and a file step's file with the system's reason.
    QvkdcRunPlace place;
    CallFailure failure;
    // A table step's stop (null when the tables were built).
    std::unique_ptr<CnvTblStop> stop;
    // The table files the run found (ImpCnvTbl reads every one that exists
    // before the first it cannot read).
    bool tableFound[kCnvTblFileCount] = {};
    // Why ImpCnvTbl could not read the table of an unreadable-table step.
    Status unreadable;
    // Why the option file could not be opened (not found: there is none);
    // ok when it was read or not reached.
    Status optionFile;
};

// Runs the output run over request's plans from request.firstPlan on, in
// the current folder's tables, telling observer (null: nobody) of each
// plan and, when it asks for them, each cell.
RunResult RunExport(const RunRequest& request, QvkdcRunObserver* observer = nullptr);

// The export exactly as the host's call of QvkdcCreOutputDataWp runs it,
// with nothing followed, for those that measure it: request.files and
// request.firstPlan are not used. Returns the status.
int RunExportAsHost(const RunRequest& request);

// The existence check of the block: status 1, 0 or -1 as
// QvkdcIsExistFileWp gives it, and what failed.
struct ExistResult {
    int status = 0;
    CallFailure failure;
};
ExistResult CheckExisting(const ModelId* plans, int count, const std::string& out,
                          const std::string& name);

// The path the library composes for one plan's file.
struct PlanPath {
    bool made = false;  // false: it cannot be composed, as failure tells
    std::string path;   // as the library composes it
    CallFailure failure;
};
// The path of the file of plan index of a block of count plans (one plan:
// the name alone; several: numbered by the plan's index).
// REQUIRES: 0 <= index < count, plans holds at least count ids.
PlanPath ComposePlanPath(const ModelId* plans, int index, int count, const std::string& out,
                         const std::string& name);

// The name of a plan or process as the library reads it from the model
// database: at most 127 bytes, whatever the host writes; "" when the host
// call fails.
std::string ModelName(const ModelId& id);

#endif  // QVKDC_EXAMINE_EXAMINERUN_H
