#include "ExportCommand.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "CommonOptions.h"
#include "ExportReport.h"
#include "FailureCause.h"
#include "Terminal.h"
#include "model/TextTrim.h"
#include "platform/FileSystem.h"

void ExportCommand::AddOptions(CLI::App* cmd) {
    plans_ = AddCallOptions(cmd, &host_, &out_, &name_);
    AddRootAndTraceOptions(cmd, &host_);
    cmd->add_option("--messages", host_.messages,
                    "write the message manager's list to this file");
    cmd->add_option("--report", report_, "write what the export did to this file, as JSON");
    cmd->add_flag("--overwrite", overwrite_, "do not ask before overwriting existing files");
    cmd->add_flag("--dry-run", dryRun_,
                  "list the files the export would write and which exist; write nothing");
    cmd->add_flag("--quiet", quiet_, "do not list what the export did (failures are still told)");
}

int ExportCommand::CheckOutFolder() const {
    if (TrimSpace(out_).empty()) return kExitOk;  // the library's own check refuses it
    const std::string native = FileSystem::Current()->NativePath(out_);
    std::error_code ec;
    if (std::filesystem::is_directory(native, ec)) return kExitOk;
    std::cerr << "qvkdc: --out " << out_ << ": no such folder";
    if (!host_.root.empty() && std::filesystem::path(native).is_relative()) {
        std::cerr << " (below --root " << host_.root << ")";
    }
    std::cerr << '\n';
    return kExitUsage;
}

int ExportCommand::DryRun(HostSession& session, const std::vector<PlanFile>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PlanFile& file = files[i];
        if (file.made) {
            std::cout << (file.exists ? "exists  " : "new     ") << file.native << '\n';
        } else {
            std::cout << "no-name plan " << i << ": " << ExplainNote(file.error) << '\n';
        }
    }
    int status = 0;
    session.BeginCall();
    QvkdcIsExistFileWp(session.planCount(), session.plans().data(), out_.c_str(),
                       name_.c_str(), &status);
    session.EndCall();
    return session.Finish(status);
}

int ExportCommand::AskBeforeOverwriting(HostSession& session, const std::vector<PlanFile>& files) {
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
    const int finished = session.Finish(status);
    return finished == kExitHostMemory ? finished : kExitExists;
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
    int rc = session.LoadModel();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc == kExitOk) rc = CheckOutFolder();
    if (rc != kExitOk) return rc;
    const int count = *session.planCount();
    const std::vector<PlanFile> files =
        ComposePlanFiles(session.plans().data(), count, out_, name_);
    rc = session.OpenOutputs({{"--report", report_}});
    if (rc != kExitOk) return rc;
    if (dryRun_) return DryRun(session, files);
    if (!overwrite_) {
        rc = AskBeforeOverwriting(session, files);
        if (rc != kExitOk) return rc;
    }
    std::ofstream reportOut;
    if (!report_.empty()) {
        reportOut.open(report_, std::ios::binary | std::ios::trunc);
        if (!reportOut) {
            std::cerr << "qvkdc: --report " << report_ << ": cannot be written\n";
            return kExitUsage;
        }
    }

    ExportReport report;
    session.BeginCall();
    QvkdcCreOutputDataWp(session.planCount(), session.plans().data(), out_.c_str(),
                         name_.c_str(), &report.status);
    const CallRecord record = session.EndCall();
    report.folder = out_;
    report.files = files;
    report.plans = TellPlanOutcomes(session.plans().data(), count, record.calls, report.status);
    report.errors = record.Errors();
    if (report.status < 0) report.ExplainFailure();
    report.messages = HostSession::Messages();
    report.exitCode = session.Conclude(report.status);

    if (!quiet_) PrintExportSummary(report, std::cerr);
    PrintFailure("export", report.status, report.failure);
    if (reportOut.is_open()) {
        WriteExportJson(report, reportOut);
        reportOut.close();
        if (!reportOut) {
            std::cerr << "qvkdc: --report " << report_ << ": cannot be written\n";
            report.exitCode = kExitUsage;
        }
    }
    HostSession::PrintStatus(report.status);
    return report.exitCode;
}
