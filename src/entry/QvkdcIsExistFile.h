// QvkdcIsExistFile: the existence check behind QvkdcIsExistFileWp.
#ifndef QVKDC_ENTRY_QVKDCISEXISTFILE_H
#define QVKDC_ENTRY_QVKDCISEXISTFILE_H

#include "qvkdc/qvkdc.h"

// *oStatusP := 1 when a file or folder exists at the path of any plan's CSV
// file, 0 when none does, -1 on an invalid argument or a path that could not
// be made, and -1 (traced as "[ERR] : Out of memory") when an exception
// ends the check.
// REQUIRES: oStatusP points to a writable int.
void QvkdcIsExistFile(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                      const char* iOutPath, const char* iOutName,
                      int* oStatusP);

#endif  // QVKDC_ENTRY_QVKDCISEXISTFILE_H
