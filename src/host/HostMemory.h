// Owners of host-allocated memory: process id lists and process records are
// given back to the host with its own free calls, exactly once, at the
// latest when the owner goes out of scope.
#ifndef QVKDC_HOST_HOSTMEMORY_H
#define QVKDC_HOST_HOSTMEMORY_H

#include <memory>

#include "host/Qdgm.h"

struct QmemFreIdDeleter {
    void operator()(ModelId* list) const { QmemFreId(list); }
};
struct QmemFrePrcsDeleter {
    void operator()(QdgmPrcsRec* rec) const { QmemFrePrcs(rec); }
};

// A process id list from QdgmRetLstRO; reset() frees it with QmemFreId.
using HostPrcsList = std::unique_ptr<ModelId, QmemFreIdDeleter>;
// A process record from QdgmGetPrcs; reset() frees it with QmemFrePrcs.
using HostPrcsRec = std::unique_ptr<QdgmPrcsRec, QmemFrePrcsDeleter>;

#endif  // QVKDC_HOST_HOSTMEMORY_H
