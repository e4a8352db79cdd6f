// DiscardingFileSystem: a file system that reads, tests and names paths as
// its target does, but writes nowhere: every file opened for writing
// takes its text and drops it, and nothing is removed. A tool installs it
// (ScopedFileSystem) to run the library through to its output stage without
// leaving a file: a check of a model, a dry run that lists what an export
// would write.
#ifndef QVKDC_PLATFORM_DISCARDINGFILESYSTEM_H
#define QVKDC_PLATFORM_DISCARDINGFILESYSTEM_H

#include <memory>

#include "examine/FileSystemWrapper.h"

class DiscardingFileSystem : public FileSystemWrapper {
 public:
    // REQUIRES: target outlives this file system.
    explicit DiscardingFileSystem(FileSystem* target = FileSystem::Default()) : FileSystemWrapper(target) {}

    // Always succeeds.
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    // Nothing to remove: succeeds.
    Status Remove(std::string_view) override { return Status::OK(); }
};

#endif  // QVKDC_PLATFORM_DISCARDINGFILESYSTEM_H
