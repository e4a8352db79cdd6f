// `qvkdc tables`: builds the column table and the selection table from the
// table files under the root, as an export would, and prints both, with the
// keyword beside every code (TableDump.h).
#ifndef QVKDC_TOOLS_EXPORT_TABLESCOMMAND_H
#define QVKDC_TOOLS_EXPORT_TABLESCOMMAND_H

#include "cli/Command.h"
#include "session/HostSession.h"

class TablesCommand : public Command {
 public:
    void AddOptions(CLI::App* cmd) override;
    CommandManual Manual() const override;
    int Run() override;

 private:
    HostOptions host_;
};

#endif  // QVKDC_TOOLS_EXPORT_TABLESCOMMAND_H
