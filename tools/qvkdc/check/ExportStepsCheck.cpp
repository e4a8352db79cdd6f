#include "check/ExportStepsCheck.h"

#include <cstring>

#include "check/TextForms.h"
#include "model/CQvkdcOutColTblMng.h"
#include "qvhostsim/qvhostsim.h"
#include "tables/CQvkdcCnvTblCtrl.h"

void ExportStepsCheck::Run() {
    QvsimTraceClear();
    QvsimTraceAll(1, 1);
    CQvkdcCnvTblCtrl tables;
    const char* failed = nullptr;
    if (tables.ImpCnvTbl() != 0) {
        failed = "ImpCnvTbl";
    } else if (tables.CreColTbl() != 0) {
        failed = "CreColTbl";
    } else if (tables.CreSlctTbl() != 0) {
        failed = "CreSlctTbl";
    }
    const std::string trace = QvsimTraceText();
    QvsimTraceAll(0, 0);
    QvsimTraceClear();

    if (failed == nullptr) {
        if (!ctx_.in.AnyTableGarbled()) CompareColumns(*tables.GetColTbl());
        return;
    }
    if (ctx_.out.HasErrors()) return;
    const std::size_t err = trace.find("[ERR] : ");
    const std::string line = err == std::string::npos ? std::string()
                                                      : trace.substr(err, trace.find('\n', err) - err);
    ctx_.out.Add(Severity::kError, ctx_.in.TablesFolder(), 1,
                 std::string("the export's step ") + failed + " fails" +
                     (line.empty() ? "" : " with " + Quoted(line)) + " for a reason this check does not know",
                 "export-fails");
}

void ExportStepsCheck::CompareColumns(const CQvkdcOutColTblMng& built) {
    const std::vector<ColumnSpec>& read = ctx_.columns.Columns();
    const int n = built.GetColCnt();
    for (int i = 0; i < n || i < static_cast<int>(read.size()); ++i) {
        if (i >= n || i >= static_cast<int>(read.size())) {
            Differs(i);
            return;
        }
        const CQvkdcOutColRowMng& b = *built.GetColRow(i);
        const ColumnSpec& r = read[static_cast<std::size_t>(i)];
        // Names compare as the library's lookups see them: up to a NUL byte.
        const bool same = std::strcmp(b.ItNameRef().c_str(), r.itName.c_str()) == 0 &&
                          std::strcmp(b.ExNameRef().c_str(), r.exName.c_str()) == 0 &&
                          b.GetPrmKey() == r.prmKey && b.GetValType() == r.effType;
        if (same) continue;
        Differs(i);
        return;
    }
}

void ExportStepsCheck::Differs(int column) {
    ctx_.out.Add(Severity::kNote, ctx_.in.TablesFolder(), 1,
                 "the export builds column " + std::to_string(column + 1) +
                     " otherwise than this check reads it; the findings about it may be off",
                 "check-differs");
}
