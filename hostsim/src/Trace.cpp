#include "Trace.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "HostErrors.h"
#include "host/Zrl.h"

unsigned char ZrlMainSw = 0;
unsigned char ZrlProgSw[1 << 20] = {};

namespace qvsim {
namespace {

TraceFrame* g_current = nullptr;
int g_level = 0;

int Indent() { return g_level > 1 ? 2 * (g_level - 1) : 0; }

std::string FrameLine(const char* mark, const char* name, int32_t id) {
    std::string line(mark);
    line += ' ';
    line += name != nullptr ? name : "";
    line += " [";
    line += std::to_string(id);
    line += ']';
    return line;
}

void AppendV(std::string* out, const char* format, std::va_list args) {
    if (format == nullptr) return;
    char small[256];
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        out->append(small, static_cast<std::size_t>(n));
        return;
    }
    const std::size_t start = out->size();
    out->resize(start + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(&(*out)[start], static_cast<std::size_t>(n) + 1, format, args);
    out->resize(start + static_cast<std::size_t>(n));
}

void Append(std::string* out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    AppendV(out, format, args);
    va_end(args);
}

// A dump format is one integer conversion with optional flags and width
// ("%x", "%08X", "%d"). Anything else dumps in "%x".
std::string DumpFormat(const char* format, char* conv) {
    std::string spec = "%";
    *conv = 'x';
    if (format == nullptr || format[0] != '%') return spec;
    std::size_t i = 1;
    while (format[i] != '\0' && std::strchr("-+ #0123456789", format[i])) ++i;
    if (format[i] == '\0' || !std::strchr("diouxX", format[i]) ||
        format[i + 1] != '\0') {
        return spec;
    }
    spec.assign(format, i);
    *conv = format[i];
    return spec;
}

void AppendDumpValue(std::string* out, const std::string& spec, char conv,
                     const unsigned char* p, int size) {
    uint64_t raw = 0;
    int64_t signedValue = 0;
    switch (size) {
        case 1: { uint8_t v; std::memcpy(&v, p, 1); raw = v; signedValue = static_cast<int8_t>(v); break; }
        case 2: { uint16_t v; std::memcpy(&v, p, 2); raw = v; signedValue = static_cast<int16_t>(v); break; }
        case 4: { uint32_t v; std::memcpy(&v, p, 4); raw = v; signedValue = static_cast<int32_t>(v); break; }
        case 8: { uint64_t v; std::memcpy(&v, p, 8); raw = v; signedValue = static_cast<int64_t>(v); break; }
        default:
            for (int b = 0; b < size; ++b) Append(out, "%02x", static_cast<unsigned>(p[b]));
            return;
    }
    const std::string fmt = spec + "ll" + conv;
    if (conv == 'd' || conv == 'i') {
        Append(out, fmt.c_str(), static_cast<long long>(signedValue));
    } else {
        Append(out, fmt.c_str(), static_cast<unsigned long long>(raw));
    }
}

}  // namespace

TraceSink& TheTraceSink() {
    static TraceSink sink;
    return sink;
}

void TraceReset() {
    ZrlMainSw = 0;
    std::memset(ZrlProgSw, 0, sizeof ZrlProgSw);
    g_current = nullptr;
    g_level = 0;
    TheTraceSink().Clear();
    TheTraceSink().SetFile(nullptr);
}

}  // namespace qvsim

using qvsim::TheTraceSink;

TraceFrame** ZrlCurrentAreaGet(void) { return &qvsim::g_current; }

void ZrlStkLvlInc(void) { ++qvsim::g_level; }

void ZrlStkLvlDec(void) {
    if (qvsim::g_level > 0) --qvsim::g_level;
}

TraceFrame* ZrlCurrentGet(void) { return qvsim::g_current; }

void ZrlInt(const TraceRecord* rec) {
    if (rec == nullptr) return;
    TheTraceSink().Line(qvsim::Indent(), qvsim::FrameLine(">>", rec->name, rec->id));
}

void ZrlTrceMk(int kind, const char* name, int32_t id) {
    if (kind != 1) {
        qvsim::TheHostErrors().Add("ZrlTrceMk: kind " + std::to_string(kind) + ", expected 1, at " +
                                   qvsim::FrameLine("<<", name, id));
    }
    TheTraceSink().Line(qvsim::Indent(), qvsim::FrameLine("<<", name, id));
}

void ZrlVal(const char* label, const char* format, ...) {
    std::string line = label != nullptr ? label : "";
    line += " = ";
    std::va_list args;
    va_start(args, format);
    qvsim::AppendV(&line, format, args);
    va_end(args);
    TheTraceSink().Line(qvsim::Indent(), line);
}

void ZrlChr(const char* text) {
    TheTraceSink().Line(qvsim::Indent(), text != nullptr ? text : "");
}

void ZrlSnp(const char* label, const char* format, const void* data, int count,
            int size) {
    std::string line = label != nullptr ? label : "";
    line += " =";
    if (data != nullptr && size > 0) {
        char conv;
        const std::string spec = qvsim::DumpFormat(format, &conv);
        const auto* p = static_cast<const unsigned char*>(data);
        for (int i = 0; i < count; ++i) {
            line += ' ';
            qvsim::AppendDumpValue(&line, spec, conv, p + static_cast<std::size_t>(i) * static_cast<std::size_t>(size), size);
        }
    }
    TheTraceSink().Line(qvsim::Indent(), line);
}
