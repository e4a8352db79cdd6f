// qvkdc: the command-line host. It stands in for the CAM application: it
// loads a model file into the stand-in host and calls the library's two
// exported functions, or builds the conversion tables and prints or checks
// them.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "HostSession.h"
#include "TablesCommand.h"
#include "Terminal.h"
#include "check/CheckCommand.h"
#include "qvkdc/qvkdc.h"

namespace {

struct Args {
    HostOptions host;
    std::string out;
    std::string name;
    bool overwrite = false;
};

void AddCommon(CLI::App* cmd, Args* args, CLI::Option** plans) {
    cmd->add_option("--model", args->host.model, "model file (JSON)")->required();
    cmd->add_option("--out", args->out, "output folder, passed to the library as it stands")->required();
    cmd->add_option("--name", args->name, "output name (default: empty)");
    *plans = cmd->add_option("--plans", args->host.plans,
                             "comma-separated 0-based plan indexes (default: all)");
}

void AddTrace(CLI::App* cmd, Args* args) {
    cmd->add_option("--root", args->host.root,
                    "working directory of the call; stands for the root of the current drive");
    cmd->add_option("--trace", args->host.trace, "write the trace to this file");
    cmd->add_option("--trace-ids", args->host.traceIds,
                    "comma-separated trace ids to switch on (default: all)");
}

int RunExists(Args& args) {
    HostSession session(args.host);
    int rc = session.Prepare();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;
    int status = 0;
    QvkdcIsExistFileWp(session.planCount(), session.plans().data(),
                       args.out.c_str(), args.name.c_str(), &status);
    return session.Finish(status);
}

int RunExport(Args& args) {
    HostSession session(args.host);
    int rc = session.Prepare();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;
    int status = 0;
    if (!args.overwrite) {
        QvkdcIsExistFileWp(session.planCount(), session.plans().data(),
                           args.out.c_str(), args.name.c_str(), &status);
        if (status == 1) {
            const std::string question =
                "qvkdc: output files already exist in " + args.out + ". Overwrite them?";
            if (!StdinIsTerminal() || !AskYesNo(question)) {
                std::cerr << "qvkdc: output files exist in " << args.out
                          << "; nothing was exported (use --overwrite to replace them)\n";
                const int finished = session.Finish(status);
                return finished == kExitHostMemory ? finished : kExitExists;
            }
        }
    }
    QvkdcCreOutputDataWp(session.planCount(), session.plans().data(),
                         args.out.c_str(), args.name.c_str(), &status);
    return session.Finish(status);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"qvkdc: export the machining knowledge of CAM plans as CSV files"};
    app.require_subcommand(1);
    Args args;

    CLI::App* exportCmd = app.add_subcommand("export", "write one CSV file per plan");
    CLI::Option* exportPlans = nullptr;
    AddCommon(exportCmd, &args, &exportPlans);
    AddTrace(exportCmd, &args);
    exportCmd->add_option("--messages", args.host.messages,
                          "write the message manager's list to this file");
    exportCmd->add_flag("--overwrite", args.overwrite,
                        "do not ask before overwriting existing files");

    CLI::App* existsCmd = app.add_subcommand("exists", "tell whether any output file exists");
    CLI::Option* existsPlans = nullptr;
    AddCommon(existsCmd, &args, &existsPlans);
    AddTrace(existsCmd, &args);

    CLI::App* tablesCmd = app.add_subcommand("tables", "build and print the conversion tables");
    AddTrace(tablesCmd, &args);

    CheckOptions checkOptions;
    CLI::App* checkCmd = AddCheckCommand(&app, &checkOptions);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? kExitOk : kExitUsage;
    }

    if (*exportCmd) {
        args.host.plansGiven = exportPlans->count() > 0;
        return RunExport(args);
    }
    if (*existsCmd) {
        args.host.plansGiven = existsPlans->count() > 0;
        return RunExists(args);
    }
    if (*checkCmd) return RunCheck(checkOptions);
    return RunTables(args.host);
}
