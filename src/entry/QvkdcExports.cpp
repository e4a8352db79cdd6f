// The two exported functions: each passes its five arguments unchanged to
// the internal function of the same name without "Wp".
#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcIsExistFile.h"
#include "qvkdc/qvkdc.h"

extern "C" QVKDC_API void QvkdcCreOutputDataWp(const int* iPlnIdCnt,
                                               const ModelId* iPlnIdArr,
                                               const char* iOutPath,
                                               const char* iOutName,
                                               int* oStatusP) {
    QvkdcCreOutputData(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName, oStatusP);
}

extern "C" QVKDC_API void QvkdcIsExistFileWp(const int* iPlnIdCnt,
                                             const ModelId* iPlnIdArr,
                                             const char* iOutPath,
                                             const char* iOutName,
                                             int* oStatusP) {
    QvkdcIsExistFile(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName, oStatusP);
}
