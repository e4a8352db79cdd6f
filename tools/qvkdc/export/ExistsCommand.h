// `qvkdc exists`: asks QvkdcIsExistFileWp whether any output file of the
// plans exists, names the files that do (unless --quiet), warns of file
// names too long for the file system, and says why when the check fails.
#ifndef QVKDC_TOOLS_EXPORT_EXISTSCOMMAND_H
#define QVKDC_TOOLS_EXPORT_EXISTSCOMMAND_H

#include <string>

#include "cli/Command.h"
#include "session/HostSession.h"

class ExistsCommand : public Command {
 public:
    void AddOptions(CLI::App* cmd) override;
    CommandManual Manual() const override;
    int Run() override;

 private:
    HostOptions host_;
    std::string out_;
    std::string name_;
    bool quiet_ = false;
    CLI::Option* plans_ = nullptr;
};

#endif  // QVKDC_TOOLS_EXPORT_EXISTSCOMMAND_H
