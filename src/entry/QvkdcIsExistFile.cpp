#include "entry/QvkdcIsExistFile.h"

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcGetFilePath.h"
#include "host/HostText.h"
#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/TraceIds.h"
#include "examine/FileSystem.h"

namespace {
const TraceRecord kRecord = {kIsExistFileTraceId, "::QvkdcIsExistFile"};

// The status of the check: 1 when a file of any plan exists, 0 when none
// does, -1 on an invalid argument or a path that cannot be made.
int CheckPlans(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
               const char* iOutPath, const char* iOutName) {
    if (!QvkdcCheckArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName)) return -1;
    const int count = *iPlnIdCnt;
    const int singleFlg = QvkdcSingleFlg(count);
    FileSystem* fs = FileSystem::Current();
    for (int i = 0; i < count; ++i) {
        HostText<kQvkdcPathSize> path;
        if (QvkdcGetFilePath(i, &iPlnIdArr[i], iOutPath, iOutName, singleFlg,
                             path.data()) == -1) {
            TraceFailure(FailStep::kMakeFileName);
            return -1;
        }
        if (fs->Exists(path.view())) return 1;
    }
    return 0;
}

}  // namespace

void QvkdcIsExistFile(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                      const char* iOutPath, const char* iOutName,
                      int* oStatusP) {
    TraceScope scope(kRecord);
    QvkdcTraceEntryArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    int status = -1;
    try {
        status = CheckPlans(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    } catch (...) {
        TraceFailure(QvkdcExceptionStep());
        status = -1;
    }
    QvkdcExitProtocol(scope, status, oStatusP);
}
