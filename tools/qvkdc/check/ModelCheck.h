// ModelCheck: a model against the tables, found by running the library's own
// export over the plans of the call, in process, through the stand-in host,
// into a file system that writes nothing. Every failure is reported where
// the export meets it (the plan, the process, the column and the host call
// that failed), and the run goes on with the plan after it. With the
// export's output folder the run composes every path itself and meets each
// file as the export will (ProbingFileSystem; FileNameCheck tells the rest
// of the names).
//
// While the run converts, it tells the check each cell (QvkdcRunObserver):
// what the cell asked the host (the stand-in's call log at level 3) and
// what the model holds tell why
// cells of the plans the export writes come out empty or wrong: parameters
// missing or of another kind than the column's, codes without a choice,
// tool names too long for the tool text lookup. A plan's cells count once
// its file is written (or failed at its output stage), so that rejected
// and failing plans are left out.
#ifndef QVKDC_TOOLS_CHECK_MODELCHECK_H
#define QVKDC_TOOLS_CHECK_MODELCHECK_H

#include <set>
#include <string>
#include <vector>

#include "export/PlanOutcome.h"
#include "check/CheckContext.h"
#include "check/CellReason.h"
#include "check/ExportCall.h"
#include "check/ExportPreview.h"
#include "check/FileNameCheck.h"
#include "check/ValueTally.h"
#include "convert/CQvkdcCnvColData.h"
#include "entry/QvkdcOutputRun.h"
#include "entry/QvkdcRunObserver.h"

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
    // A tool text to look up once the runs are over: the first cell of a
    // tool name that may be too long for the lookup.
    struct ToolCheck {
        std::string name;
        int column = -1;
        ValuePlace where;
    };

    // Runs the export over the plans of the block from index first on.
    // Returns the index of the plan it failed at, or the plan count when it
    // did not fail.
    int RunExport(int first);
    void ReportFailure(const QvkdcRunPlace& place, const std::vector<QvsimCall>& calls,
                       const std::string& errors);
    // The error note of the converter for the cell a run failed at, which
    // the run leaves untraced: the cell converted once more with its notes
    // followed. "" when it converts this time.
    // REQUIRES: place names a process and a column.
    std::string CellError(const QvkdcRunPlace& place);
    // What the failing host call of calls (after the last process type
    // inquiry) was, in the user's terms; "" when none failed.
    std::string FailedCall(const std::vector<QvsimCall>& calls, const QvkdcRunPlace& place) const;
    void ReportRejected(const PlanOutcome& o, const std::vector<QvsimCall>& calls, int rejectedBefore);

    // QvkdcRunObserver: the cells of the plan being converted, counted for
    // it alone until it is written.
    void Converted(const QvkdcRunPlace& place, int column, std::string_view text, QdgmPrcsRec* record) override;
    void Written(int plan) override;
    // Counts what the cell asked for the pending plan; returns why the cell
    // is as it is, where that tells it (a parameter missing, of another
    // kind, a code without a choice).
    CellReason Tally(const QvkdcRunPlace& place, int column, std::string_view text, QdgmPrcsRec* record,
                     const QvsimCall* asked, int askedCount);
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
    std::vector<PlanOutcome> outcomes_;  // per plan, once its run looked at it
    // Per column: the tool type item; a choice row for its item.
    std::vector<char> toolType_;
    std::vector<char> hasChoices_;
    // The plan whose cells are pending (-1: none), and its counts.
    int pending_ = -1;
    ValueTally planTally_;
    std::vector<ToolCheck> planTools_;
    std::set<std::string> planToolNames_;
    ValueTally tally_;
    std::vector<ToolCheck> tools_;
    std::set<std::string> toolsSeen_;
    CQvkdcCnvColData converter_;  // converts the cell a run failed at once more
    std::string cell_;
};

#endif  // QVKDC_TOOLS_CHECK_MODELCHECK_H
