#include "CheckCommand.h"

#include <filesystem>
#include <iostream>

#include "FailureCause.h"
#include "HostSession.h"
#include "SystemFiles.h"
#include "check/Checker.h"

void CheckCommand::AddOptions(CLI::App* cmd) {
    cmd->add_option("--root", root_,
                    "root of the tables and the option file (default: the current directory)");
    cmd->add_option("--model", model_, "also check this model file (JSON) against the tables");
    cmd->add_option("--format", format_, "report format: text (default), json or html")
        ->check(CLI::IsMember({"text", "json", "html"}));
    cmd->add_option("--out", out_, "write the report to this file");
}

int CheckCommand::Run() {
    HostOptions host;
    host.model = model_;
    host.root = root_;
    const std::string out = out_.empty() ? out_ : std::filesystem::absolute(out_).string();
    HostSession session(host);
    int rc = session.LoadModel();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;

    std::string displayRoot = root_;
    if (!displayRoot.empty() && displayRoot.back() != '/' && displayRoot.back() != '\\') displayRoot += '/';
    // Told on stderr, outside the findings: most likely the wrong root.
    std::string tables;
    if (!TablesFolderExists(&tables)) {
        std::cerr << "qvkdc: note: there is no tables folder " << tables
                  << "; --root names the folder that holds MIRVANE\n";
    }
    Checker checker(displayRoot, model_);
    checker.Run();
    const std::string report = checker.Report(format_);
    if (out.empty()) {
        std::cout << report << std::flush;
    } else {
        const std::string why = WriteWholeFile(out, report);
        if (!why.empty()) {
            std::cerr << "qvkdc: " << out_ << ": cannot be written: " << why << '\n';
            return kExitUsage;
        }
        std::cout << checker.Findings().Summary() << '\n';
    }
    return checker.Findings().HasErrors() ? kExitFailed : kExitOk;
}
