#include "TablesCommand.h"

#include <iostream>
#include <string>

#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

// The table steps of an export, stopping at the first failure as the export
// would. Returns 0 or the failed step's result.
int BuildTables(CQvkdcCnvTblCtrl& tables) {
    int rc = tables.ImpCnvTbl();
    if (rc != 0) {
        std::cerr << "qvkdc: tables: the table files could not be imported (see the trace)\n";
        return rc < 0 ? rc : -1;
    }
    rc = tables.CreColTbl();
    if (rc != 0) {
        std::cerr << "qvkdc: tables: the column table could not be built (see the trace)\n";
        return rc < 0 ? rc : -1;
    }
    rc = tables.CreSlctTbl();
    if (rc != 0) {
        std::cerr << "qvkdc: tables: the selection table could not be built (see the trace)\n";
        return rc < 0 ? rc : -1;
    }
    return 0;
}

}  // namespace

int RunTables(const HostOptions& options) {
    HostSession session(options);
    int rc = session.Prepare();
    if (rc == kExitOk) rc = session.EnterRoot();
    if (rc != kExitOk) return rc;
    int status = 0;
    {
        CQvkdcCnvTblCtrl tables;
        status = BuildTables(tables);
        if (status == 0) {
            std::string dump;
            tables.GetColTbl()->DumpTbl(dump);
            std::cout << dump << '\n';
            tables.GetSlctTbl()->DumpTbl(dump);
            std::cout << dump;
        }
    }
    return session.Finish(status);
}
