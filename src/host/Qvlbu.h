// Qvlbu, the host's machine and tool services.
#ifndef QVKDC_HOST_QVLBU_H
#define QVKDC_HOST_QVLBU_H

#include <stdint.h>

#include "QvHostApi.h"
#include "qvkdc/qvkdc.h"

extern "C" {

// Opaque machine id; 24 bytes are reserved for it.
struct QvlbuMaId {
    unsigned char bytes[24];
};

// Size of each machine name buffer and of each candidate tool name buffer.
enum { kQvlbuMachineNameSize = 256, kQvlbuCanToolSize = 32 };

// Machine of a plan into *maid. *st 1 = no machine (the name lookup is
// skipped).
QVHOST_API int QvlbuGetMaId(const ModelId* plan, int64_t* unused,
                            QvlbuMaId* maid, int* st);
// The two machine names (kQvlbuMachineNameSize bytes each).
QVHOST_API int QvlbuMagMcaLNF(const QvlbuMaId* maid, char* name1,
                              char* name2, int* st);
// Candidate tools of a process, first to fifth (kQvlbuCanToolSize bytes
// each); an empty text where there is none.
QVHOST_API void QvlbuGetCanTool(const ModelId* prcs, int* zero, char* tool1,
                                char* tool2, char* tool3, char* tool4,
                                char* tool5);

}  // extern "C"

#endif  // QVKDC_HOST_QVLBU_H
