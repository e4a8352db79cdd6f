// `qvkdc export`: checks what it can, asks QvkdcIsExistFileWp first (unless
// --overwrite), calls QvkdcCreOutputDataWp, and says what the run did: each
// file written with its rows, each plan that gave no file and why, the
// messages left, and why the run failed. --dry-run lists the files instead.
#ifndef QVKDC_TOOLS_EXPORTCOMMAND_H
#define QVKDC_TOOLS_EXPORTCOMMAND_H

#include <string>
#include <vector>

#include "Command.h"
#include "HostSession.h"
#include "PlanFiles.h"

class ExportCommand : public Command {
 public:
    void AddOptions(CLI::App* cmd) override;
    int Run() override;

 private:
    // kExitOk, or kExitUsage when the output folder is not blank and no
    // folder is there: the library would write nothing into it.
    int CheckOutFolder() const;
    // Lists the files of every plan and whether they exist, and asks the
    // existence check; writes nothing but the trace.
    int DryRun(HostSession& session, const std::vector<PlanFile>& files);
    // When files exist and the user does not confirm at the console: names
    // them and returns kExitExists (or kExitHostMemory); else kExitOk.
    int AskBeforeOverwriting(HostSession& session, const std::vector<PlanFile>& files);

    HostOptions host_;
    std::string out_;
    std::string name_;
    std::string report_;
    bool overwrite_ = false;
    bool dryRun_ = false;
    bool quiet_ = false;
    CLI::Option* plans_ = nullptr;
};

#endif  // QVKDC_TOOLS_EXPORTCOMMAND_H
