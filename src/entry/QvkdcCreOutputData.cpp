#include "entry/QvkdcCreOutputData.h"

#include <optional>

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcOutputRun.h"
#include "host/TraceScope.h"

namespace {
const TraceRecord kRecord = {577685, "::QvkdcCreOutputData"};
}  // namespace

void QvkdcCreOutputData(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                        const char* iOutPath, const char* iOutName,
                        int* oStatusP) {
    // The run's objects (the table set with its host table readers) are
    // created inside the frame and destroyed after it has closed.
    std::optional<QvkdcOutputRun> run;
    TraceScope scope(kRecord);
    QvkdcTraceEntryArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    run.emplace();
    const int status = run->Run(scope, iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    QvkdcExitProtocol(scope, status, oStatusP);
}
