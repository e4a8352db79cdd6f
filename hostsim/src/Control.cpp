// Control interface of the stand-in host.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
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

// Makes model the current one, or puts the reason it is not into err.
int TakeModel(int parsed, qvsim::Model&& model, const std::string& why, char* err,
              int errSize) {
    if (parsed != 0) {
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
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(
        path != nullptr ? std::fopen(path, "rb") : nullptr, &std::fclose);
    qvsim::Model model;
    std::string why;
    int parsed = -1;
    if (file) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        qvsim::JsonReader in(file.get());
        parsed = qvsim::ParseModel(in, name, &model, &why,
                                   ec || size > SIZE_MAX ? 0 : static_cast<std::size_t>(size));
        if (in.ReadFailed()) file.reset();
    }
    if (!file) {
        PutError(name + ": cannot be read", err, errSize);
        return -1;
    }
    return TakeModel(parsed, std::move(model), why, err, errSize);
}

int QvsimLoadModelText(const char* json, const char* name, char* err, int errSize) {
    const std::string fileName = name != nullptr ? name : "";
    if (json == nullptr) {
        PutError(fileName + ": cannot be read", err, errSize);
        return -1;
    }
    qvsim::Model model;
    std::string why;
    const int parsed = qvsim::ParseModel(json, fileName, &model, &why);
    return TakeModel(parsed, std::move(model), why, err, errSize);
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

int QvsimTraceFileBuffered(const char* path) {
    return qvsim::TheTraceSink().SetBufferedFile(path);
}

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
