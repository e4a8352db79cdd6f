// FileSystemWrapper: a file system that forwards every call to another one,
// its target. A file system that changes only some calls (one that drops
// what is written, one that fails on purpose, one that records what a run
// did) derives from it and overrides just those, so that a call added to
// FileSystem later reaches the target unchanged.
#ifndef QVKDC_EXAMINE_FILESYSTEMWRAPPER_H
#define QVKDC_EXAMINE_FILESYSTEMWRAPPER_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "FileSystem.h"

class FileSystemWrapper : public FileSystem {
 public:
    // REQUIRES: target is not null and outlives this file system; the
    // wrapper may be made before target is (as a member of a subclass),
    // as long as no call comes before.
    explicit FileSystemWrapper(FileSystem* target) : target_(target) {}

    // The file system every call goes to.
    FileSystem* Target() const { return target_; }

    std::string NativePath(std::string_view path) override { return target_->NativePath(path); }
    bool Exists(std::string_view path) override { return target_->Exists(path); }
    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        return target_->OpenForRead(path, reader);
    }
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override {
        return target_->OpenForWrite(path, writer);
    }
    Status Remove(std::string_view path) override { return target_->Remove(path); }
    Status ProbeWrite(std::string_view path) override { return target_->ProbeWrite(path); }
    std::size_t NameStart(std::string_view path) override { return target_->NameStart(path); }

 private:
    FileSystem* target_;
};

#endif  // QVKDC_EXAMINE_FILESYSTEMWRAPPER_H
