#include "TablesCommand.h"

#include <iostream>

int RunTables(const HostOptions& options) {
    HostSession session(options);
    int rc = session.Prepare();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;
    std::cerr << "qvkdc: tables: the conversion tables are not built yet\n";
    return session.Finish(-1);
}
