#include "TraceSink.h"

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
    if (file_) {
        std::fwrite(line.data(), 1, line.size(), file_.get());
        std::fflush(file_.get());
    }
    lines_.Resize(0);
}

void TraceSink::FlushLines() {
    if (file_ && !lines_.Empty()) std::fwrite(lines_.Data(), 1, lines_.Size(), file_.get());
    lines_.Resize(0);
}

void TraceSink::CloseFile() {
    if (buffered_) FlushLines();
    file_.reset();
    buffered_ = false;
}

int TraceSink::SetFile(const char* path) {
    CloseFile();
    if (path == nullptr) return 0;
    file_.reset(std::fopen(path, "wb"));
    return file_ ? 0 : -1;
}

int TraceSink::SetBufferedFile(const char* path) {
    if (SetFile(path) != 0 || path == nullptr) return path == nullptr ? 0 : -1;
    buffered_ = true;
    return 0;
}

}  // namespace qvsim
