#include "check/ModelCheck.h"

#include <cstring>
#include <map>

#include "check/TextForms.h"
#include "convert/PrcsTypeSet.h"
#include "entry/AcceptedPrcsType.h"
#include "host/HostMemory.h"
#include "host/HostText.h"
#include "host/Qvlbu.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColRowMng.h"
#include "qvhostsim/qvhostsim.h"

namespace {

constexpr int kMacroPrcsType = 2441;
constexpr int kLocalCoordFlagKey = 1323;

std::string NameOf(const ModelId& id) {
    HostText<kQdgmNameSize> name;
    return QdgmRetIdnamLN(&id, name.data()) < 0 ? std::string() : name.str();
}

std::string PlanName(int index, const std::string& name) {
    return "plan " + std::to_string(index) + ' ' + Quoted(name);
}

// The kind of value a column of type effType reads.
int ExpectedKind(int effType) {
    switch (effType) {
        case CQvkdcOutColRowMng::kValTypeReal:
            return kParamDouble;
        case CQvkdcOutColRowMng::kValTypeString:
            return kParamText;
        default:
            return kParamInt;
    }
}

}  // namespace

void ModelCheck::Run() {
    const int plans = QvsimPlanCount();
    for (int i = 0; i < plans && !failed_; ++i) CheckPlan(i);
    CheckFileNames();
    tally_.Report(ctx_.columns, file_, &ctx_.out);
}

void ModelCheck::Fail(const std::string& message) {
    ctx_.out.Add(Severity::kError, file_, 1, message + "; the export stops there", "model-fails");
    failed_ = true;
}

void ModelCheck::FailParam(int key, const std::string& where, int status) {
    Fail("the parameter " + std::to_string(key) + " of " + where + " answers the status " +
         std::to_string(status));
}

void ModelCheck::CheckPlan(int index) {
    ModelId plan{};
    QvsimPlanId(index, &plan);
    const std::string name = NameOf(plan);
    int count = 0;
    ModelId* rawList = nullptr;
    if (QdgmRetLstRO(kQdgmRelPlanPrcs, &plan, &count, &rawList) < 0) return;
    const HostPrcsList list(rawList);
    if (!CheckTypes(index, plan, name, list.get(), count) || count == 0) return;
    written_.push_back({index, name});
    for (int k = 0; k < count && !failed_; ++k) CheckProcess(PlanName(index, name), list.get()[k]);
}

bool ModelCheck::CheckTypes(int index, const ModelId& plan, const std::string& name,
                            const ModelId* list, int count) {
    for (int k = 0; k < count; ++k) {
        int unused = 0;
        int type = 0;
        if (QdgmInqNctyp(&list[k], &unused, &type) != 0) {
            Fail("the type of process " + Quoted(NameOf(list[k])) + " of " + PlanName(index, name) +
                 " cannot be read");
            return false;
        }
        if (IsAcceptedPrcsType(type)) continue;
        ctx_.out.Add(Severity::kWarning, file_, 1,
                     PlanName(index, name) + " is rejected: its process " + Quoted(NameOf(list[k])) +
                         " has the type " + std::to_string(type) +
                         ", which the export does not accept; the plan gets no file",
                     "rejected-plan");
        CheckMachine(index, plan, name);
        return false;
    }
    return true;
}

void ModelCheck::CheckMachine(int index, const ModelId& plan, const std::string& name) {
    int64_t unused = 0;
    QvlbuMaId machine{};
    int st = 0;
    QvlbuGetMaId(&plan, &unused, &machine, &st);
    if (st != 1) {
        HostText<kQvlbuMachineNameSize> name1;
        HostText<kQvlbuMachineNameSize> name2;
        QvlbuMagMcaLNF(&machine, name1.data(), name2.data(), &st);
        lastMachines_ = Quoted(name1.view()) + " and " + Quoted(name2.view());
        return;
    }
    ctx_.out.Add(Severity::kWarning, file_, 1,
                 "the rejected " + PlanName(index, name) + " has no machine data; its message " +
                     (lastMachines_.empty() ? std::string("names no machine")
                                            : "repeats the machine names " + lastMachines_ +
                                                  " of the rejected plan before it"),
                 "no-machine");
}

void ModelCheck::CheckProcess(const std::string& plan, const ModelId& id) {
    QdgmPrcsRec* raw = nullptr;
    const std::string where = "process " + Quoted(NameOf(id)) + " of " + plan;
    if (QdgmGetPrcs(0, &id, &raw) != 0) {
        Fail("the record of " + where + " cannot be read");
        return;
    }
    const HostPrcsRec rec(raw);
    const int n = static_cast<int>(ctx_.columns.Columns().size());
    for (int j = 0; j < n && !failed_; ++j) CheckColumn(j, id, rec.get(), where);
}

void ModelCheck::CheckColumn(int column, const ModelId& id, QdgmPrcsRec* rec, const std::string& where) {
    const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(column)];
    if (c.shortDef) return;
    if (c.itName == "toolType1" && rec->tool != nullptr && rec->tool->state == 1 &&
        ctx_.choices.HasChoices(c.itName) && ctx_.choices.Find(c.itName, rec->tool->toolType) == nullptr) {
        tally_.NoChoice(column, rec->tool->toolType, where);
    }
    if (c.itName == "toolCheck1" && rec->tool != nullptr) CheckTool(*rec, where);
    int key = c.prmKey;
    if (c.itName == "ttlKZPCHVAL") {
        key = IsPrcsTypeSetA(rec->nctyp) ? 1122 : 1274;
    } else if (!c.UsesKey() || (c.itName == "ttlKPMCR" && rec->nctyp != kMacroPrcsType) ||
               (c.itName == "ttlKPMCRA" && rec->nctyp == kMacroPrcsType)) {
        return;
    }
    if (key == 0 || key == 999999 || !c.TypeHasText()) return;
    const bool localCoord = c.itName == "ttlLCLPAXIS" || c.itName == "ttlLCLPHGT";
    int status = 0;
    void* value = nullptr;
    if (localCoord) {
        int flagKey = kLocalCoordFlagKey;
        QvlbpPrcInqPrm(&rec, &flagKey, &value, &status);
        if (status < 0) {
            FailParam(flagKey, where, status);
            return;
        }
        if (value != nullptr && *static_cast<const int*>(value) == 1) return;
        if (c.itName == "ttlLCLPAXIS" && !IsPrcsTypeSetA(rec->nctyp)) return;
        value = nullptr;
    }
    QvlbpPrcInqPrm(&rec, &key, &value, &status);
    if (status < 0 || (status != 0 && !localCoord)) {
        FailParam(key, where, status);
        return;
    }
    tally_.Asked(column, where);
    const int kind = QvsimParamKind(&id, key);
    if (kind == kParamNone) {
        tally_.Missing(column, where);
    } else if (kind != ExpectedKind(c.effType)) {
        tally_.WrongKind(column, kind, where);
    } else if (c.effType == CQvkdcOutColRowMng::kValTypeSelect && ctx_.choices.HasChoices(c.itName) &&
               ctx_.choices.Find(c.itName, *static_cast<const int*>(value)) == nullptr) {
        tally_.NoChoice(column, *static_cast<const int*>(value), where);
    }
}

void ModelCheck::CheckTool(const QdgmPrcsRec& rec, const std::string& where) {
    const std::string name(rec.tool->name, strnlen(rec.tool->name, sizeof rec.tool->name));
    if (name.size() < kQvptfToolNameSize || !toolsSeen_.insert(name).second) return;
    // The export passes the name cut to its first 15 bytes.
    const auto text = [](const std::string& toolName) {
        std::string buffer = toolName;
        HostText<kQvptfTextSize> out;
        int one = 1;
        int status = 0;
        QvptfInqLnN(&one, buffer.data(), out.data(), &status);
        return status < 0 ? std::string() : out.str();
    };
    const std::string cut = name.substr(0, kQvptfToolNameSize - 1);
    if (text(cut).empty() && !text(name).empty()) {
        ctx_.out.Add(Severity::kWarning, file_, 1,
                     "the tool " + Quoted(name) + " of " + where + " has " + std::to_string(name.size()) +
                         " characters; the export looks its text up as " + Quoted(cut) +
                         ", under which the model lists none, so its tool cell stays empty",
                     "long-tool-name", ctx_.columns.FindItem("toolCheck1"));
    }
}

void ModelCheck::CheckFileNames() {
    std::map<std::string, const WrittenPlan*> byName;
    for (const WrittenPlan& p : written_) {
        const std::string plan = PlanName(p.index, p.name);
        if (p.name.find_first_of("/\\") != std::string::npos) {
            ctx_.out.Add(Severity::kWarning, file_, 1,
                         "the name of " + plan +
                             " holds a path separator; with a blank output name its file lands " +
                             (p.name.find("..") != std::string::npos ? "outside the output folder"
                                                                     : "in another folder"),
                         "path-in-name");
        }
        const std::string flaw = UnquotedFlaw(p.name);
        const int planColumn = ctx_.columns.FindItem("planName");
        if (planColumn >= 0 && !flaw.empty()) {
            ctx_.out.Add(Severity::kWarning, file_, 1, "the name of " + plan + ' ' + flaw, "unquoted-text",
                         planColumn);
        }
        const auto [it, isNew] = byName.try_emplace(p.name, &p);
        if (isNew) continue;
        ctx_.out.Add(Severity::kWarning, file_, 1,
                     plan + " has the name of " + PlanName(it->second->index, p.name) +
                         "; with a blank output name both write the same file and the later one "
                         "overwrites the earlier",
                     "same-file");
    }
}
