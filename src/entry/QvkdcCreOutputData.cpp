#include "entry/QvkdcCreOutputData.h"

#include <optional>

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcMsg.h"
#include "entry/QvkdcOutputRun.h"
#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/TraceIds.h"

namespace {
const TraceRecord kRecord = {kCreOutputDataTraceId, "::QvkdcCreOutputData"};
}  // namespace

void QvkdcCreOutputData(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                        const char* iOutPath, const char* iOutName,
                        int* oStatusP) {
    QvkdcCreOutputDataAt(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName, oStatusP, nullptr);
}

void QvkdcCreOutputDataAt(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                          const char* iOutPath, const char* iOutName,
                          int* oStatusP, QvkdcRunPlace* oPlace,
                          int iFirstPlan, QvkdcRunObserver* iObserver,
                          CnvTblObserver* iTableObserver) {
    // The run's objects (the table set with its host table readers) are
    // created inside the frame and destroyed after it has closed.
    std::optional<QvkdcOutputRun> run;
    TraceScope scope(kRecord);
    QvkdcTraceEntryArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    int status = -1;
    FailStep thrown = FailStep::kNone;
    try {
        run.emplace();
        run->SetObserver(iObserver, iTableObserver);
        status = run->Run(scope, iPlnIdCnt, iPlnIdArr, iOutPath, iOutName, iFirstPlan);
    } catch (...) {
        // The inner frames have closed and every host block held below has
        // been given back on the way out; the run fails like any other.
        thrown = QvkdcExceptionStep();
        status = TraceFailure(thrown);
        WriteMsg("-", "-", kQvkdcMsgRunFailed);
    }
    if (oPlace != nullptr) {
        if (run) *oPlace = run->Place();
        if (thrown != FailStep::kNone) oPlace->step = thrown;
    }
    QvkdcExitProtocol(scope, status, oStatusP);
}
