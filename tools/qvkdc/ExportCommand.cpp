#include "ExportCommand.h"

#include <iostream>
#include <set>

#include "CommonOptions.h"
#include "FailureCause.h"
#include "Interruption.h"
#include "StandardOutput.h"
#include "Terminal.h"
#include "entry/QvkdcCreOutputData.h"
#include "platform/ProbingFileSystem.h"
#include "platform/FileSystem.h"

void ExportCommand::AddOptions(CLI::App* cmd) {
    plans_ = AddCallOptions(cmd, &host_, &out_, &name_);
    AddRootAndTraceOptions(cmd, &host_);
    cmd->add_option("--messages", host_.messages,
                    "write the message manager's list to this file");
    cmd->add_option("--report", report_,
                    "write what the export did to this file, as JSON, whatever the outcome");
    cmd->add_flag("--overwrite", overwrite_, "do not ask before overwriting existing files");
    cmd->add_flag("--dry-run", dryRun_,
                  "run the export without writing and list the files it would write, and which exist");
    cmd->add_flag("--quiet", quiet_, "do not list what the export did (failures are still told)");
    AddEncodingOption(cmd, &encoding_);
    cmd->footer(
        "Exit codes: 0 library status >= 0; 1 library status < 0; 2 usage or model file error;\n"
        "3 declined to overwrite; 4 host memory left unreleased; 5 standard output, --trace,\n"
        "--messages or --report could not be written (the status line is still printed).\n"
        "Where more than one applies: 5, then 2, 4, 3, 1. On POSIX, on SIGINT or SIGTERM the\n"
        "file being written fails and is removed, the files written before stay whole; qvkdc\n"
        "tells which plans were written, writes --report and ends by the signal (a shell reports\n"
        "130, 143). docs/exit-codes.md has the details.");
}

int ExportCommand::CheckOutFolder(HostSession& session) const {
    const std::string why = OutFolderProblem(out_, host_.root);
    return why.empty() ? kExitOk : session.Refuse("--out " + out_ + ": " + why);
}

// Every open for writing is probed, so the dry run fails where and as the
// export would: at a file that cannot be written.
int ExportCommand::DryRun(HostSession& session, ExportReport* report) {
    ProbingFileSystem nowhere;
    session.BeginCall();
    {
        const ScopedFileSystem scope(&nowhere);
        QvkdcCreOutputData(session.planCount(), session.plans().data(), out_.c_str(), name_.c_str(),
                           &report->status);
    }
    const CallRecord record = session.EndCall();
    report->called = true;
    TellOptionFile();
    FileSystem* fs = FileSystem::Current();
    std::set<std::string> listed;
    for (const std::string& path : nowhere.Opened()) {
        if (!listed.insert(path).second) continue;  // a later plan of the same name
        std::cout << (fs->Exists(path) ? "exists  " : "new     ") << fs->NativePath(path) << '\n';
    }
    if (report->status < 0) {
        const int count = *session.planCount();
        report->plans = TellPlanOutcomes(session.plans().data(), count, record.calls, report->status);
        report->errors = record.Errors();
        report->ExplainFailure();
        PrintFailure("export --dry-run", report->status, report->failure);
    }
    return session.Conclude(report->status);
}

int ExportCommand::AskBeforeOverwriting(HostSession& session, const std::vector<PlanFile>& files,
                                        ExportReport* report) {
    int status = 0;
    session.BeginCall();
    QvkdcIsExistFileWp(session.planCount(), session.plans().data(), out_.c_str(),
                       name_.c_str(), &status);
    session.EndCall();
    if (status != 1) return kExitOk;
    const std::vector<std::string> existing = ExistingFiles(files);
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
    const int count = *session.planCount();
    const std::vector<PlanFile> files =
        ComposePlanFiles(session.plans().data(), count, out_, name_);
    rc = session.OpenOutputs();
    if (rc != kExitOk) return rc;
    WarnOfLongNames(files, std::cerr);
    if (dryRun_) {
        report->files = files;
        return DryRun(session, report);
    }
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
        rc = AskBeforeOverwriting(session, files, report);
        if (rc != kExitOk) return rc;
    }

    session.BeginCall();
    {
        const Interruption interruption;
        QvkdcCreOutputDataWp(session.planCount(), session.plans().data(), out_.c_str(),
                             name_.c_str(), &report->status);
    }
    const CallRecord record = session.EndCall();
    report->called = true;
    TellOptionFile();
    report->files = files;
    report->plans = TellPlanOutcomes(session.plans().data(), count, record.calls, report->status);
    report->errors = record.Errors();
    if (report->status < 0) report->ExplainFailure();
    report->messages = HostSession::Messages();
    rc = session.Conclude(report->status);

    if (Interruption::Signal() != 0) {
        // The failure the run tells is the write the interruption failed:
        // what counts is which plans were written.
        std::cerr << "qvkdc: export interrupted by " << Interruption::SignalName() << '\n';
        PrintExportSummary(*report, std::cerr);
        return rc;
    }
    if (!quiet_) PrintExportSummary(*report, std::cerr);
    PrintFailure("export", report->status, report->failure);
    return rc;
}

int ExportCommand::WriteReport(const ExportReport& report) {
    if (report_.empty() || reportRefused_) return kExitOk;
    std::string why = reportOut_.IsOpen() ? "" : reportOut_.Open(report_);
    if (why.empty()) {
        reportOut_.Write(ExportJson(report));
        why = reportOut_.Close();
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
    if (Interruption::Signal() != 0) report.exitCode = Interruption::ExitCode();
    const int reported = WriteReport(report);
    return Interruption::Signal() != 0 ? report.exitCode : CombinedExit(report.exitCode, reported);
}
