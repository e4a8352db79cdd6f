#include "platform/ProbingFileSystem.h"

int ProbingFileSystem::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string why;
    if (ProbeWrite(path, &why) != 0) {
        failedPath_.assign(path);
        why_ = why.empty() ? std::string("the file cannot be opened") : why;
        return -1;
    }
    return DiscardingFileSystem::OpenForWrite(path, writer);
}
