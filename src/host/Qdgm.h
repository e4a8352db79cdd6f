// Qdgm and Qmem, the host's CAM model database and its memory release.
//
// Process id lists and process records are allocated by the host for each
// call and must be given back with QmemFreId and QmemFrePrcs.
#ifndef QVKDC_HOST_QDGM_H
#define QVKDC_HOST_QDGM_H

#include <stdint.h>

#include "QvHostApi.h"
#include "qvkdc/qvkdc.h"

extern "C" {

// Relation kind between a plan and its processes.
enum { kQdgmRelPlanPrcs = 102 };

// Size of the object name buffer of QdgmRetIdnamLN.
enum { kQdgmNameSize = 128 };

// Tool record of a process.
struct QdgmToolRec {
    int32_t toolType;   // tool type number
    int32_t state;      // 1 = the tool type is output
    char name[64];      // NUL-terminated (the library bounds its reads)
};

// Process record. Its layout beyond these fields is the host's.
struct QdgmPrcsRec {
    int32_t nctyp;       // process type code, as QdgmInqNctyp gives it
    QdgmToolRec* tool;   // null when the process has no tool record
};

// Lists the processes of a plan. Negative = the plan has no process data;
// otherwise *count and *list (release with QmemFreId).
QVHOST_API int QdgmRetLstRO(int kind, const ModelId* plan, int* count,
                            ModelId** list);
// Type code of a process into *nctyp. 0 = set; anything else = failure.
QVHOST_API int QdgmInqNctyp(const ModelId* prcs, int* unused, int* nctyp);
// Process record into *rec (release with QmemFrePrcs). 0 = returned.
QVHOST_API int QdgmGetPrcs(int zero, const ModelId* prcs, QdgmPrcsRec** rec);
// Name of a plan or process into name (kQdgmNameSize bytes). Negative =
// failure.
QVHOST_API int QdgmRetIdnamLN(const ModelId* obj, char* name);
// Plan that owns a process: *capacity comes in as 1 and room for one ModelId
// at owner. Negative, or *capacity 0 after the call = failure.
QVHOST_API int QdgmRetLstRM(int kind, const ModelId* prcs, int* unused,
                            int* capacity, ModelId* owner);
QVHOST_API void QmemFreId(ModelId* list);
QVHOST_API void QmemFrePrcs(QdgmPrcsRec* rec);

}  // extern "C"

#endif  // QVKDC_HOST_QDGM_H
