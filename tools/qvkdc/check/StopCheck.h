// StopCheck: the error at which the export's table steps stop, told where
// the export meets it: a table a lookup needs but that is missing, a choice
// without value, a row too short to read, and every short row the steps meet
// once the earlier ones are mended (ShortRowSearch). (A table that cannot be
// read is FileCheck's: its bytes tell why.)
#ifndef QVKDC_TOOLS_CHECK_STOPCHECK_H
#define QVKDC_TOOLS_CHECK_STOPCHECK_H

#include "check/CheckContext.h"

class StopCheck {
 public:
    explicit StopCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    void NotImported(const CnvTblStop& stop);
    void NoRow(const CnvTblStop& stop);
    void ShortRow(const CnvTblStop& stop);
    // File and line of the column definition or choice row being built.
    const std::string& ContextFile(const CnvTblStop& stop) const;

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_STOPCHECK_H
