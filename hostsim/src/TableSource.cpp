#include "TableSource.h"

#include "DiskFile.h"

namespace qvsim {
namespace {

QvsimTableSource g_source = nullptr;
void* g_context = nullptr;

}  // namespace

void SetTableSource(QvsimTableSource source, void* context) {
    g_source = source;
    g_context = source != nullptr ? context : nullptr;
}

bool ReadTableFile(const char* path, std::size_t maxBytes, std::string* storage,
                   std::string_view* bytes) {
    if (g_source == nullptr) {
        if (!ReadDiskFile(path, maxBytes, storage)) return false;
        *bytes = *storage;
        return true;
    }
    const char* data = nullptr;
    std::size_t size = 0;
    if (g_source(g_context, path, &data, &size) != 0 || (data == nullptr && size != 0) ||
        size > maxBytes) {
        return false;
    }
    *bytes = std::string_view(data != nullptr ? data : "", size);
    return true;
}

}  // namespace qvsim
