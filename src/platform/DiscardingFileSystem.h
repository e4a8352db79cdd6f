// DiscardingFileSystem: a file system that reads, tests and names paths as
// the platform's does, but writes nowhere: every file opened for writing
// takes its text and drops it, and nothing is removed. A tool installs it
// (ScopedFileSystem) to run the library through to its output stage without
// leaving a file: a check of a model, a dry run that lists what an export
// would write.
#ifndef QVKDC_PLATFORM_DISCARDINGFILESYSTEM_H
#define QVKDC_PLATFORM_DISCARDINGFILESYSTEM_H

#include <memory>
#include <string>
#include <vector>

#include "inspect/FileSystem.h"

class DiscardingFileSystem : public FileSystem {
 public:
    // REQUIRES: base outlives this file system.
    explicit DiscardingFileSystem(FileSystem* base = FileSystem::Default()) : base_(base) {}

    std::string NativePath(std::string_view path) override { return base_->NativePath(path); }
    bool Exists(std::string_view path) override { return base_->Exists(path); }
    int OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        return base_->OpenForRead(path, reader);
    }
    // Always succeeds; the path is remembered.
    int OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    // Nothing to remove: succeeds.
    int Remove(std::string_view) override { return 0; }
    int ProbeWrite(std::string_view path, std::string* why) override { return base_->ProbeWrite(path, why); }
    std::size_t NameStart(std::string_view path) override { return base_->NameStart(path); }

    // The paths opened for writing, in order, as the library composed them.
    const std::vector<std::string>& Opened() const { return opened_; }

 private:
    FileSystem* base_;
    std::vector<std::string> opened_;
};

#endif  // QVKDC_PLATFORM_DISCARDINGFILESYSTEM_H
