#include <windows.h>

#include "DiskFile.h"

namespace qvsim {

bool ReadDiskFile(const char* path, std::size_t maxBytes, std::string* bytes) {
    bytes->clear();
    if (path == nullptr) return false;
    // A folder cannot be opened this way; a pipe or a device can, and is
    // refused by its type.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) != 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= maxBytes;
    std::size_t used = 0;
    if (ok) bytes->resize(static_cast<std::size_t>(size.QuadPart));
    while (ok && used < bytes->size()) {
        const std::size_t want = bytes->size() - used;
        DWORD n = 0;
        ok = ReadFile(file, &(*bytes)[used], want < (1u << 30) ? static_cast<DWORD>(want) : (1u << 30),
                      &n, nullptr) != 0;
        if (n == 0) break;
        used += n;
    }
    CloseHandle(file);
    bytes->resize(ok ? used : 0);
    return ok;
}

}  // namespace qvsim
