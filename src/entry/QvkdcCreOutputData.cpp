#include "entry/QvkdcCreOutputData.h"

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcMsg.h"
#include "host/TraceScope.h"

namespace {
const TraceRecord kRecord = {577685, "::QvkdcCreOutputData"};
}  // namespace

void QvkdcCreOutputData(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                        const char* iOutPath, const char* iOutName,
                        int* oStatusP) {
    TraceScope scope(kRecord);
    QvkdcTraceEntryArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    int status = 0;
    if (!QvkdcCheckArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName)) {
        status = -1;
        WriteMsg("-", "-", kQvkdcMsgRunFailed);
    } else {
        QvkdcSetMsgColumns();
    }
    QvkdcExitProtocol(scope, status, oStatusP);
}
