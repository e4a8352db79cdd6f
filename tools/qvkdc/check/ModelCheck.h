// ModelCheck: a model against the tables, found by running the library's own
// export over every plan, in process, through the stand-in host, into a file
// system that writes nothing. Every failure is reported where the export
// meets it (the plan, the process, the column and the host call that
// failed), and the run goes on with the plan after it. Then, for the plans
// the export writes, the library's converter is run once more cell by cell
// while the stand-in logs the parameters it asks for, to tell why cells come
// out empty or wrong: parameters missing or of another kind than the
// column's, codes without a choice, tool names too long for the tool text
// lookup. Last, the names of the written plans: files that collide or land
// outside the output folder with a blank output name.
#ifndef QVKDC_TOOLS_CHECK_MODELCHECK_H
#define QVKDC_TOOLS_CHECK_MODELCHECK_H

#include <set>
#include <string>
#include <vector>

#include "PlanOutcome.h"
#include "check/CheckContext.h"
#include "check/ValueTally.h"
#include "convert/CQvkdcCnvColData.h"
#include "entry/QvkdcOutputRun.h"
#include "host/Qdgm.h"

class ModelCheck {
 public:
    // modelFile: the model's name as shown in findings. REQUIRES: the model
    // is loaded into the host and the tables were built without failure.
    ModelCheck(const CheckContext& ctx, std::string modelFile);
    void Run();

 private:
    // Runs the export over the plans from index first on. Returns the index
    // of the plan it failed at, or the plan count when it did not fail.
    int RunExport(int first);
    void ReportFailure(const QvkdcRunPlace& place, const std::vector<QvsimCall>& calls,
                       const std::string& errors);
    // What the failing host call of calls (after the last process type
    // inquiry) was, in the user's terms; "" when none failed.
    std::string FailedCall(const std::vector<QvsimCall>& calls, const QvkdcRunPlace& place) const;
    void ReportRejected(const PlanOutcome& o, const std::vector<QvsimCall>& calls, int rejectedBefore);

    void Explain(int plan);
    void ExplainCell(int column, const ModelId& id, QdgmPrcsRec* rec, const std::string& where);
    void CheckTool(const QdgmPrcsRec& rec, int column, const std::string& where);
    void CheckFileNames();

    std::string PlanName(int index) const;

    const CheckContext& ctx_;
    std::string file_;
    std::vector<ModelId> plans_;
    std::vector<PlanOutcome> outcomes_;  // per plan, once its run looked at it
    CQvkdcCnvColData converter_;
    std::string cell_;
    ValueTally tally_;
    std::set<std::string> toolsSeen_;
};

#endif  // QVKDC_TOOLS_CHECK_MODELCHECK_H
