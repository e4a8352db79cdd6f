#include "platform/ReplacingTextWriter.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

ReplacingTextWriter::ReplacingTextWriter(std::string_view lineEnd) : lineEnd_(lineEnd) {
    buffer_.reserve(kBufferSize + 2);
}

int ReplacingTextWriter::Open(const std::string& native, std::string* why) {
    return file_.Open(native, why);
}

// Text of a block or more, with nothing to convert, goes to the file at
// once, without a copy into the buffer.
int ReplacingTextWriter::Write(std::string_view text) {
    if (failed_ || closed_) return -1;
    if (lineEnd_ == "\n") {
        if (buffer_.size() + text.size() > kBufferSize && !Flush()) return -1;
        if (text.size() >= kBufferSize) {
            failed_ = file_.Write(text, &error_) != 0;
            return failed_ ? -1 : 0;
        }
        buffer_.append(text);
        return 0;
    }
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        const std::size_t take = lf == std::string_view::npos ? text.size() : lf;
        const std::size_t room = kBufferSize - buffer_.size();
        if (take >= room) {
            buffer_.append(text.substr(0, room));
            text.remove_prefix(room);
        } else {
            buffer_.append(text.substr(0, take));
            text.remove_prefix(take);
            if (!text.empty()) {
                buffer_.append(lineEnd_);
                text.remove_prefix(1);
            }
        }
        if (buffer_.size() >= kBufferSize && !Flush()) return -1;
    }
    return 0;
}

int ReplacingTextWriter::Close() {
    if (closed_) return -1;
    closed_ = true;
    if (failed_ || !Flush()) {
        file_.Abandon();
        return -1;
    }
    return file_.Commit(&error_) == 0 ? 0 : -1;
}

bool ReplacingTextWriter::Flush() {
    if (!buffer_.empty() && file_.Write(buffer_, &error_) != 0) failed_ = true;
    buffer_.clear();
    return !failed_;
}
