#include "platform/ProbingFileSystem.h"

Status ProbingFileSystem::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    Status status = ProbeWrite(path);
    if (!status.ok()) {
        failedPath_.assign(path);
        why_ = status;
        return status;
    }
    return DiscardingFileSystem::OpenForWrite(path, writer);
}
