// FaultFileSystem: forwards to another file system and makes the nth call of
// a chosen operation fail, counted from when it is armed. Readers and
// writers it hands out count and fail their calls the same way.
//
// A failing call reports the operation's failure without reaching the file
// system below (Exists answers false), except Close, which closes the file
// below and then reports -1.
#ifndef QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H
#define QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H

#include "platform/FileSystem.h"

class FaultFileSystem : public FileSystem {
 public:
    enum Op { kExists, kOpenForRead, kOpenForWrite, kWrite, kClose, kRemove, kReadLine, kOpCount };

    // REQUIRES: base outlives this object and every reader and writer it
    // hands out.
    explicit FaultFileSystem(FileSystem* base) : base_(base) {}

    // The nth call (1-based, from now) of op fails, once; 0 disarms.
    void FailNth(Op op, int nth);
    // Calls of op since construction.
    int Calls(Op op) const { return calls_[op]; }

    std::string NativePath(std::string_view path) override { return base_->NativePath(path); }
    bool Exists(std::string_view path) override;
    int OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override;
    int OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    int Remove(std::string_view path) override;

    // Counts a call of op; true when it must fail.
    bool Hit(Op op);

 private:
    FileSystem* base_;
    int calls_[kOpCount] = {};
    int fail_at_[kOpCount] = {};  // call number that fails; 0 = none
};

#endif  // QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H
