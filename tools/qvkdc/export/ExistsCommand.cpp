#include "export/ExistsCommand.h"

#include <iostream>

#include "cli/CommonOptions.h"
#include "export/FailureCause.h"
#include "export/PlanFiles.h"
#include "export/PlanOutcome.h"
#include "ExamineRun.h"

void ExistsCommand::AddOptions(CLI::App* cmd) {
    plans_ = AddCallOptions(cmd, &host_, &out_, &name_);
    AddRootAndTraceOptions(cmd, &host_);
    cmd->add_flag("--quiet", quiet_, "do not list the files that exist");
}

CommandManual ExistsCommand::Manual() const {
    CommandManual manual;
    manual.details = R"(
`exists` answers what the CAM application asks before an export: its
`status:` is 1 when a file or folder exists at any of the paths the export
would write, 0 when none does, and -1 on an invalid argument or a path that
cannot be made (over 511 characters, or a plan name the model database
cannot give). It names the files that exist on standard error, one per line
below a heading, before the status line; `--quiet` leaves the list out.
)";
    manual.exitCodes = LibraryCallExitCodes();
    manual.examples = {
        {"exists --model examples/shop/model.json --root examples/shop --out build/demo-out --name SHOP",
         "Tells whether the demo's export would overwrite a file: status: 1 after the demo has run."},
    };
    return manual;
}

int ExistsCommand::Run() {
    host_.plansGiven = plans_->count() > 0;
    HostSession session(host_);
    int rc = session.LoadModel();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;
    // Every file is composed before the trace is set up, which would follow
    // each composition.
    const PlanFiles files(session.plans().data(), *session.planCount(), out_, name_);
    const std::vector<std::string> existing = ExistingFiles(files);
    // The check stops at the first path that exists or cannot be made.
    int unmade = -1;
    for (int i = 0; i < files.Count() && unmade < 0; ++i) {
        const PlanFile file = files.At(i);
        if (file.exists) break;
        if (!file.made) unmade = i;
    }
    const std::vector<std::string> warnings = LongNameWarnings(files, session.planNumbers());
    rc = session.OpenOutputs();
    if (rc != kExitOk) return rc;
    for (const std::string& warning : warnings) std::cerr << warning << '\n';
    const ExistResult result = CheckExisting(session.plans().data(), *session.planCount(), out_, name_);
    const int status = result.status;
    if (status < 0) {
        FailureContext context;
        if (unmade >= 0) {
            const std::size_t i = static_cast<std::size_t>(unmade);
            context.plan = "plan " + std::to_string(session.planNumbers()[i]) + " (" + IdText(session.plans()[i]) + ")";
        }
        const std::vector<std::string> why = ExplainFailure(result.failure, FailureDetail(), context);
        PrintFailure("exists", status, why);
    } else if (status == 1 && !quiet_) {
        std::cerr << "qvkdc: these output files exist:\n";
        for (const std::string& path : existing) std::cerr << "  " << path << '\n';
    }
    return session.Finish(status);
}
