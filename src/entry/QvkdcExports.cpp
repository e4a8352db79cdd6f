// The two exported functions: each passes its five arguments unchanged to
// the internal function of the same name without "Wp". No exception leaves
// them: the internal functions catch and report their own, and one that
// escapes even that (memory exhausted while reporting) gives status -1.
#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcIsExistFile.h"
#include "qvkdc/qvkdc.h"

extern "C" QVKDC_API void QvkdcCreOutputDataWp(const int* iPlnIdCnt,
                                               const ModelId* iPlnIdArr,
                                               const char* iOutPath,
                                               const char* iOutName,
                                               int* oStatusP) {
    try {
        QvkdcCreOutputData(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName, oStatusP);
    } catch (...) {
        *oStatusP = -1;
    }
}

extern "C" QVKDC_API void QvkdcIsExistFileWp(const int* iPlnIdCnt,
                                             const ModelId* iPlnIdArr,
                                             const char* iOutPath,
                                             const char* iOutName,
                                             int* oStatusP) {
    try {
        QvkdcIsExistFile(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName, oStatusP);
    } catch (...) {
        *oStatusP = -1;
    }
}
