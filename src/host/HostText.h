// HostText: a fixed text buffer that a host call fills.
//
// The buffer is cleared on construction (and by Clear) and is always read
// back bounded: whatever the host wrote, the last byte is forced to NUL
// before the text is taken, so a host that fills the whole buffer without a
// terminator yields at most Size - 1 characters and never a read past the
// end.
#ifndef QVKDC_HOST_HOSTTEXT_H
#define QVKDC_HOST_HOSTTEXT_H

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t Size>
class HostText {
 public:
    static_assert(Size > 0, "a host buffer holds at least its terminator");
    static constexpr std::size_t kSize = Size;

    HostText() { Clear(); }

    void Clear() { std::memset(buf_, 0, Size); }
    // Buffer to hand to the host call.
    char* data() { return buf_; }
    // Copies text in, cut to Size - 1 bytes; returns false when it was cut.
    bool Assign(std::string_view text) {
        Clear();
        const std::size_t n = text.size() < Size ? text.size() : Size - 1;
        std::memcpy(buf_, text.data(), n);
        return n == text.size();
    }
    // Terminates the buffer and returns its text.
    std::string_view view() {
        buf_[Size - 1] = '\0';
        return std::string_view(buf_, std::strlen(buf_));
    }
    const char* c_str() {
        buf_[Size - 1] = '\0';
        return buf_;
    }
    std::string str() { return std::string(view()); }

 private:
    char buf_[Size];
};

#endif  // QVKDC_HOST_HOSTTEXT_H
