#include "export/TablesCommand.h"

#include <iostream>
#include <string>

#include "cli/CommonOptions.h"
#include "export/FailureCause.h"
#include "export/TableDump.h"
#include "ExamineTables.h"

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
    ExaminedTables tables;
    tables.Build();
    const int status = tables.FailedStep() == FailStep::kNone ? 0 : kFailureStatus;
    if (status == 0) {
        std::string dump;
        DumpColumns(tables, &dump);
        std::cout << dump << '\n';
        DumpChoices(tables, &dump);
        std::cout << dump;
    }
    TellOptionFile(tables.OptionFile());
    if (status != 0) {
        bool found[kCnvTblFileCount];
        for (int i = 0; i < kCnvTblFileCount; ++i) found[i] = tables.Exists(static_cast<CnvTblIndex>(i));
        FailureDetail detail;
        detail.stop = tables.Stop();
        detail.tableFound = found;
        for (int i = 0; i < kCnvTblFileCount && detail.unreadable.ok(); ++i) {
            detail.unreadable = tables.Unreadable(static_cast<CnvTblIndex>(i));
        }
        CallFailure failure;
        failure.notes = tables.Failures();
        PrintFailure("tables", status, ExplainFailure(failure, detail, FailureContext{}));
    }
    return session.Finish(status);
}
