// HostMemory: the process id lists and process records that the stand-in
// host hands out, until the library gives them back.
//
// Each list and record is its own allocation of exactly its size, so a read
// past its end or after its release is caught by the address sanitizer. A
// release of a pointer that was not handed out, or of one released before,
// frees nothing and is counted as a bad free.
#ifndef QVHOSTSIM_HOSTMEMORY_H
#define QVHOSTSIM_HOSTMEMORY_H

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/Qdgm.h"

namespace qvsim {

struct Process;

class HostMemory {
 public:
    // A list of the ids, in order; a list of no ids is still one block of
    // one id's size.
    ModelId* NewIdList(const std::vector<ModelId>& ids);
    // The record of a process, with its tool record when it has one.
    // REQUIRES: prcs is a process of the current model (TheModel()).
    QdgmPrcsRec* NewPrcsRec(const Process& prcs);
    // The process of the current model whose record rec is; null when rec
    // is not held or the current model has no such process.
    const Process* RecordProcess(const QdgmPrcsRec* rec);
    // Null is ignored; anything not held is a bad free.
    void FreeIdList(ModelId* list);
    void FreePrcsRec(QdgmPrcsRec* rec);

    int Held() const { return static_cast<int>(lists_.size() + recs_.size()); }
    int BadFrees() const { return badFrees_; }
    void ClearBadFrees() { badFrees_ = 0; }

 private:
    struct PrcsBlock {
        QdgmPrcsRec rec;  // first: its address is the record handed out
        QdgmToolRec tool;
        ModelId prcs;
        // The process in the model of that serial (a record outlives a
        // model load; the process is then looked up again by its id).
        const Process* process;
        uint64_t modelSerial;
    };
    std::unordered_map<const ModelId*, std::unique_ptr<ModelId[]>> lists_;
    std::unordered_map<const QdgmPrcsRec*, std::unique_ptr<PrcsBlock>> recs_;
    // The record asked for last: the library asks many parameters of one.
    const QdgmPrcsRec* lastRec_ = nullptr;
    const PrcsBlock* lastBlock_ = nullptr;
    int badFrees_ = 0;
};

// The one host memory of the stand-in host; it outlives resets.
extern HostMemory g_memory;
inline HostMemory& TheMemory() { return g_memory; }

}  // namespace qvsim

#endif  // QVHOSTSIM_HOSTMEMORY_H
