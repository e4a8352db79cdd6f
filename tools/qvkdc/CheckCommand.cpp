#include "CheckCommand.h"

#include <filesystem>
#include <iostream>

#include "CommonOptions.h"
#include "FailureCause.h"
#include "HostSession.h"
#include "SystemFiles.h"
#include "TextEncoding.h"
#include "check/Checker.h"
#include "check/ReportWriter.h"

void CheckCommand::AddOptions(CLI::App* cmd) {
    cmd->add_option("--root", root_,
                    "root of the tables and the option file (default: the current directory)");
    cmd->add_option("--model", model_, "also check this model file (JSON) against the tables");
    cmd->add_option("--format", format_, "report format: text (default), json or html")
        ->check(CLI::IsMember({"text", "json", "html"}));
    cmd->add_option("--out", out_, "write the report to this file");
    AddEncodingOption(cmd, &encoding_);
    cmd->add_flag("--strict", strict_, "warnings fail the check too (exit 1), so that it can gate an export");
    cmd->footer(
        "Exit codes: 0 no error (with --strict: no error and no warning); 1 an error (with --strict:\n"
        "or a warning); 2 a bad option, a model file that cannot be loaded, or a root that does\n"
        "not exist; 5 the report or standard output could not be written. Where more than one\n"
        "applies: 5, then 2, 1.\n"
        "The tables and the option file are described in docs/configuration.md,\n"
        "the findings in docs/check.md.");
}

int CheckCommand::Run() {
    HostOptions host;
    host.model = model_;
    host.root = root_;
    const std::string out = out_.empty() ? out_ : std::filesystem::absolute(out_).string();
    HostSession session(host);
    int rc = session.LoadModel();
    std::string error;
    const std::unique_ptr<TextEncoding> encoding = OpenReportEncoding(encoding_, &error);
    if (rc == kExitOk && encoding == nullptr) {
        std::cerr << "qvkdc check: --encoding: " << error << '\n';
        rc = kExitUsage;
    }
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
    Checker checker(displayRoot, model_, encoding.get());
    checker.Run();
    if (out.empty()) {
        // A failure of the standard output is told once, when it closes.
        ReportWriter writer(&std::cout);
        checker.Report(format_, &writer);
        writer.Finish();
    } else {
        OutputFile file;
        std::string why = file.Open(out);
        if (why.empty()) {
            ReportWriter writer(&file);
            checker.Report(format_, &writer);
            why = writer.Finish();
            const std::string closed = file.Close();
            if (why.empty()) why = closed;
        }
        if (!why.empty()) return OutputFailure(out_, why);
        std::cout << checker.Findings().Summary() << '\n';
    }
    const FindingList& findings = checker.Findings();
    const bool fails = findings.HasErrors() || (strict_ && findings.Count(Severity::kWarning) > 0);
    return fails ? kExitFailed : kExitOk;
}
