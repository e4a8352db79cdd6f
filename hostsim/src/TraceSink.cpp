#include "TraceSink.h"

namespace qvsim {

std::string& TraceSink::BeginLine(int indent) {
    std::string& out = keep_ ? text_ : buffer_;
    lineFrom_ = out.size();
    if (indent > 0) out.append(static_cast<std::size_t>(indent), ' ');
    lineStart_ = out.size();
    return out;
}

void TraceSink::EndLine() {
    std::string& out = keep_ ? text_ : buffer_;
    if (out.size() == lineStart_ || out.back() != '\n') out.push_back('\n');
    if (!keep_) {
        if (buffer_.size() >= kFlushAt) FlushBuffer();
    } else if (file_) {
        std::fwrite(text_.data() + lineFrom_, 1, text_.size() - lineFrom_, file_.get());
        std::fflush(file_.get());
    }
}

void TraceSink::FlushBuffer() {
    if (file_ && !buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get());
    buffer_.clear();
}

void TraceSink::CloseFile() {
    FlushBuffer();
    file_.reset();
    keep_ = true;
}

int TraceSink::SetFile(const char* path) {
    CloseFile();
    if (path == nullptr) return 0;
    file_.reset(std::fopen(path, "wb"));
    return file_ ? 0 : -1;
}

int TraceSink::SetBufferedFile(const char* path) {
    if (SetFile(path) != 0 || path == nullptr) return path == nullptr ? 0 : -1;
    keep_ = false;
    buffer_.reserve(kFlushAt + 4096);
    return 0;
}

}  // namespace qvsim
