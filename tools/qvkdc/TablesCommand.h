// `qvkdc tables`: builds the column table and the selection table from the
// table files under the root, as an export would, and prints both dumps.
#ifndef QVKDC_TOOLS_TABLESCOMMAND_H
#define QVKDC_TOOLS_TABLESCOMMAND_H

#include "HostSession.h"

// Returns the exit code.
int RunTables(const HostOptions& options);

#endif  // QVKDC_TOOLS_TABLESCOMMAND_H
