// Control interface of the stand-in host. Every call runs its body through
// Guarded: no exception leaves it.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "Faults.h"
#include "Guarded.h"
#include "HostErrors.h"
#include "HostMemory.h"
#include "MessageStore.h"
#include "ModelData.h"
#include "ModelFile.h"
#include "TableSource.h"
#include "Trace.h"
#include "host/Zrl.h"
#include "examine/ReadableFile.h"
#include "qvhostsim/qvhostsim.h"

namespace {

using qvsim::Guarded;

// The bytes that stand for c in an error line: c itself, or for a control
// character an escape ("\n", "\t", "\x01"), so that a text of the file
// (a key holding a line feed) cannot break the line. Returns the count.
std::size_t Shown(char c, char out[4]) noexcept {
    constexpr char kHex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) {
        out[0] = c;
        return 1;
    }
    out[0] = '\\';
    if (c == '\n' || c == '\r' || c == '\t') {
        out[1] = c == '\n' ? 'n' : c == '\r' ? 'r' : 't';
        return 2;
    }
    out[1] = 'x';
    out[2] = kHex[u >> 4];
    out[3] = kHex[u & 0xF];
    return 4;
}

// Writes the parts one after the other into err as one line (see Shown),
// cut to errSize - 1 bytes and NUL-terminated. Allocates nothing, so it can
// report running out of memory.
void PutError(std::initializer_list<std::string_view> parts, char* err, int errSize) noexcept {
    if (err == nullptr || errSize <= 0) return;
    char* out = err;
    const char* const end = err + errSize - 1;
    for (const std::string_view part : parts) {
        for (const char c : part) {
            char shown[4];
            const std::size_t n = Shown(c, shown);
            if (static_cast<std::size_t>(end - out) < n) {
                *out = '\0';
                return;
            }
            std::memcpy(out, shown, n);
            out += n;
        }
    }
    *out = '\0';
}

// Makes model the current one, or puts the reason it is not into err.
int TakeModel(int parsed, qvsim::Model&& model, const std::string& why, char* err,
              int errSize) {
    if (parsed != 0) {
        PutError({why}, err, errSize);
        return -1;
    }
    qvsim::TheModel() = std::move(model);
    qvsim::TheMessages().SetTexts(qvsim::TheModel().messages);
    PutError({}, err, errSize);
    return 0;
}

// The size of the blocks a model file is read in; 0: the reader's default.
std::size_t modelReadBlock = 0;

// What a load that threw tells: the parser catches its own errors, so it
// ran out of memory.
int LoadFailed(const char* name, char* err, int errSize) noexcept {
    PutError({name != nullptr ? name : "", ": cannot be loaded: out of memory"}, err, errSize);
    return -1;
}

}  // namespace

void QvsimReset(void) {
    Guarded([] {
        qvsim::TraceReset();
        qvsim::TheMessages().Reset();
        qvsim::TheModel() = qvsim::Model();
        qvsim::TheFaults().Reset();
        qvsim::TheMemory().ClearBadFrees();
        qvsim::SetTableSource(nullptr, nullptr);
        qvsim::TheHostErrors().Clear();
        modelReadBlock = 0;
    });
}

void QvsimModelReadBlock(size_t bytes) { modelReadBlock = bytes; }

int QvsimLoadModelFile(const char* path, char* err, int errSize) {
    try {
        const std::string name = path != nullptr ? path : "";
        ReadableFile file;
        const Status opened = path != nullptr ? file.Open(path) : Status::Error("no file named");
        if (!opened.ok()) {
            PutError({name, ": cannot be read: ", opened.ToString()}, err, errSize);
            return -1;
        }
        const std::uint64_t size = file.Size();
        std::unique_ptr<std::FILE, decltype(&std::fclose)> stream(file.ReleaseStream(false), &std::fclose);
        qvsim::Model model;
        std::string parseError;
        int parsed = -1;
        if (stream) {
            qvsim::JsonReader in(stream.get(), modelReadBlock > 0
                                                   ? modelReadBlock
                                                   : qvsim::JsonReader::kDefaultChunk);
            parsed = qvsim::ParseModel(in, name, &model, &parseError,
                                       size > SIZE_MAX ? 0 : static_cast<std::size_t>(size));
            if (in.ReadFailed()) stream.reset();
        }
        if (!stream) {
            PutError({name, ": cannot be read"}, err, errSize);  // a read error
            return -1;
        }
        return TakeModel(parsed, std::move(model), parseError, err, errSize);
    } catch (...) {
        return LoadFailed(path, err, errSize);
    }
}

int QvsimLoadModelText(const char* json, const char* name, char* err, int errSize) {
    try {
        const std::string fileName = name != nullptr ? name : "";
        if (json == nullptr) {
            PutError({fileName, ": cannot be read"}, err, errSize);
            return -1;
        }
        qvsim::Model model;
        std::string why;
        const int parsed = qvsim::ParseModel(json, fileName, &model, &why);
        return TakeModel(parsed, std::move(model), why, err, errSize);
    } catch (...) {
        return LoadFailed(name, err, errSize);
    }
}

int QvsimPlanCount(void) {
    return Guarded(0, [] { return static_cast<int>(qvsim::TheModel().plans.size()); });
}

const char* QvsimModelEncoding(void) { return qvsim::TheModel().encoding.c_str(); }

int QvsimPlanId(int i, ModelId* id) {
    return Guarded(-1, [&] {
        const auto& plans = qvsim::TheModel().plans;
        if (id == nullptr || i < 0 || static_cast<std::size_t>(i) >= plans.size()) return -1;
        *id = plans[static_cast<std::size_t>(i)].id;
        return 0;
    });
}

int QvsimModelLine(const ModelId* id) {
    return Guarded(0, [&] {
        const qvsim::Model& model = qvsim::TheModel();
        uint64_t line = 0;
        if (const qvsim::Plan* plan = model.FindPlan(id)) line = plan->line;
        if (const qvsim::Process* process = model.FindProcess(id)) line = process->line;
        return line > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(line);
    });
}

int QvsimParamKind(const ModelId* process, int key) {
    return Guarded(-1, [&] {
        const qvsim::Model& model = qvsim::TheModel();
        const qvsim::Process* p = model.FindProcess(process);
        if (p == nullptr) return -1;
        const qvsim::ParamValue* param = model.FindParam(*p, key);
        if (param == nullptr) return 0;
        switch (param->kind) {
            case qvsim::ParamValue::Kind::kInt:
                return 1;
            case qvsim::ParamValue::Kind::kDouble:
                return 2;
            case qvsim::ParamValue::Kind::kText:
                return 3;
            case qvsim::ParamValue::Kind::kNone:
                break;
        }
        return 0;
    });
}

void QvsimTraceAll(int mainSw, int level) {
    Guarded([&] {
        ZrlMainSw = static_cast<unsigned char>(mainSw);
        std::memset(ZrlProgSw, static_cast<unsigned char>(level), 1 << 20);
    });
}

void QvsimTraceId(int id, int level) {
    Guarded([&] {
        if (id >= 0 && id < (1 << 20)) ZrlProgSw[id] = static_cast<unsigned char>(level);
    });
}

int QvsimTraceFile(const char* path) {
    return Guarded(-1, [&] { return qvsim::TheTraceSink().SetFile(path); });
}

int QvsimTraceFileBuffered(const char* path) {
    return Guarded(-1, [&] { return qvsim::TheTraceSink().SetBufferedFile(path); });
}

const char* QvsimTraceFileError(void) {
    return Guarded("", [] { return qvsim::TheTraceSink().FileError().c_str(); });
}


const char* QvsimTraceText(void) {
    return Guarded("", [] { return qvsim::TheTraceSink().Text().c_str(); });
}

void QvsimTraceClear(void) {
    Guarded([] { qvsim::TheTraceSink().Clear(); });
}


const char* QvsimMsgTitle(void) {
    return Guarded(static_cast<const char*>(nullptr), []() -> const char* {
        const std::string* title = qvsim::TheMessages().Title();
        return title != nullptr ? title->c_str() : nullptr;
    });
}

int QvsimMsgCount(void) {
    return Guarded(0, [] { return qvsim::TheMessages().Count(); });
}

const char* QvsimMsgAt(int i) {
    return Guarded(static_cast<const char*>(nullptr), [&]() -> const char* {
        const auto& messages = qvsim::TheMessages();
        return i >= 0 && i < messages.Count() ? messages.Line(i).c_str() : nullptr;
    });
}

int QvsimMsgKindAt(int i) {
    return Guarded(-1, [&] {
        const auto& messages = qvsim::TheMessages();
        return i >= 0 && i < messages.Count() ? messages.Kind(i) : -1;
    });
}

int QvsimMsgInitCount(void) {
    return Guarded(0, [] { return qvsim::TheMessages().InitCount(); });
}

int QvsimHeldBlocks(void) {
    return Guarded(0, [] { return qvsim::TheMemory().Held(); });
}

int QvsimBadFrees(void) {
    return Guarded(0, [] { return qvsim::TheMemory().BadFrees(); });
}

const char* QvsimHostErrors(void) {
    return Guarded(static_cast<const char*>(""), [] { return qvsim::TheHostErrors().Text().c_str(); });
}

int QvsimFailCall(const char* call, int nth) {
    return Guarded(-1, [&] {
        qvsim::HostCall c;
        if (call == nullptr || !qvsim::HostCallByName(call, &c)) return -1;
        return qvsim::TheFaults().Arm(c, nth);
    });
}

int QvsimCallCount(const char* call) {
    return Guarded(0, [&] {
        qvsim::HostCall c;
        if (call == nullptr || !qvsim::HostCallByName(call, &c)) return 0;
        return qvsim::TheFaults().Count(c);
    });
}

void QvsimSetTableSource(QvsimTableSource source, void* context) {
    Guarded([&] { qvsim::SetTableSource(source, context); });
}
