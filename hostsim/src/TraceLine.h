// TraceLine: trace text being composed, in a buffer that keeps its capacity.
//
// Appending is inline and never shrinks the buffer, so composing a line
// costs a few copies once the buffer has grown to the longest line (or, in
// the trace sink, to the lines gathered before a write).
#ifndef QVHOSTSIM_TRACELINE_H
#define QVHOSTSIM_TRACELINE_H

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

namespace qvsim {

class TraceLine {
 public:
    void Append(std::string_view text) {
        if (!text.empty()) std::memcpy(Extend(text.size()), text.data(), text.size());
    }
    void Append(char c) { *Extend(1) = c; }
    void AppendInt(long long value) {
        char* p = Extend(24);
        size_ -= 24 - static_cast<std::size_t>(std::to_chars(p, p + 24, value).ptr - p);
    }
    // n more bytes at the end, for the caller to write.
    char* Extend(std::size_t n) {
        if (size_ + n > buf_.size()) buf_.resize(size_ + n > 2 * buf_.size() ? size_ + n : 2 * buf_.size());
        char* p = buf_.data() + size_;
        size_ += n;
        return p;
    }
    // REQUIRES: n <= Size().
    void Resize(std::size_t n) { size_ = n; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    char Back() const { return buf_[size_ - 1]; }
    const char* Data() const { return buf_.data(); }
    std::string_view View(std::size_t from = 0) const {
        return std::string_view(buf_.data() + from, size_ - from);
    }

 private:
    std::vector<char> buf_;
    std::size_t size_ = 0;
};

}  // namespace qvsim

#endif  // QVHOSTSIM_TRACELINE_H
