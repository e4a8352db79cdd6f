// ModelCheck: a model against the tables, found by running the library's own
// export over the plans of the call, in process, through the stand-in host,
// into a file system that writes nothing (ExamineRun.h). Every failure is
// reported where the export meets it (the plan, the process, the column and
// the host call that failed, as the library tells it), and the run goes on
// with the plan after it. With the export's output folder the run composes
// every path itself and meets each file as the export will (RunFiles::kProbe;
// FileNameCheck tells the rest of the names).
//
// While the run converts, the library tells the check each cell with why it
// came out so (CellFacts), and the model tells what it holds: together they
// tell why cells of the plans the export writes come out empty or wrong:
// parameters missing or of another kind than the column's, codes without a
// choice, tool names too long for the tool text lookup. A plan's cells count
// once its file is written (or failed at its output stage), so that rejected
// and failing plans are left out.
#ifndef QVKDC_TOOLS_CHECK_MODELCHECK_H
#define QVKDC_TOOLS_CHECK_MODELCHECK_H

#include <set>
#include <string>
#include <vector>

#include "ExamineRun.h"
#include "check/CellNote.h"
#include "check/CheckContext.h"
#include "check/ExportCall.h"
#include "check/ExportPreview.h"
#include "check/FileNameCheck.h"
#include "check/ValueTally.h"
#include "export/PlanOutcome.h"

class ModelCheck : private QvkdcRunObserver {
 public:
    // modelFile: the model's name as shown in findings; preview (null:
    // none) keeps the first rows of each file written. REQUIRES: the model
    // is loaded into the host, the tables were built without failure, the
    // current folder is the root of the call, and preview has a column for
    // each column of the tables.
    ModelCheck(const CheckContext& ctx, std::string modelFile, const ExportCall& call,
               ExportPreview* preview = nullptr);
    void Run();

 private:
    // Each plan --plans lists more than once, told once.
    void CheckRepeatedPlans();
    // A tool text to look up once the runs are over: the first cell of a
    // tool name too long for the lookup.
    struct ToolCheck {
        std::string name;
        int column = -1;
        ValuePlace where;
    };
    // What a rejected plan's message names.
    struct Machine {
        bool known = true;
        std::string name1;
        std::string name2;
    };

    // Runs the export over the plans of the block from index first on.
    // Returns the index of the plan it failed at, or the plan count when it
    // did not fail.
    int RunExport(int first);
    void ReportFailure(const RunResult& run);
    // What the host call that failed the run answered, in the user's terms.
    std::string FailedCall(const RunResult& run) const;
    void ReportRejected(const PlanOutcome& o);

    // QvkdcRunObserver: the plans' outcomes are told on to outcomes_; the
    // cells of the plan being converted are counted for it alone until it
    // is written.
    void Listed(int plan, int count) override { outcomes_.Listed(plan, count); }
    void Typed(const QvkdcRunPlace& place, int type, bool accepted) override {
        outcomes_.Typed(place, type, accepted);
    }
    void Converted(const QvkdcRunPlace& place, int column, std::string_view text, const CellFacts& facts) override;
    void Rejected(int plan, bool machineKnown, std::string_view name1, std::string_view name2) override;
    void NoRows(int plan) override { outcomes_.NoRows(plan); }
    void Written(int plan, std::string_view path, int rows) override;
    // Counts what the cell asked for the pending plan; returns what the
    // page tells of it.
    CellNote Tally(const QvkdcRunPlace& place, int column, std::string_view text, const CellFacts& facts);
    // The counts of the pending plan join the model's.
    void Commit();
    void CheckTool(const ToolCheck& tool);

    // The line of the model file where the plan or process of id begins;
    // 1 when the host cannot tell.
    static int LineOf(const ModelId& id);
    // "plan N "NAME"", N the plan's index in the model.
    std::string PlanName(int index) const;
    // "process "P" of plan N "NAME"".
    std::string PlaceName(const ValuePlace& where) const;

    const CheckContext& ctx_;
    std::string file_;
    const ExportCall& call_;
    ExportPreview* preview_;
    FileNameCheck names_;
    bool namesMet_ = false;       // the run meets the output names
    std::vector<int> indexes_;    // the model index of each plan of the block
    std::vector<ModelId> plans_;  // the block
    PlanOutcomes outcomes_{nullptr, 0};
    std::vector<Machine> machines_;  // per plan, when rejected
    // The plan whose cells are pending (kNoPlan: none), and its counts.
    static constexpr int kNoPlan = -1;
    int pending_ = kNoPlan;
    ValueTally planTally_;
    std::vector<ToolCheck> planTools_;
    std::set<std::string> planToolNames_;
    ValueTally tally_;
    std::vector<ToolCheck> tools_;
    std::set<std::string> toolsSeen_;
};

#endif  // QVKDC_TOOLS_CHECK_MODELCHECK_H
