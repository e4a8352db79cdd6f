#include "check/CheckCommand.h"

#include <filesystem>
#include <iostream>
#include <sstream>

#include "cli/CommonOptions.h"
#include "export/FailureCause.h"
#include "export/PlanFiles.h"
#include "session/HostSession.h"
#include "cli/Suggest.h"
#include "system/SystemFiles.h"
#include "TextEncoding.h"
#include "check/Checker.h"
#include "check/FindingCodes.h"
#include "report/HtmlWriter.h"
#include "report/ReportWriter.h"
#include "serve/LiveCheck.h"
#include "CnvTblFiles.h"
#include "FileSystem.h"

namespace {

// The names of every code, for did-you-mean.
std::vector<std::string_view> AllCodeNames() {
    std::vector<std::string_view> names;
    for (const FindingCodeEntry& entry : AllFindingCodes()) names.emplace_back(entry.name);
    return names;
}

// "" with the code named name in *code when its findings can be ignored,
// else why not.
std::string IgnoredCode(const std::string& name, FindingCode* code) {
    const FindingCodeEntry* entry = FindFindingCode(name);
    if (entry == nullptr) {
        const std::string near = Nearest(name, AllCodeNames(), kCommandLineRule);
        return "no finding is called " + name + (near.empty() ? "" : "; did you mean " + near + "?");
    }
    if (!CanBeIgnored(*entry)) return name + " is an error: the export fails at it, so it cannot be ignored";
    *code = entry->code;
    return std::string();
}

}  // namespace

void CheckCommand::AddOptions(CLI::App* cmd) {
    cmd->add_option("--root", host_.root,
                    "root of the tables and the option file (default: the current directory)")
        ->type_name("DIR");
    cmd->add_option("--model", host_.model, "also check this model file (JSON) against the tables")
        ->type_name("FILE");
    // With the export's meaning: the export of these plans into this folder
    // under this name is what --model checks.
    plans_ = AddOutputOptions(cmd, &host_, &call_.out, &call_.name, false);
    out_ = cmd->get_option("--out");
    name_ = cmd->get_option("--name");
    cmd->add_option("--format", format_, "report format: text (default), json or html")
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"text", "json", "html"}));
    cmd->add_option("--report", report_, "write the report to this file")->type_name("FILE");
    AddEncodingOption(cmd, &encoding_);
    cmd->add_flag("--strict", strict_, "warnings fail the check too (exit 1), so that it can gate an export");
    cmd->add_option("--ignore", ignore_,
                    "accept the warnings and notes of this finding code (repeatable): they are counted as "
                    "ignored, not listed, and do not fail --strict")
        ->type_name("CODE")
        ->allow_extra_args(false);
    CLI::Option* serve = cmd->add_flag(
        "--serve", serve_,
        "serve the check's page at http://127.0.0.1:PORT/ and check again whenever a table, the option file or "
        "the model changes; every open page follows; Ctrl-C ends it");
    cmd->add_option("--port", port_, "the port of --serve (default: a free one)")
        ->type_name("N")
        ->check(CLI::Range(1, 65535))
        ->needs(serve);
    cmd->add_flag("--open", open_, "open the page of --serve in the system's browser")->needs(serve);
}

CommandManual CheckCommand::Manual() const {
    CommandManual manual;
    manual.notes =
        "With --model, --out, --name and --plans are those of the export to check: with --out, every\n"
        "file is composed and met as that export will meet it, and exit 0 means it will finish.\n"
        "Ignored warnings and notes are counted, not listed, and fail no --strict.\n"
        "The tables and the option file are described in docs/configuration.md,\n"
        "the findings in docs/check.md.\n";
    manual.details = R"(
`check` builds the tables by the library's own steps and, with `--model`,
runs the library's export over every plan into a file system that writes
nothing, and reports every mistake that makes the export fail (where the
export meets it) or write empty cells, shifted columns or misplaced files,
one line each in the form `FILE:LINE: error|warning|note: message [code]`,
then the count. `--format json` writes the findings with the column table
as the export will write it, `--format html` a self-contained page with the
column table and the findings beside its rows; `--report` writes the report
to a file, and `--encoding` names the code page the texts are converted
from for the JSON and HTML reports.

Exit 0 without errors means that the export of that model with those tables
does not fail before it writes its files (with `--out`: it finishes). `check`
calls neither exported function and prints no `status:` line. Without a
tables folder under the root it says so on standard error and points to
`--root` (not a finding).
)";
    manual.exitCodes = {
        {kExitOk, "no error (with --strict: no error and no warning)"},
        {kExitFailed, "an error (with --strict: or a warning)"},
        {kExitUsage,
         "a bad option (an --ignore of a code that is no finding's, or only an error's, too), a model file "
         "that cannot be loaded, or a root that does not exist"},
        {kExitOutput, "the report or standard output could not be written"},
    };
    manual.examples = {
        {"check --root examples/shop --model examples/shop/model.json",
         "Checks the demo shop's tables, option file and model, and lists the findings."},
        {"check --root examples/shop --model examples/shop/model.json --format html --report check.html",
         "Writes the same findings as a page beside the column table."},
        {"check --root examples/shop --model examples/shop/model.json --out build/demo-out --name SHOP "
         "--strict",
         "Gates the demo's export: exit 0 only when it will finish without an error or a warning."},
    };
    return manual;
}

int CheckCommand::Run() {
    std::vector<FindingCode> ignored;
    for (const std::string& name : ignore_) {
        FindingCode code{};
        const std::string why = IgnoredCode(name, &code);
        if (!why.empty()) {
            std::cerr << "qvkdc check: --ignore: " << why << '\n';
            return kExitUsage;
        }
        ignored.push_back(code);
    }
    if (host_.model.empty()) {
        // --out was once the report's file; it now names the export's folder.
        for (const CLI::Option* given : {out_, name_, plans_}) {
            if (given->count() == 0) continue;
            std::cerr << "qvkdc: check: " << given->get_name() << " belongs to the export checked with --model"
                      << (given == out_ ? "; the report goes to a file with --report FILE\n" : "\n");
            return kExitUsage;
        }
    }
    host_.plansGiven = plans_->count() > 0;
    call_.plansGiven = host_.plansGiven;
    call_.outGiven = out_->count() > 0;
    call_.root = host_.root;
    if (serve_) {
        if (!report_.empty() || format_ != "text") {
            std::cerr << "qvkdc: check --serve serves the HTML page: --report and --format do not go with it\n";
            return kExitUsage;
        }
        return Serve(ignored);
    }
    return CheckOnce(ignored, report_.empty() ? report_ : std::filesystem::absolute(report_).string(), nullptr);
}

int CheckCommand::CheckOnce(const std::vector<FindingCode>& ignored, const std::string& report, std::string* page) {
    HostSession session(host_);
    int rc = session.LoadModel();
    std::string error;
    const std::unique_ptr<TextEncoding> encoding = OpenReportEncoding(encoding_, &error);
    if (rc == kExitOk && encoding == nullptr) {
        std::cerr << "qvkdc check: --encoding: " << error << '\n';
        rc = kExitUsage;
    }
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) {
        lastSummary_ = session.Refusal().empty() ? error : session.Refusal();
        return rc;
    }
    // Valid once the model loaded: the session parsed the same list.
    call_.plans.clear();
    if (call_.plansGiven) ParseIntList(host_.plans, &call_.plans);
    if (!report.empty()) {
        const PlanFiles files(session.plans().data(), *session.planCount(), call_.out, call_.name);
        rc = session.RefuseFilesOfTheCall({{"--report", report}}, call_.outGiven ? files.Count() : 0, [&](int k) {
            const PlanFile f = files.At(k);
            return f.made ? f.native : std::string();
        });
        if (rc != kExitOk) return rc;
    }

    std::string displayRoot = host_.root;
    if (!displayRoot.empty() && displayRoot.back() != '/' && displayRoot.back() != '\\') displayRoot += '/';
    // Told on stderr, outside the findings: most likely the wrong root.
    std::string tables;
    if (!TablesFolderExists(&tables)) {
        std::cerr << "qvkdc: note: there is no tables folder " << tables
                  << "; --root names the folder that holds MIRVANE\n";
    }
    const std::string format = page != nullptr ? "html" : format_;
    Checker checker(displayRoot, host_.model, encoding.get(), call_);
    if (format == "html") checker.KeepPreview();
    checker.Ignore(ignored);
    checker.Run();
    if (page != nullptr) {
        std::ostringstream html;
        ReportWriter writer(&html);
        checker.Report(format, &writer);
        writer.Finish();
        *page = html.str();
        lastSummary_ = checker.Findings().Summary();
        return kExitOk;
    }
    const std::string why = WriteReport(report, [&](ReportWriter* writer) { checker.Report(format, writer); });
    if (!why.empty()) return OutputFailure(report_, why);
    if (!report.empty()) std::cout << checker.Findings().Summary() << '\n';
    const FindingList& findings = checker.Findings();
    const bool fails = findings.HasErrors() || (strict_ && findings.Count(Severity::kWarning) > 0);
    return fails ? kExitFailed : kExitOk;
}

int CheckCommand::Serve(const std::vector<FindingCode>& ignored) {
    LiveCheckOptions options;
    options.port = port_;
    options.open = open_;
    // The files a check reads, absolute: the check goes into the root. Their
    // host paths ("\MIRVANE\...") start at the root.
    const std::filesystem::path root = std::filesystem::absolute(host_.root.empty() ? "." : host_.root);
    const auto below = [&](std::string_view hostPath) {
        return (root / FileSystem::Default()->NativePath(hostPath.substr(1))).lexically_normal().string();
    };
    for (const CnvTblFile& table : kCnvTblFiles) options.files.push_back(below(table.path));
    options.files.push_back(below(kOptionFilePath));
    if (!host_.model.empty()) options.files.push_back(std::filesystem::absolute(host_.model).string());
    const std::filesystem::path here = std::filesystem::current_path();
    return ServeLiveCheck(
        options,
        [&] {
            CheckedPage page;
            std::error_code ec;
            std::filesystem::current_path(here, ec);  // each check enters the root anew
            if (CheckOnce(ignored, "", &page.html) != kExitOk) {
                // The model or the root cannot be used now: the page says why
                // until the next change.
                page.html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>qvkdc check</title></head><body>"
                            "<p>The check could not run: " + HtmlEscaped(lastSummary_) + "</p></body></html>\n";
                lastSummary_ = "the check could not run: " + lastSummary_;
            }
            page.summary = lastSummary_;
            return page;
        },
        std::cout);
}
