// QvkdcCreOutputData: the output run behind QvkdcCreOutputDataWp.
#ifndef QVKDC_ENTRY_QVKDCCREOUTPUTDATA_H
#define QVKDC_ENTRY_QVKDCCREOUTPUTDATA_H

#include "qvkdc/qvkdc.h"

// Writes one CSV file per plan of the block; the status goes to *oStatusP.
// An exception inside the run (memory exhausted) fails it like any other
// failure: the trace says "[ERR] : Out of memory", the status is -1 and one
// message 9999 goes out.
// REQUIRES: oStatusP points to a writable int.
void QvkdcCreOutputData(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                        const char* iOutPath, const char* iOutName,
                        int* oStatusP);

#endif  // QVKDC_ENTRY_QVKDCCREOUTPUTDATA_H
