// ProbingFileSystem: a DiscardingFileSystem whose opens for writing fail
// where the platform's would. Each open asks the target file system whether
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
    // REQUIRES: target outlives this file system.
    explicit ProbingFileSystem(FileSystem* target = FileSystem::Default()) : DiscardingFileSystem(target) {}

    // Returns the target's ProbeWrite reason, remembering path and the
    // reason, when path cannot be written; else opens a writer that drops
    // its text, as DiscardingFileSystem does.
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;

    // The path of the last open that failed, as the library composed it,
    // and why; "" and ok while none failed.
    const std::string& FailedPath() const { return failedPath_; }
    const Status& Why() const { return why_; }

 private:
    std::string failedPath_;
    Status why_;
};

#endif  // QVKDC_PLATFORM_PROBINGFILESYSTEM_H
