#include "ExistsCommand.h"

#include <iostream>

#include "CommonOptions.h"
#include "FailureCause.h"
#include "PlanFiles.h"
#include "PlanOutcome.h"

void ExistsCommand::AddOptions(CLI::App* cmd) {
    plans_ = AddCallOptions(cmd, &host_, &out_, &name_);
    AddRootAndTraceOptions(cmd, &host_);
    cmd->add_flag("--quiet", quiet_, "do not list the files that exist");
    AddLibraryCallFooter(cmd);
}

int ExistsCommand::Run() {
    host_.plansGiven = plans_->count() > 0;
    HostSession session(host_);
    int rc = session.LoadModel();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;
    const std::vector<PlanFile> files =
        ComposePlanFiles(session.plans().data(), *session.planCount(), out_, name_);
    rc = session.OpenOutputs();
    if (rc != kExitOk) return rc;
    WarnOfLongNames(files, std::cerr);
    int status = 0;
    session.BeginCall();
    QvkdcIsExistFileWp(session.planCount(), session.plans().data(), out_.c_str(),
                       name_.c_str(), &status);
    const CallRecord record = session.EndCall();
    if (status < 0) {
        // The check stops at the first path that exists or cannot be made.
        FailureContext context;
        for (std::size_t i = 0; i < files.size() && !files[i].exists; ++i) {
            if (files[i].made) continue;
            context.plan = "plan " + std::to_string(i) + " (" + IdText(session.plans()[i]) + ")";
            break;
        }
        const std::vector<std::string> why = ExplainFailure(record.Errors(), context);
        PrintFailure("exists", status, why);
    } else if (status == 1 && !quiet_) {
        std::cerr << "qvkdc: these output files exist:\n";
        for (const std::string& path : ExistingFiles(files)) std::cerr << "  " << path << '\n';
    }
    return session.Finish(status);
}
