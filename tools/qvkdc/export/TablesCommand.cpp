#include "export/TablesCommand.h"

#include <iostream>
#include <string>

#include "cli/CommonOptions.h"
#include "export/FailureCause.h"
#include "export/TableDump.h"
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
}

CommandManual TablesCommand::Manual() const {
    CommandManual manual;
    manual.details = R"(
`tables` builds the column table and the selection table from the tables
under the root, by the steps an export takes, and prints both dumps. When a
step fails it says which, and why, as `export` does.
)";
    manual.exitCodes = LibraryCallExitCodes();
    manual.examples = {
        {"tables --root examples/shop", "Prints the demo shop's column and selection tables."},
    };
    return manual;
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
            DumpColumns(*tables.GetColTbl(), &dump);
            std::cout << dump << '\n';
            DumpChoices(*tables.GetSlctTbl(), &dump);
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
