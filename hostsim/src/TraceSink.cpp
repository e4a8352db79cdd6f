#include "TraceSink.h"

namespace qvsim {

void TraceSink::Line(int indent, std::string_view text) {
    const std::size_t start = text_.size();
    if (indent > 0) text_.append(static_cast<std::size_t>(indent), ' ');
    text_.append(text);
    if (text.empty() || text.back() != '\n') text_.push_back('\n');
    if (file_) {
        std::fwrite(text_.data() + start, 1, text_.size() - start, file_.get());
        std::fflush(file_.get());
    }
}

int TraceSink::SetFile(const char* path) {
    file_.reset();
    if (path == nullptr) return 0;
    file_.reset(std::fopen(path, "wb"));
    return file_ ? 0 : -1;
}

}  // namespace qvsim
