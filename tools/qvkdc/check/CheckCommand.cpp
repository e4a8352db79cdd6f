#include "check/CheckCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "HostSession.h"
#include "check/Checker.h"

CLI::App* AddCheckCommand(CLI::App* app, CheckOptions* options) {
    CLI::App* cmd = app->add_subcommand(
        "check", "find mistakes in the tables, the option file and a model before an export");
    cmd->add_option("--root", options->root,
                    "root of the tables and the option file (default: the current directory)");
    cmd->add_option("--model", options->model, "also check this model file (JSON) against the tables");
    cmd->add_option("--format", options->format, "report format: text (default), json or html")
        ->check(CLI::IsMember({"text", "json", "html"}));
    cmd->add_option("--out", options->out, "write the report to this file");
    return cmd;
}

int RunCheck(const CheckOptions& options) {
    HostOptions host;
    host.model = options.model;
    host.root = options.root;
    std::string out = options.out;
    if (!out.empty()) out = std::filesystem::absolute(out).string();
    HostSession session(host);
    int rc = session.Prepare();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;

    std::string displayRoot = options.root;
    if (!displayRoot.empty() && displayRoot.back() != '/' && displayRoot.back() != '\\') displayRoot += '/';
    Checker checker(displayRoot, options.model);
    checker.Run();
    const std::string report = checker.Report(options.format);
    if (out.empty()) {
        std::cout << report << std::flush;
    } else {
        std::ofstream file(out, std::ios::binary | std::ios::trunc);
        file << report;
        if (!file.flush()) {
            std::cerr << "qvkdc: " << options.out << ": cannot be written\n";
            return kExitUsage;
        }
        std::cout << checker.Findings().Summary() << '\n';
    }
    return checker.Findings().HasErrors() ? kExitFailed : kExitOk;
}
