// ProbingFileSystem: a DiscardingFileSystem whose opens for writing fail
// where the platform's would. Each open asks the base file system whether
// the file could be written now (ProbeWrite) and, when it could not, fails
// as the real open would and keeps the reason. A check installs it to run
// the library through its output stage against the real output folder, so
// that the run fails at the plan and step where an export would, without a
// file written.
#ifndef QVKDC_PLATFORM_PROBINGFILESYSTEM_H
#define QVKDC_PLATFORM_PROBINGFILESYSTEM_H

#include <memory>
#include <string>

#include "platform/DiscardingFileSystem.h"

class ProbingFileSystem : public DiscardingFileSystem {
 public:
    // REQUIRES: base outlives this file system.
    explicit ProbingFileSystem(FileSystem* base = FileSystem::Default()) : DiscardingFileSystem(base) {}

    // Returns -1, remembering path and the system's reason, when the base's
    // ProbeWrite says path cannot be written; else opens a writer that drops
    // its text, as DiscardingFileSystem does.
    int OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;

    // The path of the last open that failed, as the library composed it,
    // and why; both "" while none failed.
    const std::string& FailedPath() const { return failedPath_; }
    const std::string& Why() const { return why_; }

 private:
    std::string failedPath_;
    std::string why_;
};

#endif  // QVKDC_PLATFORM_PROBINGFILESYSTEM_H
