#include <io.h>

#include <cerrno>
#include <cstring>

#include "system/StandardOutput.h"

// Through the C runtime's descriptor, so that a line feed becomes CR LF in
// text mode, as it did through std::cout's own buffer; the reason is the C
// runtime's wording of the system's error.
std::string WriteToStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const unsigned chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
        const int n = _write(1, bytes.data(), chunk);
        if (n <= 0) return n < 0 ? std::strerror(errno) : "nothing was written";
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return "";
}

// EBADF: there was no standard output, and a write to it would have failed
// already.
std::string CloseStandardOutput() {
    return _close(1) != 0 && errno != EBADF ? std::strerror(errno) : "";
}
