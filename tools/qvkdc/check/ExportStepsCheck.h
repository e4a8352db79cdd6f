// ExportStepsCheck: runs the export's own table steps (import, column table,
// selection table) on the same files, to make sure that an export that
// would fail never passes the check, and that the columns the check read
// are the ones the export builds.
#ifndef QVKDC_TOOLS_CHECK_EXPORTSTEPSCHECK_H
#define QVKDC_TOOLS_CHECK_EXPORTSTEPSCHECK_H

#include "check/CheckContext.h"

class CQvkdcOutColTblMng;

class ExportStepsCheck {
 public:
    explicit ExportStepsCheck(const CheckContext& ctx) : ctx_(ctx) {}
    // REQUIRES: run after the other table checks.
    void Run();

 private:
    void CompareColumns(const CQvkdcOutColTblMng& built);
    void Differs(int column);

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_EXPORTSTEPSCHECK_H
