#include "entry/QvkdcIsExistFile.h"

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcGetFilePath.h"
#include "host/HostText.h"
#include "host/TraceScope.h"
#include "platform/FileSystem.h"

namespace {
const TraceRecord kRecord = {577710, "::QvkdcIsExistFile"};
}  // namespace

void QvkdcIsExistFile(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                      const char* iOutPath, const char* iOutName,
                      int* oStatusP) {
    TraceScope scope(kRecord);
    QvkdcTraceEntryArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName);
    int status = -1;
    if (QvkdcCheckArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName)) {
        const int count = *iPlnIdCnt;
        const int singleFlg = count == 1 ? 1 : 0;
        status = 0;
        FileSystem* fs = FileSystem::Current();
        for (int i = 0; i < count; ++i) {
            HostText<kQvkdcPathSize> path;
            if (QvkdcGetFilePath(i, &iPlnIdArr[i], iOutPath, iOutName,
                                 singleFlg, path.data()) == -1) {
                TraceScope::Chr("[ERR] : Make FileName");
                status = -1;
                break;
            }
            if (fs->Exists(path.view())) {
                status = 1;
                break;
            }
        }
    }
    QvkdcExitProtocol(scope, status, oStatusP);
}
