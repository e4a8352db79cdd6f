#include "entry/QvkdcCreOutputData.h"

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcOutputRun.h"
#include "host/TraceScope.h"

namespace {
const TraceRecord kRecord = {577685, "::QvkdcCreOutputData"};
}  // namespace

void QvkdcCreOutputData(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                        const char* iOutPath, const char* iOutName,
                        int* oStatusP) {
    TraceScope scope(kRecord);
    QvkdcTraceEntryArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    QvkdcOutputRun run;
    const int status = run.Run(scope, iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    QvkdcExitProtocol(scope, status, oStatusP);
}
