// `qvkdc export`: checks what it can, asks the library's existence check
// first (unless --overwrite), runs the library's export, and says what the
// run did, as the run told it (ExamineRun.h): each
// file written with its rows, each plan that gave no file and why, the
// messages left, and why the run failed. --report says the same as JSON for
// every outcome, refusals included. --dry-run runs the library's export in
// process into a file system that writes nothing, but fails an open where
// the export's would, and lists the files it would write. SIGINT or SIGTERM during the library's run fails the write
// at hand (Interruption): the command tells which plans were written,
// writes the report and ends by the signal.
#ifndef QVKDC_TOOLS_EXPORT_EXPORTCOMMAND_H
#define QVKDC_TOOLS_EXPORT_EXPORTCOMMAND_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommonOptions.h"
#include "export/ExportReport.h"
#include "session/HostSession.h"
#include "export/PlanFiles.h"
#include "system/Interruption.h"
#include "system/SystemFiles.h"
#include "ExamineRun.h"
#include "TextEncoding.h"

class ExportCommand : public Command {
 public:
    void AddOptions(CLI::App* cmd) override;
    CommandManual Manual() const override;
    int Run() override;

 private:
    // The whole command but the report and the status line: fills *report
    // and returns the exit code.
    int Export(HostSession& session, ExportReport* report);
    // kExitOk, or kExitUsage when the output folder is not blank and no
    // folder is there: the library would write nothing into it.
    int CheckOutFolder(HostSession& session) const;
    // Runs the export into a file system that fails an open where the
    // export's would (RunFiles::kProbe) and lists each file it would
    // write, once, with whether it exists now; says why the run failed, if
    // it did. Writes nothing but the trace.
    int DryRun(HostSession& session, ExportReport* report);
    // When the library finds files that exist and the user does not
    // confirm at the console: names them (existing, as composed before the
    // trace was set up) and returns kExitExists (or what the session's end
    // changes it to); else kExitOk.
    int AskBeforeOverwriting(HostSession& session, const std::vector<std::string>& existing,
                             ExportReport* report);
    // Writes the report to --report unless that file was what was refused.
    // Returns kExitOk, or kExitOutput after one line on stderr.
    int WriteReport(const ExportReport& report);
    // Runs the export in files mode, and fills *report with what it did.
    void RunLibrary(HostSession& session, RunFiles files, ExportReport* report, RunResult* run);

    HostOptions host_;
    std::string out_;
    std::string name_;
    std::string report_;
    EncodingOption encoding_;                   // --encoding
    std::unique_ptr<TextEncoding> codePage_;    // of the report's texts
    OutputFile reportOut_;
    bool reportRefused_ = false;  // --report itself was refused: no report
    bool overwrite_ = false;
    bool dryRun_ = false;
    bool quiet_ = false;
    CLI::Option* plans_ = nullptr;
    // From the library's run to the end of the command (Interruption).
    std::optional<Interruption> interruption_;
    bool toldSignal_ = false;  // the summary told that the run was interrupted
};

#endif  // QVKDC_TOOLS_EXPORT_EXPORTCOMMAND_H
