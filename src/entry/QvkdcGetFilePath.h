// QvkdcGetFilePath: the path of the CSV file of one plan.
#ifndef QVKDC_ENTRY_QVKDCGETFILEPATH_H
#define QVKDC_ENTRY_QVKDCGETFILEPATH_H

#include <cstddef>

#include "qvkdc/qvkdc.h"

// Size of the path buffer the callers give; a path holds at most 511 bytes.
constexpr std::size_t kQvkdcPathSize = 512;

// The single flag of a block of iPlnIdCnt plans: 1 when the block holds
// exactly one plan, whose file takes the name alone; 0 when each file of
// the block is numbered by its plan's index.
constexpr int QvkdcSingleFlg(int iPlnIdCnt) { return iPlnIdCnt == 1 ? 1 : 0; }

// Composes iOutFld, one backslash, the file base and ".csv" into oOutPath.
// The file base is the trimmed iOutName followed by the plan index as "%.3d"
// (single flag 0), the trimmed iOutName alone (single flag 1), or the plan's
// name from the model database (an empty trimmed name, or another flag).
// The folder is used exactly as given.
// Returns 0 with the path in oOutPath, or -1 with oOutPath unchanged: a null
// argument, a plan name that cannot be read, or a path over 511 bytes.
// REQUIRES: oOutPath points to kQvkdcPathSize writable bytes.
int QvkdcGetFilePath(int iPlnIdx, const ModelId* iPlnId, const char* iOutFld,
                     const char* iOutName, int iSingleFlg, char* oOutPath);

#endif  // QVKDC_ENTRY_QVKDCGETFILEPATH_H
