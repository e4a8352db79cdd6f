#include "system/StandardOutput.h"

#include <iostream>

#include "system/ExitCodes.h"

namespace {

// The living StandardOutput, if any.
StandardOutput* g_current = nullptr;

constexpr std::size_t kBufferSize = std::size_t{1} << 16;

}  // namespace

StandardOutput::StandardOutput() : buffer_(kBufferSize) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    own_ = std::cout.rdbuf(this);
    g_current = this;
}

StandardOutput::~StandardOutput() {
    std::cout.rdbuf(own_);
    g_current = nullptr;
}

bool StandardOutput::WriteBuffered() {
    const std::string_view bytes(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    if (failure_.empty() && !bytes.empty()) failure_ = WriteToStandardOutput(bytes);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return failure_.empty();
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
    if (closed_ || !WriteBuffered()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int StandardOutput::sync() { return !closed_ && WriteBuffered() ? 0 : -1; }

int StandardOutput::Close(int code) {
    StandardOutput* out = g_current;
    if (out == nullptr) {
        std::cout.flush();
        return code;
    }
    if (!out->closed_) {
        out->WriteBuffered();
        const std::string closing = CloseStandardOutput();
        if (out->failure_.empty()) out->failure_ = closing;
        out->closed_ = true;
        if (!out->failure_.empty()) OutputFailure("standard output", out->failure_);
    }
    return out->failure_.empty() ? code : CombinedExit(code, kExitOutput);
}
