// Control interface of the stand-in host.
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "Faults.h"
#include "HostErrors.h"
#include "HostMemory.h"
#include "MessageStore.h"
#include "ModelData.h"
#include "ModelFile.h"
#include "Trace.h"
#include "host/Zrl.h"
#include "qvhostsim/qvhostsim.h"

namespace {

void PutError(const std::string& text, char* err, int errSize) {
    if (err == nullptr || errSize <= 0) return;
    const std::size_t size = static_cast<std::size_t>(errSize);
    const std::size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(err, text.data(), n);
    err[n] = '\0';
}

int LoadModel(std::string_view text, const std::string& name, char* err, int errSize) {
    qvsim::Model model;
    std::string why;
    if (qvsim::ParseModel(text, name, &model, &why) != 0) {
        PutError(why, err, errSize);
        return -1;
    }
    qvsim::TheModel() = std::move(model);
    qvsim::TheMessages().SetTexts(qvsim::TheModel().messages);
    PutError("", err, errSize);
    return 0;
}

}  // namespace

void QvsimReset(void) {
    qvsim::TraceReset();
    qvsim::TheMessages().Reset();
    qvsim::TheModel() = qvsim::Model();
    qvsim::TheFaults().Reset();
    qvsim::TheMemory().ClearBadFrees();
    qvsim::TheHostErrors().Clear();
}

int QvsimLoadModelFile(const char* path, char* err, int errSize) {
    const std::string name = path != nullptr ? path : "";
    std::ifstream in;
    if (path != nullptr) in.open(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) {
        PutError(name + ": cannot be read", err, errSize);
        return -1;
    }
    return LoadModel(text.str(), name, err, errSize);
}

int QvsimLoadModelText(const char* json, const char* name, char* err, int errSize) {
    const std::string fileName = name != nullptr ? name : "";
    if (json == nullptr) {
        PutError(fileName + ": cannot be read", err, errSize);
        return -1;
    }
    return LoadModel(json, fileName, err, errSize);
}

int QvsimPlanCount(void) { return static_cast<int>(qvsim::TheModel().plans.size()); }

int QvsimPlanId(int i, ModelId* id) {
    const auto& plans = qvsim::TheModel().plans;
    if (id == nullptr || i < 0 || static_cast<std::size_t>(i) >= plans.size()) return -1;
    *id = plans[static_cast<std::size_t>(i)].id;
    return 0;
}

void QvsimTraceAll(int mainSw, int level) {
    ZrlMainSw = static_cast<unsigned char>(mainSw);
    std::memset(ZrlProgSw, static_cast<unsigned char>(level), 1 << 20);
}

void QvsimTraceId(int id, int level) {
    if (id >= 0 && id < (1 << 20)) ZrlProgSw[id] = static_cast<unsigned char>(level);
}

int QvsimTraceFile(const char* path) { return qvsim::TheTraceSink().SetFile(path); }

const char* QvsimTraceText(void) { return qvsim::TheTraceSink().Text().c_str(); }

void QvsimTraceClear(void) { qvsim::TheTraceSink().Clear(); }

const char* QvsimMsgTitle(void) {
    const std::string* title = qvsim::TheMessages().Title();
    return title != nullptr ? title->c_str() : nullptr;
}

int QvsimMsgCount(void) { return qvsim::TheMessages().Count(); }

const char* QvsimMsgAt(int i) {
    const auto& messages = qvsim::TheMessages();
    return i >= 0 && i < messages.Count() ? messages.Line(i).c_str() : nullptr;
}

int QvsimMsgKindAt(int i) {
    const auto& messages = qvsim::TheMessages();
    return i >= 0 && i < messages.Count() ? messages.Kind(i) : -1;
}

int QvsimMsgInitCount(void) { return qvsim::TheMessages().InitCount(); }

int QvsimHeldBlocks(void) { return qvsim::TheMemory().Held(); }

int QvsimBadFrees(void) { return qvsim::TheMemory().BadFrees(); }

const char* QvsimHostErrors(void) { return qvsim::TheHostErrors().Text().c_str(); }

int QvsimFailCall(const char* call, int nth) {
    qvsim::HostCall c;
    if (call == nullptr || !qvsim::HostCallByName(call, &c)) return -1;
    return qvsim::TheFaults().Arm(c, nth);
}

int QvsimCallCount(const char* call) {
    qvsim::HostCall c;
    if (call == nullptr || !qvsim::HostCallByName(call, &c)) return 0;
    return qvsim::TheFaults().Count(c);
}
