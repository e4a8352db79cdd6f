#include "TablesCommand.h"

#include <iostream>
#include <string>

#include "CommonOptions.h"
#include "FailureCause.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

// The table steps of an export, stopping at the first failure as the export
// would. Returns 0, or the failed step's result with the step in *step.
int BuildTables(CQvkdcCnvTblCtrl& tables, FailStep* step) {
    int rc = tables.ImpCnvTbl();
    if (rc == 0) {
        rc = tables.CreColTbl();
        if (rc == 0) {
            rc = tables.CreSlctTbl();
            if (rc != 0) *step = FailStep::kCreSlctTbl;
        } else {
            *step = FailStep::kCreColTbl;
        }
    } else {
        *step = FailStep::kImpCnvTbl;
    }
    return rc == 0 ? 0 : rc < 0 ? rc : -1;
}

}  // namespace

void TablesCommand::AddOptions(CLI::App* cmd) {
    AddRootAndTraceOptions(cmd, &host_);
    AddLibraryCallFooter(cmd);
}

int TablesCommand::Run() {
    HostSession session(host_);
    int rc = session.LoadModel();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc == kExitOk) rc = session.OpenOutputs();
    if (rc != kExitOk) return rc;
    int status = 0;
    FailStep step = FailStep::kNone;
    session.BeginCall();
    {
        CQvkdcCnvTblCtrl tables;
        status = BuildTables(tables, &step);
        if (status == 0) {
            std::string dump;
            tables.GetColTbl()->DumpTbl(dump);
            std::cout << dump << '\n';
            tables.GetSlctTbl()->DumpTbl(dump);
            std::cout << dump;
        }
    }
    CallRecord record = session.EndCall();
    TellOptionFile();
    if (status != 0) {
        std::vector<std::string> errors = record.Errors();
        errors.emplace_back(FailurePointOf(step).Note());
        const std::vector<std::string> why = ExplainFailure(errors, FailureContext{});
        PrintFailure("tables", status, why);
    }
    return session.Finish(status);
}
