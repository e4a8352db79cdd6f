#include "Trace.h"

#include <charconv>
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

// "MARK NAME [ID]". A frame's entry and exit lines, and every frame of the
// same function, share " NAME [ID]": the last one is kept composed.
void FrameLine(const char* mark, const char* name, int32_t id) {
    static std::string lastName;
    static int32_t lastId = 0;
    static TraceLine lastText;  // " NAME [ID]"
    if (name == nullptr) name = "";
    if (id != lastId || lastText.Empty() || std::strncmp(name, lastName.c_str(), lastName.size() + 1) != 0) {
        lastName = name;
        lastId = id;
        lastText.Resize(0);
        lastText.Append(' ');
        lastText.Append(lastName);
        lastText.Append(" [");
        lastText.AppendInt(id);
        lastText.Append(']');
    }
    TraceLine& line = TheTraceSink().BeginLine(Indent());
    line.Append(mark);
    line.Append(lastText.View());
    TheTraceSink().EndLine();
}

bool IsFormat(const char* format, char conversion) {
    return format != nullptr && format[0] == '%' && format[1] == conversion && format[2] == '\0';
}

void AppendV(TraceLine* out, const char* format, std::va_list args) {
    if (format == nullptr) return;
    char small[256];
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        out->Append(std::string_view(small, static_cast<std::size_t>(n)));
        return;
    }
    const std::size_t start = out->Size();
    std::vsnprintf(out->Extend(static_cast<std::size_t>(n) + 1), static_cast<std::size_t>(n) + 1,
                   format, args);
    out->Resize(start + static_cast<std::size_t>(n));
}

void Append(TraceLine* out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    AppendV(out, format, args);
    va_end(args);
}

// A dump format is one integer conversion with optional flags and width
// ("%x", "%08X", "%d"). Anything else dumps in "%x".
std::string DumpFormat(const char* format, char* conv) {
    std::string conversion = "%";
    *conv = 'x';
    if (format == nullptr || format[0] != '%') return conversion;
    std::size_t i = 1;
    while (format[i] != '\0' && std::strchr("-+ #0123456789", format[i])) ++i;
    if (format[i] == '\0' || !std::strchr("diouxX", format[i]) ||
        format[i + 1] != '\0') {
        return conversion;
    }
    conversion.assign(format, i);
    *conv = format[i];
    return conversion;
}

void AppendDumpValue(TraceLine* out, const std::string& conversion, char conv,
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
    const std::string fmt = conversion + "ll" + conv;
    if (conv == 'd' || conv == 'i') {
        Append(out, fmt.c_str(), static_cast<long long>(signedValue));
    } else {
        Append(out, fmt.c_str(), static_cast<unsigned long long>(raw));
    }
}

// Composes and writes one line; a trace call that runs out of memory on
// the way drops its line, and no exception leaves it.
template <typename Compose>
void GuardedLine(Compose&& compose) noexcept {
    try {
        compose();
    } catch (...) {
        TheTraceSink().DropLine();
    }
}

}  // namespace

TraceSink g_traceSink;

void TraceReset() {
    ZrlMainSw = 0;
    std::memset(ZrlProgSw, 0, sizeof ZrlProgSw);
    g_current = nullptr;
    g_level = 0;
    TheTraceSink().Clear();
    TheTraceSink().SetFile(nullptr);
    TheTraceSink().ForgetFileError();
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
    qvsim::GuardedLine([&] { qvsim::FrameLine(">>", rec->name, rec->id); });
}

void ZrlTrceMk(int kind, const char* name, int32_t id) {
    qvsim::GuardedLine([&] {
        if (kind != 1) {
            qvsim::TheHostErrors().Add("ZrlTrceMk: kind " + std::to_string(kind) + ", expected 1, at << " +
                                       (name != nullptr ? name : "") + " [" + std::to_string(id) + "]");
        }
        qvsim::FrameLine("<<", name, id);
    });
}

void ZrlVal(const char* label, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    qvsim::GuardedLine([&] {
        qvsim::TraceLine& line = TheTraceSink().BeginLine(qvsim::Indent());
        if (label != nullptr) line.Append(label);
        line.Append(" = ");
        // The library's two formats without the printf machinery; the same
        // text as vsnprintf gives.
        if (qvsim::IsFormat(format, 'd')) {
            line.AppendInt(va_arg(args, int));
        } else if (qvsim::IsFormat(format, 's')) {
            std::va_list copy;
            va_copy(copy, args);
            const char* text = va_arg(copy, const char*);
            va_end(copy);
            if (text != nullptr) {
                line.Append(text);
            } else {
                qvsim::AppendV(&line, format, args);
            }
        } else {
            qvsim::AppendV(&line, format, args);
        }
        TheTraceSink().EndLine();
    });
    va_end(args);
}

void ZrlChr(const char* text) {
    qvsim::GuardedLine([&] { TheTraceSink().Line(qvsim::Indent(), text != nullptr ? text : ""); });
}

void ZrlSnp(const char* label, const char* format, const void* data, int count,
            int size) {
    qvsim::GuardedLine([&] {
        qvsim::TraceLine& line = TheTraceSink().BeginLine(qvsim::Indent());
        if (label != nullptr) line.Append(label);
        line.Append(" =");
        if (data != nullptr && size > 0) {
            char conv;
            const std::string conversion = qvsim::DumpFormat(format, &conv);
            const auto* p = static_cast<const unsigned char*>(data);
            for (int i = 0; i < count; ++i) {
                line.Append(' ');
                qvsim::AppendDumpValue(&line, conversion, conv,
                                       p + static_cast<std::size_t>(i) * static_cast<std::size_t>(size),
                                       size);
            }
        }
        TheTraceSink().EndLine();
    });
}
