// Fuzz target: the stand-in host's model loader, then every host call the
// library makes, on every plan and process of a model that loads.
//
// After each input: a refused model gives one line that names the file and
// a place, in a NUL-terminated buffer; an accepted one answers every call
// with NUL-terminated texts inside their buffers, and every block handed
// out is given back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "HostCalls.h"
#include "qvhostsim/qvhostsim.h"

namespace {

// Parameter keys asked of every process: those the library asks for
// itself, and a few that models in the corpus list.
constexpr int kKeys[] = {0, 1, 100, 1011, 1122, 1274, 1301, 1323, 1324, 1501, 999999};

bool Terminated(const char* text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

void AskProcess(const ModelId& prcs) {
    int unused = 0;
    int type = 0;
    QdgmInqNctyp(&prcs, &unused, &type);
    char name[kQdgmNameSize];
    if (QdgmRetIdnamLN(&prcs, name) >= 0) FuzzCheck(Terminated(name, sizeof name), "process name");
    int capacity = 1;
    ModelId owner{};
    QdgmRetLstRM(kQdgmRelPlanPrcs, &prcs, &unused, &capacity, &owner);
    char tools[5][kQvlbuCanToolSize];
    QvlbuGetCanTool(&prcs, &unused, tools[0], tools[1], tools[2], tools[3], tools[4]);
    for (const auto& tool : tools) FuzzCheck(Terminated(tool, sizeof tool), "candidate tool");

    QdgmPrcsRec* rec = nullptr;
    if (QdgmGetPrcs(0, &prcs, &rec) != 0) {
        QmemFrePrcs(rec);
        return;
    }
    if (rec->tool != nullptr) {
        FuzzCheck(Terminated(rec->tool->name, sizeof rec->tool->name), "tool name");
        char toolName[kQvptfToolNameSize] = {};
        std::strncpy(toolName, rec->tool->name, sizeof toolName - 1);
        char text[kQvptfTextSize] = {};
        int one = 1;
        int status = 0;
        QvptfInqLnN(&one, toolName, text, &status);
        FuzzCheck(Terminated(text, sizeof text), "tool text");
    }
    for (int key : kKeys) {
        void* value = nullptr;
        int status = 0;
        QvlbpPrcInqPrm(&rec, &key, &value, &status);
    }
    QmemFrePrcs(rec);
}

void AskPlan(int index) {
    ModelId plan{};
    FuzzCheck(QvsimPlanId(index, &plan) == 0, "plan id");
    char name[kQdgmNameSize];
    if (QdgmRetIdnamLN(&plan, name) >= 0) FuzzCheck(Terminated(name, sizeof name), "plan name");
    int64_t unused = 0;
    QvlbuMaId machine{};
    int st = 0;
    QvlbuGetMaId(&plan, &unused, &machine, &st);
    if (st == 0) {
        char name1[kQvlbuMachineNameSize];
        char name2[kQvlbuMachineNameSize];
        if (QvlbuMagMcaLNF(&machine, name1, name2, &st) == 0) {
            FuzzCheck(Terminated(name1, sizeof name1) && Terminated(name2, sizeof name2),
                      "machine names");
        }
    }
    int count = 0;
    ModelId* list = nullptr;
    if (QdgmRetLstRO(kQdgmRelPlanPrcs, &plan, &count, &list) < 0) return;
    for (int k = 0; k < count; ++k) AskProcess(list[k]);
    QmemFreId(list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The model goes in as a C string: it ends at its first NUL byte.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int plansBefore = QvsimPlanCount();
    char err[512];
    std::memset(err, 'x', sizeof err);
    const int loaded = QvsimLoadModelText(text.c_str(), "model.json", err, sizeof err);
    FuzzCheck(Terminated(err, sizeof err), "the reason is NUL-terminated");
    const std::string_view why(err);
    if (loaded != 0) {
        FuzzCheck(loaded == -1, "a refusal answers -1");
        FuzzCheck(why.rfind("model.json: ", 0) == 0 && why.size() > 12,
                  "a refusal names the file and the place");
        FuzzCheck(why.find_first_of("\r\n") == std::string_view::npos, "a refusal is one line");
        FuzzCheck(QvsimPlanCount() == plansBefore, "a refused model leaves the one before");
        return 0;
    }
    FuzzCheck(why.empty(), "no reason for a model that loads");
    for (int i = 0; i < QvsimPlanCount(); ++i) AskPlan(i);
    FuzzCheck(QvsimHeldBlocks() == 0, "every host block is given back");
    FuzzCheck(QvsimBadFrees() == 0, "nothing is freed twice or foreign");
    return 0;
}
