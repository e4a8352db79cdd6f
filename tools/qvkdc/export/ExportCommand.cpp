#include "export/ExportCommand.h"

#include <iostream>
#include <unordered_set>

#include "cli/CommonOptions.h"
#include "export/FailureCause.h"
#include "export/LoggedPlanOutcomes.h"
#include "report/ReportWriter.h"
#include "system/Interruption.h"
#include "system/StandardOutput.h"
#include "system/Terminal.h"
#include "FileSystem.h"

void ExportCommand::AddOptions(CLI::App* cmd) {
    plans_ = AddCallOptions(cmd, &host_, &out_, &name_);
    AddRootAndTraceOptions(cmd, &host_);
    cmd->add_option("--messages", host_.messages,
                    "write the message manager's list to this file")
        ->type_name("FILE");
    cmd->add_option("--report", report_,
                    "write what the export did to this file, as JSON, whatever the outcome")
        ->type_name("FILE");
    cmd->add_flag("--overwrite", overwrite_, "do not ask before overwriting existing files");
    cmd->add_flag("--dry-run", dryRun_,
                  "run the export without writing and list the files it would write, and which exist");
    cmd->add_flag("--quiet", quiet_, "do not list what the export did (failures are still told)");
    AddEncodingOption(cmd, &encoding_);
}

CommandManual ExportCommand::Manual() const {
    CommandManual manual;
    manual.notes =
        "What export tells and writes: docs/command-line.md; its exit codes in detail:\n"
        "docs/exit-codes.md.\n";
    manual.details = R"(
- Without `--overwrite`, `export` first asks `QvkdcIsExistFileWp`; when
  files exist it asks only when standard input is an interactive console
  (on Windows a console input handle, not NUL, a file or a pipe), and
  otherwise exits 3 without exporting, naming the files that exist.
- Before the library writes anything, `export` checks the files qvkdc
  writes itself (`--trace`, `--messages`, `--report`: an existing folder,
  not a folder themselves) and that `--out` names an existing folder, not a
  file (a blank `--out` goes to the library, which refuses it); a problem is
  a usage error (exit 2) and no file but the report is written.
- A file that cannot be read or written is named with the system's reason
  ("No such file or directory", "Permission denied"; on Windows the
  system's message text); a pipe or device where a table file or the model
  should be is told as such, never opened. Under a file size limit
  (`ulimit -f`) a write that exceeds it fails like one on a full disk: the
  run fails with "File Write" and the earlier file of that name stays as it
  was (docs/integration.md).

What `export` tells, on standard error:

- After the run, each plan with what it gave: the file written and its row
  count, or no file and why: `rejected` (the process and its type that
  cannot be exported), `no processes` (the model database has no process
  data for the plan), `no rows` (its process list is empty); after a
  failure, the plan where it failed and the plans not looked at. Then the
  messages the run left. `--quiet` leaves this out.
- When the run failed, in one or two lines: the step that failed and what
  it concerned (the table files, with the missing ones; the plan and
  process; the output file with the operating system's reason), also with
  `--quiet` and without `--trace`. `exists` and `tables` say why in the
  same way.
- qvkdc learns what the run did from the library itself, in process:
  the library tells it each plan's outcome and, when the run fails, every
  failure line with its step, the host's answer and the system's reason
  (docs/contributing.md, "The examination interface"). Nothing is traced
  unless `--trace` asks for it, and what qvkdc tells does not depend on
  the trace. The benchmark's `workload/library_run_followed` measures
  what following a run costs (docs/performance.md).

`--report FILE` writes the same as JSON for scripts, for every outcome once
the options are parsed: finished, failed, declined to overwrite and refused
(a usage or model file error). `formatVersion` (1; raised only by a change a
script could trip over), `status` (as on the `status:` line; null when no
library call was made), `exitCode`, `refusal` (the usage error, as told on
standard error; null), `existing` (the files that made `export` decline),
`folder`, `plans` (each with `index`, its place in the call, `number`, its
number in the model, `id`, `name`, `outcome` = `written`,
`rejected`, `no-processes`, `no-rows`, `failed` or `not-reached`, `file`,
`rows`, `reason`, and `process` with `id`, `name`, `type` for a rejected or
failed plan), `failure` (`step`, `cause`, `detail`, the library's error
`notes`; null when the run did not fail), `messages` (`title`, `lines`) and
`encoding`, the code page its texts were converted from (`--encoding`, else
the model's, else the system's). Bytes that are not UTF-8 are replaced by
U+FFFD there. Its JSON Schema is `docs/schema/export-report.schema.json`
(draft 2020-12); the `ReportSchema.*` tests validate real reports of every
outcome against it (`tests/tools/validate_report.py SCHEMA REPORT` checks
one by hand).

`--dry-run` runs the export, in process, into a file system that writes
nothing but fails an open where the export's would fail (a folder in the
way, a file that cannot be written), and lists on standard output each file
it would write (`new` or `exists`, and the path), once: plans that are
rejected or give no rows are not listed, and when the run would fail it
says why and lists the files written before. Its `status:` is the run's;
nothing but the trace is written.
)";
    manual.exitCodes = {
        {kExitOk, "library status >= 0"},
        {kExitFailed, "library status < 0"},
        {kExitUsage, "usage or model file error"},
        {kExitExists, "declined to overwrite"},
        {kExitHostMemory, "host memory left unreleased"},
        {kExitOutput,
         "standard output, --trace, --messages or --report could not be written (the status line is "
         "still printed)"},
        {kExitSignal,
         "on POSIX, SIGINT or SIGTERM: the file being written fails and is removed, the files written "
         "before stay whole; qvkdc tells which plans were written, writes --report and ends by the "
         "signal (a shell reports 130, 143); a signal after the run ends it too, as its report says"},
    };
    manual.examples = {
        {"export --model examples/shop/model.json --root examples/shop --out build/demo-out --name SHOP "
         "--overwrite",
         "Exports every plan of the demo shop into build/demo-out/SHOP000.csv, SHOP001.csv, ..."},
        {"export --model examples/shop/model.json --root examples/shop --out build/demo-out --plans 1,0 "
         "--report build/demo-out/report.json",
         "Exports plans 1 and 0, in that order, each into a file named after its plan, and writes what "
         "happened to report.json."},
        {"export --model examples/shop/model.json --root examples/shop --out build/demo-out --name SHOP "
         "--dry-run",
         "Lists the files the export would write, and which of them exist, without writing any."},
    };
    return manual;
}

int ExportCommand::CheckOutFolder(HostSession& session) const {
    const std::string why = OutFolderProblem(out_, host_.root);
    return why.empty() ? kExitOk : session.Refuse("--out " + out_ + ": " + why);
}

void ExportCommand::RunLibrary(HostSession& session, RunFiles files, ExportReport* report, RunResult* run) {
    const int count = *session.planCount();
    RunRequest request;
    request.plans = session.plans().data();
    request.count = count;
    request.out = out_;
    request.name = name_;
    request.files = files;
    LoggedPlanOutcomes outcomes(request.plans, count, session.planNumbers().data());
    *run = RunExport(request, &outcomes);
    report->called = true;
    report->status = run->status;
    report->plans = outcomes.Finish(run->place, run->status);
    report->errors = run->failure;
    report->detail = FailureDetail::Of(*run);
    TellOptionFile(run->optionFile);
}

// Every open for writing is probed, so the dry run fails where and as the
// export would: at a file that cannot be written.
int ExportCommand::DryRun(HostSession& session, ExportReport* report) {
    RunResult run;
    RunLibrary(session, RunFiles::kProbe, report, &run);
    FileSystem* fs = FileSystem::Current();
    std::unordered_set<std::string> listed;
    report->plans.ForEach([&](const PlanOutcome& plan) {
        const std::string file = ExportReport::File(plan);
        if (plan.outcome != Outcome::kWritten || !listed.insert(file).second) return;  // a later plan of the same name
        std::cout << (fs->Exists(plan.path) ? "exists  " : "new     ") << file << '\n';
    });
    if (report->status < 0) {
        report->ExplainFailure();
        PrintFailure("export --dry-run", report->status, report->failure);
    }
    return session.Conclude(report->status);
}

int ExportCommand::AskBeforeOverwriting(HostSession& session, const std::vector<std::string>& existing,
                                        ExportReport* report) {
    const int status = CheckExisting(session.plans().data(), *session.planCount(), out_, name_).status;
    if (status != 1) return kExitOk;
    std::string list;
    for (const std::string& path : existing) list += "\n  " + path;
    if (StdinIsConsole() &&
        AskYesNo("qvkdc: these output files exist:" + list + "\nOverwrite them?")) {
        return kExitOk;
    }
    std::cerr << "qvkdc: nothing was exported: these output files exist (--overwrite replaces them):"
              << list << '\n';
    report->called = true;
    report->status = status;
    report->existing = existing;
    report->messages = HostSession::Messages();
    return CombinedExit(kExitExists, session.Conclude(status));
}

int ExportCommand::Export(HostSession& session, ExportReport* report) {
    if (!report_.empty()) {
        // Checked first, so that every later refusal can still be reported.
        const std::string problem = OutputFileProblem(report_);
        if (!problem.empty()) {
            reportRefused_ = true;
            return session.Refuse("--report " + report_ + ": " + problem);
        }
    }
    int rc = session.LoadModel();
    if (rc == kExitOk) {
        std::string error;
        codePage_ = OpenReportEncoding(encoding_, &error);
        if (codePage_ == nullptr) rc = session.Refuse("--encoding: " + error);
        report->encoding = codePage_.get();
    }
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc == kExitOk) rc = CheckOutFolder(session);
    if (rc != kExitOk) return rc;
    // The plans' files are composed before the trace is set up, which would
    // follow each composition, and one at a time: none is kept.
    const PlanFiles files(session.plans().data(), *session.planCount(), out_, name_);
    std::string refused;
    rc = session.RefuseFilesOfTheCall(
        {{"--report", report_}, {"--trace", session.options().trace}, {"--messages", session.options().messages}},
        files.Count(),
        [&](int k) {
            const PlanFile f = files.At(k);
            return f.made ? f.native : std::string();
        },
        &refused);
    if (rc != kExitOk) {
        // A report in the place of a file of the call is not written.
        reportRefused_ = refused == "--report";
        return rc;
    }
    const std::vector<std::string> warnings = LongNameWarnings(files, session.planNumbers());
    const std::vector<std::string> existing = overwrite_ || dryRun_ ? std::vector<std::string>() : ExistingFiles(files);
    rc = session.OpenOutputs();
    if (rc != kExitOk) return rc;
    for (const std::string& warning : warnings) std::cerr << warning << '\n';
    if (dryRun_) return DryRun(session, report);
    if (!report_.empty()) {
        // Opened before the library writes anything: a report that cannot
        // be written refuses the export.
        const std::string why = reportOut_.Open(report_);
        if (!why.empty()) {
            reportRefused_ = true;
            return session.Refuse("--report " + report_ + ": cannot be written: " + why);
        }
    }
    if (!overwrite_) {
        rc = AskBeforeOverwriting(session, existing, report);
        if (rc != kExitOk) return rc;
    }

    for (int n : session.RepeatedPlans()) {
        std::cerr << "qvkdc: warning: --plans lists plan " << n
                  << " more than once: its file is written each time, the later replacing the earlier\n";
    }
    RunResult run;
    interruption_.emplace();
    RunLibrary(session, RunFiles::kWrite, report, &run);
    interruption_->RunEnded();
    if (report->status < 0) report->ExplainFailure();
    report->messages = HostSession::Messages();
    rc = session.Conclude(report->status);

    if (Interruption::Signal() != 0) {
        // The failure the run tells is the write the interruption failed:
        // what counts is which plans were written.
        toldSignal_ = true;
        std::cerr << "qvkdc: export interrupted by " << Interruption::SignalName() << '\n';
        PrintExportSummary(*report, std::cerr);
        return rc;
    }
    if (!quiet_) PrintExportSummary(*report, std::cerr);
    PrintFailure("export", report->status, report->failure);
    if (host_.plansGiven && report->status >= 0 && report->plans.Count() > 0 && report->plans.Written() == 0) {
        // Even --quiet says it: a selection that writes nothing is no success to pass over.
        std::cerr << "qvkdc: warning: none of the plans --plans selects gave a file (each was rejected or had "
                     "no processes); nothing was written\n";
    }
    return rc;
}

int ExportCommand::WriteReport(const ExportReport& report) {
    if (report_.empty() || reportRefused_) return kExitOk;
    std::string why = reportOut_.IsOpen() ? "" : reportOut_.Open(report_);
    if (why.empty()) {
        ReportWriter out(&reportOut_);
        WriteExportJson(report, &out);
        why = out.Finish();
        const std::string closed = reportOut_.Close();
        if (why.empty()) why = closed;
    }
    return why.empty() ? kExitOk : OutputFailure("--report " + report_, why);
}

int ExportCommand::Run() {
    host_.plansGiven = plans_->count() > 0;
    report_ = AbsolutePath(report_);
    if (dryRun_) {
        // A dry run writes no file of its own but the trace.
        host_.messages.clear();
        report_.clear();
    }
    HostSession session(host_);
    ExportReport report;
    report.folder = out_;
    report.exitCode = Export(session, &report);
    report.refusal = session.Refusal();
    // Standard output is closed before the report is written, so that the
    // report's exit code holds its failure too.
    if (report.called) HostSession::PrintStatus(report.status);
    report.exitCode = StandardOutput::Close(report.exitCode);
    // A signal that comes after the run still ends qvkdc: the report says
    // so. One that comes while the report is written has it written again;
    // after that, signals are held off, so the parent sees what it says.
    int reported = kExitOk;
    for (int signal = -1; signal != Interruption::Signal();) {
        signal = Interruption::Signal();
        if (signal != 0) report.exitCode = Interruption::ExitCode();
        reported = WriteReport(report);
        Interruption::Hold();
    }
    if (Interruption::Signal() != 0 && !toldSignal_) {
        std::cerr << "qvkdc: ended by " << Interruption::SignalName() << ", which came after the run\n";
    }
    return Interruption::Signal() != 0 ? report.exitCode : CombinedExit(report.exitCode, reported);
}
