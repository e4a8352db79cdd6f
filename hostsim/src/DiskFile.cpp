#include "DiskFile.h"

#include "examine/ReadableFile.h"

namespace qvsim {

bool ReadDiskFile(const char* path, std::size_t maxBytes, std::string* bytes) {
    bytes->clear();
    if (path == nullptr) return false;
    ReadableFile file;
    if (!file.Open(path).ok() || file.Size() > maxBytes) return false;
    // The size is where reading starts; a file that grows meanwhile is read
    // on to its end, in blocks, up to maxBytes and one byte more to tell.
    bytes->resize(static_cast<std::size_t>(file.Size()));
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        if (used == bytes->size()) {
            if (used >= maxBytes) {
                char probe;
                ok = file.Read(&probe, 1) == 0;
                break;
            }
            bytes->resize(used + (1 << 16) < maxBytes ? used + (1 << 16) : maxBytes);
        }
        const std::ptrdiff_t n = file.Read(&(*bytes)[used], bytes->size() - used);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    bytes->resize(ok ? used : 0);
    return ok;
}

}  // namespace qvsim
