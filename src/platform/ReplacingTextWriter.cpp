#include "platform/ReplacingTextWriter.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

ReplacingTextWriter::ReplacingTextWriter(std::string_view lineEnd) : lineEnd_(lineEnd) {
    buffer_.reserve(kBufferSize + 2);
}

// Text of a block or more, with nothing to convert, goes to the file at
// once, without a copy into the buffer.
Status ReplacingTextWriter::Write(std::string_view text) {
    if (!error_.ok()) return error_;
    if (closed_) return Status::Error("the file is closed");
    if (lineEnd_ == "\n") {
        if (buffer_.size() + text.size() > kBufferSize && !Flush()) return error_;
        if (text.size() < kBufferSize) {
            buffer_.append(text);
            return Status::OK();
        }
        error_ = file_.Write(text);
        return error_;
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
        if (buffer_.size() >= kBufferSize && !Flush()) return error_;
    }
    return Status::OK();
}

Status ReplacingTextWriter::Close() {
    if (!error_.ok()) {
        file_.Abandon();
        closed_ = true;
        return error_;
    }
    if (closed_) return Status::Error("the file is closed");
    closed_ = true;
    if (!Flush()) {
        file_.Abandon();
        return error_;
    }
    error_ = file_.Commit();
    return error_;
}

bool ReplacingTextWriter::Flush() {
    if (!buffer_.empty()) error_ = file_.Write(buffer_);
    buffer_.clear();
    return error_.ok();
}
