// CAM model database (Qdgm, Qmem), parameter and tool texts (Qvptf) and
// machine and tool services (Qvlbu) of the stand-in host, answered from the
// loaded model. The calls that allocate are guarded: running out of memory
// fails the call, no exception leaves it.
#include <cstring>
#include <string>

#include "Faults.h"
#include "Guarded.h"
#include "HostErrors.h"
#include "HostMemory.h"
#include "ModelData.h"
#include "host/Qdgm.h"
#include "host/Qvlbu.h"
#include "host/Qvptf.h"

namespace qvsim {

Model::Model() : paramKeys(1) {
    static uint64_t models = 0;
    serial = ++models;
}

const Plan* Model::FindPlan(const ModelId* id) const {
    if (id == nullptr) return nullptr;
    const auto it = index.find(IdKey(*id));
    return it != index.end() && it->second >= 0
               ? &plans[static_cast<std::size_t>(it->second)]
               : nullptr;
}

const Process* Model::FindProcess(const ModelId* id) const {
    if (id == nullptr) return nullptr;
    const auto it = index.find(IdKey(*id));
    return it != index.end() && it->second < 0
               ? &processes[static_cast<std::size_t>(~it->second)]
               : nullptr;
}

Model g_model;

namespace {

// Copies text into a buffer of `size` bytes, cut to size - 1, NUL-terminated.
void CopyCut(const std::string& text, char* buf, std::size_t size) {
    const std::size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
}

// Marks the machine ids this host hands out: the plan's id, then this tag.
constexpr char kMachineTag[8] = {'Q', 'V', 'S', 'I', 'M', 'M', 'A', '\0'};

bool Failing(HostCall call, unsigned modelFaults) {
    const bool injected = TheFaults().Hit(call);
    return injected || (modelFaults & HostCallBit(call)) != 0;
}

}  // namespace
}  // namespace qvsim

using qvsim::Failing;
using qvsim::HostCall;
using qvsim::TheFaults;
using qvsim::TheMemory;
using qvsim::TheModel;

namespace qvsim {
namespace {

int RetLstRO(int kind, const ModelId* plan, int* count, ModelId** list) {
    const qvsim::Plan* p = TheModel().FindPlan(plan);
    if (Failing(HostCall::kQdgmRetLstRO, p != nullptr ? p->faults : 0)) return -1;
    if (kind != kQdgmRelPlanPrcs || p == nullptr || !p->hasProcesses || count == nullptr ||
        list == nullptr) {
        return -1;
    }
    return qvsim::Guarded(-1, [&] {
        std::vector<ModelId> ids;
        ids.reserve(p->processes.size());
        for (std::size_t i : p->processes) ids.push_back(TheModel().processes[i].id);
        *list = TheMemory().NewIdList(ids);
        *count = static_cast<int>(ids.size());
        return 0;
    });
}

int InqNctyp(const ModelId* prcs, int* unused, int* nctyp) {
    const qvsim::Process* p = TheModel().FindProcess(prcs);
    if (Failing(HostCall::kQdgmInqNctyp, p != nullptr ? p->faults : 0)) return -1;
    if (p == nullptr || nctyp == nullptr) return -1;
    if (unused != nullptr) *unused = 0;
    *nctyp = p->type;
    return 0;
}

}  // namespace
}  // namespace qvsim

int QdgmRetLstRO(int kind, const ModelId* plan, int* count, ModelId** list) {
    return qvsim::RetLstRO(kind, plan, count, list);
}

int QdgmInqNctyp(const ModelId* prcs, int* unused, int* nctyp) { return qvsim::InqNctyp(prcs, unused, nctyp); }

namespace qvsim {
namespace {

int GetPrcs(const ModelId* prcs, QdgmPrcsRec** rec) {
    const qvsim::Process* p = TheModel().FindProcess(prcs);
    if (Failing(HostCall::kQdgmGetPrcs, p != nullptr ? p->faults : 0)) return -1;
    if (p == nullptr || rec == nullptr) return -1;
    return qvsim::Guarded(-1, [&] {
        *rec = TheMemory().NewPrcsRec(*p);
        return 0;
    });
}

int RetIdnamLN(const ModelId* obj, char* name) {
    const qvsim::Plan* plan = TheModel().FindPlan(obj);
    const qvsim::Process* prcs = TheModel().FindProcess(obj);
    const unsigned faults = plan != nullptr ? plan->faults : prcs != nullptr ? prcs->faults : 0;
    if (Failing(HostCall::kQdgmRetIdnamLN, faults)) return -1;
    if ((plan == nullptr && prcs == nullptr) || name == nullptr) return -1;
    qvsim::CopyCut(plan != nullptr ? plan->name : prcs->name, name, kQdgmNameSize);
    return 0;
}

int RetLstRM(int kind, const ModelId* prcs, int* unused, int* capacity, ModelId* owner) {
    const qvsim::Process* p = TheModel().FindProcess(prcs);
    if (Failing(HostCall::kQdgmRetLstRM, p != nullptr ? p->faults : 0)) return -1;
    if (kind != kQdgmRelPlanPrcs || capacity == nullptr || owner == nullptr) return -1;
    if (unused != nullptr) *unused = 0;
    if (p == nullptr || *capacity < 1) {
        *capacity = 0;
        return 0;
    }
    *owner = TheModel().plans[p->plan].id;
    *capacity = 1;
    return 0;
}

}  // namespace
}  // namespace qvsim

int QdgmGetPrcs(int zero, const ModelId* prcs, QdgmPrcsRec** rec) {
    // The host defines the first argument only as 0.
    if (zero != 0) qvsim::TheHostErrors().Add("QdgmGetPrcs: first argument " + std::to_string(zero) + ", expected 0");
    return qvsim::GetPrcs(prcs, rec);
}

int QdgmRetIdnamLN(const ModelId* obj, char* name) { return qvsim::RetIdnamLN(obj, name); }

int QdgmRetLstRM(int kind, const ModelId* prcs, int* unused, int* capacity, ModelId* owner) {
    return qvsim::RetLstRM(kind, prcs, unused, capacity, owner);
}

void QmemFreId(ModelId* list) {
    TheFaults().Hit(HostCall::kQmemFreId);
    TheMemory().FreeIdList(list);
}

void QmemFrePrcs(QdgmPrcsRec* rec) {
    TheFaults().Hit(HostCall::kQmemFrePrcs);
    TheMemory().FreePrcsRec(rec);
}

namespace qvsim {
namespace {

int PrcInqPrm(const qvsim::Process* p, int* key, void** value, int* status) {
    const bool fail = Failing(HostCall::kQvlbpPrcInqPrm, p != nullptr ? p->faults : 0);
    if (status == nullptr) return -1;
    if (fail || p == nullptr || key == nullptr || value == nullptr) {
        *status = -1;
        return -1;
    }
    const qvsim::Model& model = TheModel();
    const qvsim::ParamValue* param = model.FindParam(*p, *key);
    if (param == nullptr) {
        *status = 0;
        return 0;
    }
    *status = param->status;
    if (const void* v = model.Value(*param)) *value = const_cast<void*>(v);
    return *status;
}

int InqLnN(char* toolName, char* text, int* status) {
    const bool fail = TheFaults().Hit(HostCall::kQvptfInqLnN);
    if (status == nullptr) return -1;
    if (fail || toolName == nullptr || text == nullptr) {
        *status = -1;
        return -1;
    }
    const void* end = std::memchr(toolName, '\0', kQvptfToolNameSize);
    const std::size_t size = end != nullptr
                                 ? static_cast<std::size_t>(static_cast<const char*>(end) - toolName)
                                 : std::size_t{kQvptfToolNameSize};
    *status = -1;  // stays so when the lookup runs out of memory
    return qvsim::Guarded(-1, [&] {
        const auto& texts = TheModel().toolTexts;
        const auto it = texts.find(std::string(toolName, size));
        if (it == texts.end()) {
            text[0] = '\0';
            *status = 0;
            return 0;
        }
        *status = it->second.status;
        if (it->second.hasText) qvsim::CopyCut(it->second.text, text, kQvptfTextSize);
        return *status;
    });
}

}  // namespace
}  // namespace qvsim

int QvlbpPrcInqPrm(QdgmPrcsRec** datSP, int* key, void** value, int* status) {
    const qvsim::Process* p = datSP != nullptr ? TheMemory().RecordProcess(*datSP) : nullptr;
    const int result = qvsim::PrcInqPrm(p, key, value, status);
    return result;
}

int QvptfInqLnN(int*, char* toolName, char* text, int* status) {
    return qvsim::InqLnN(toolName, text, status);
}

int QvlbuGetMaId(const ModelId* plan, int64_t* unused, QvlbuMaId* maid, int* st) {
    TheFaults().Hit(HostCall::kQvlbuGetMaId);
    if (st == nullptr) return -1;
    const qvsim::Plan* p = TheModel().FindPlan(plan);
    if (unused != nullptr) *unused = 0;
    if (p == nullptr || !p->hasMachine || maid == nullptr) {
        *st = 1;
        return 0;
    }
    std::memcpy(maid->bytes, &p->id, sizeof p->id);
    std::memcpy(maid->bytes + sizeof p->id, qvsim::kMachineTag, sizeof qvsim::kMachineTag);
    *st = 0;
    return 0;
}

int QvlbuMagMcaLNF(const QvlbuMaId* maid, char* name1, char* name2, int* st) {
    TheFaults().Hit(HostCall::kQvlbuMagMcaLNF);
    const qvsim::Plan* p = nullptr;
    if (maid != nullptr && std::memcmp(maid->bytes + sizeof(ModelId), qvsim::kMachineTag,
                                       sizeof qvsim::kMachineTag) == 0) {
        ModelId id;
        std::memcpy(&id, maid->bytes, sizeof id);
        p = TheModel().FindPlan(&id);
    }
    if (p == nullptr || !p->hasMachine || name1 == nullptr || name2 == nullptr) {
        if (st != nullptr) *st = -1;
        return -1;
    }
    qvsim::CopyCut(p->machine1, name1, kQvlbuMachineNameSize);
    qvsim::CopyCut(p->machine2, name2, kQvlbuMachineNameSize);
    if (st != nullptr) *st = 0;
    return 0;
}

void QvlbuGetCanTool(const ModelId* prcs, int*, char* tool1, char* tool2,
                     char* tool3, char* tool4, char* tool5) {
    TheFaults().Hit(HostCall::kQvlbuGetCanTool);
    const qvsim::Process* p = TheModel().FindProcess(prcs);
    char* out[5] = {tool1, tool2, tool3, tool4, tool5};
    static const std::string kNone;
    for (std::size_t i = 0; i < 5; ++i) {
        if (out[i] == nullptr) continue;
        qvsim::CopyCut(p != nullptr ? p->candidateTools[i] : kNone, out[i], kQvlbuCanToolSize);
    }
}
