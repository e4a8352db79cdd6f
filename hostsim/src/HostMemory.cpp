#include "HostMemory.h"

#include <cstring>

#include "ModelData.h"

namespace qvsim {

ModelId* HostMemory::NewIdList(const std::vector<ModelId>& ids) {
    auto block = std::make_unique<ModelId[]>(ids.empty() ? 1 : ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) block[i] = ids[i];
    ModelId* list = block.get();
    lists_.emplace(list, std::move(block));
    return list;
}

QdgmPrcsRec* HostMemory::NewPrcsRec(const Process& prcs) {
    auto block = std::make_unique<PrcsBlock>();
    block->rec.nctyp = prcs.type;
    block->rec.tool = nullptr;
    if (prcs.hasTool) {
        block->tool.toolType = prcs.tool.type;
        block->tool.state = prcs.tool.state;
        std::memset(block->tool.name, 0, sizeof block->tool.name);
        const std::size_t n = prcs.tool.name.size() < sizeof block->tool.name
                                  ? prcs.tool.name.size()
                                  : sizeof block->tool.name - 1;
        std::memcpy(block->tool.name, prcs.tool.name.data(), n);
        block->rec.tool = &block->tool;
    }
    block->prcs = prcs.id;
    block->process = &prcs;
    block->modelSerial = TheModel().serial;
    QdgmPrcsRec* rec = &block->rec;
    recs_.emplace(rec, std::move(block));
    return rec;
}

const Process* HostMemory::RecordProcess(const QdgmPrcsRec* rec) {
    if (rec == nullptr || rec != lastRec_) {
        const auto it = recs_.find(rec);
        if (it == recs_.end()) return nullptr;
        lastRec_ = rec;
        lastBlock_ = it->second.get();
    }
    const Model& model = TheModel();
    return lastBlock_->modelSerial == model.serial ? lastBlock_->process
                                                   : model.FindProcess(&lastBlock_->prcs);
}

void HostMemory::FreeIdList(ModelId* list) {
    if (list == nullptr) return;
    if (lists_.erase(list) == 0) ++badFrees_;
}

void HostMemory::FreePrcsRec(QdgmPrcsRec* rec) {
    if (rec == nullptr) return;
    if (rec == lastRec_) lastRec_ = nullptr;
    if (recs_.erase(rec) == 0) ++badFrees_;
}

HostMemory g_memory;

}  // namespace qvsim
