// Qvptf, the host's process parameter and tool text services.
#ifndef QVKDC_HOST_QVPTF_H
#define QVKDC_HOST_QVPTF_H

#include "Qdgm.h"
#include "QvHostApi.h"

extern "C" {

// Size of the tool name buffer and of the returned text of QvptfInqLnN.
enum { kQvptfToolNameSize = 16, kQvptfTextSize = 128 };

// Parameter `*key` of the process whose record *datSP is. On a status of 0
// (or above, see the callers) *value points at the host-owned value: an int,
// a double or a NUL-terminated text, or stays null when there is none.
// Negative *status = failure. The call's own result is not read.
QVHOST_API int QvlbpPrcInqPrm(QdgmPrcsRec** datSP, int* key, void** value,
                              int* status);
// Text of a tool (toolName, kQvptfToolNameSize bytes) into text
// (kQvptfTextSize bytes). Negative *status = failure.
QVHOST_API int QvptfInqLnN(int* one, char* toolName, char* text, int* status);

}  // extern "C"

#endif  // QVKDC_HOST_QVPTF_H
