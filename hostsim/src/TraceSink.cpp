#include "TraceSink.h"

#include <cerrno>
#include <cstring>

namespace qvsim {

void TraceSink::EndLine() {
    if (lines_.Size() == lineStart_ || lines_.Back() != '\n') lines_.Append('\n');
    if (buffered_) {
        // The notes stay in memory too, so that a host can follow the run.
        const std::string_view text = lines_.View(lineStart_);
        if (text.substr(0, 5) == "[ERR]" || text.substr(0, 5) == "[INF]") {
            text_.append(lines_.View(lineFrom_));
        }
        if (lines_.Size() >= kFlushAt) FlushLines();
        return;
    }
    const std::string_view line = lines_.View(lineFrom_);
    text_.append(line);
    WriteFile(line, true);
    lines_.Resize(0);
}

void TraceSink::Fail() {
    if (fileError_.empty()) fileError_ = errno != 0 ? std::strerror(errno) : "the write failed";
}

void TraceSink::WriteFile(std::string_view bytes, bool flush) {
    if (!file_ || !fileError_.empty() || bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size() ||
        (flush && std::fflush(file_.get()) != 0)) {
        Fail();
    }
}

void TraceSink::FlushLines() {
    WriteFile(lines_.View(), false);
    lines_.Resize(0);
}

void TraceSink::CloseFile() {
    if (buffered_) FlushLines();
    buffered_ = false;
    if (!file_) return;
    errno = 0;
    if (std::fclose(file_.release()) != 0) Fail();
}

int TraceSink::SetFile(const char* path) {
    CloseFile();
    if (path == nullptr) return 0;
    fileError_.clear();
    errno = 0;
    file_.reset(std::fopen(path, "wb"));
    if (file_) return 0;
    Fail();
    return -1;
}

int TraceSink::SetBufferedFile(const char* path) {
    if (SetFile(path) != 0 || path == nullptr) return path == nullptr ? 0 : -1;
    buffered_ = true;
    return 0;
}

}  // namespace qvsim
