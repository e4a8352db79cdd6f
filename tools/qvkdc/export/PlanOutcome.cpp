#include "export/PlanOutcome.h"

#include <cstring>

#include "host/HostText.h"
#include "host/Qdgm.h"

namespace {

bool Is(const QvsimCall& call, const char* name) {
    return call.call != nullptr && std::strcmp(call.call, name) == 0;
}

}  // namespace

std::vector<PlanOutcome> TellPlanOutcomes(const ModelId* plans, int count,
                                          const std::vector<QvsimCall>& calls, int status) {
    std::vector<PlanOutcome> outcomes(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        outcomes[static_cast<std::size_t>(i)].index = i;
        outcomes[static_cast<std::size_t>(i)].id = plans[i];
    }
    int looked = 0;
    PlanOutcome* cur = nullptr;
    int listed = 0;
    for (const QvsimCall& call : calls) {
        if (Is(call, "QdgmRetLstRO")) {
            if (looked >= count) break;
            cur = &outcomes[static_cast<std::size_t>(looked++)];
            listed = call.result;
            cur->outcome = call.result < 0 ? Outcome::kNoProcesses
                           : call.value == 0 ? Outcome::kNoRows
                                             : Outcome::kWritten;
            cur->rows = call.result < 0 ? 0 : call.value;
        } else if (cur == nullptr || listed < 0) {
            continue;
        } else if (Is(call, "QdgmInqNctyp")) {
            cur->hasProcess = true;
            cur->process = call.id;
            cur->processType = call.result == 0 ? call.value : 0;
        } else if (Is(call, "QvlbuGetMaId")) {
            cur->outcome = Outcome::kRejected;
            cur->rows = 0;
        }
    }
    if (status < 0 && cur != nullptr) {
        cur->outcome = Outcome::kFailed;
        cur->rows = 0;
    }
    for (PlanOutcome& o : outcomes) {
        if (o.outcome == Outcome::kNotReached) continue;
        o.name = ModelName(o.id);
        if (o.outcome != Outcome::kRejected && o.outcome != Outcome::kFailed) {
            o.hasProcess = false;
            o.process = ModelId{};
            o.processType = 0;
        }
        if (o.hasProcess) o.processName = ModelName(o.process);
    }
    return outcomes;
}

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::kWritten: return "written";
        case Outcome::kRejected: return "rejected";
        case Outcome::kNoProcesses: return "no-processes";
        case Outcome::kNoRows: return "no-rows";
        case Outcome::kFailed: return "failed";
        case Outcome::kNotReached: return "not-reached";
    }
    return "";
}

std::string ModelName(const ModelId& id) {
    HostText<kQdgmNameSize> name;
    if (QdgmRetIdnamLN(&id, name.data()) < 0) return "";
    return std::string(name.view());
}

std::string IdText(const ModelId& id) {
    return std::to_string(id.objid) + " " + std::to_string(id.aplsec) + " " +
           std::to_string(id.insid) + " " + std::to_string(id.entid);
}
