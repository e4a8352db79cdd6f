// FaultFileSystem: the platform's file system, except that the nth call of
// one operation of its readers and writers fails once with kFault: a read
// gives -1; a write or a close abandons the file, as the platform's writer
// does when the system refuses it, so that the file at the path stays as it
// was, and gives kFault from then on. It is the library's current file
// system while the object lives.
#ifndef QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H
#define QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H

#include <memory>
#include <string>

#include "examine/FileSystemWrapper.h"

class FaultFileSystem : public FileSystemWrapper {
 public:
    enum Op { kWrite, kClose, kReadLine };
    static constexpr const char* kFault = "fault made by the test";

    FaultFileSystem(Op op, int nth)
        : FileSystemWrapper(FileSystem::Default()), failing_(op), left_(nth), scope_(this) {}

    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        auto file = std::make_unique<File>(this);
        Status status = Target()->OpenForRead(path, &file->reader);
        if (status.ok()) *reader = std::move(file);
        return status;
    }
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override {
        auto file = std::make_unique<File>(this);
        Status status = Target()->OpenForWrite(path, &file->writer);
        if (status.ok()) *writer = std::move(file);
        return status;
    }

 private:
    // A file the platform's file system opened, with the faults on top.
    struct File : LineReader, TextWriter {
        explicit File(FaultFileSystem* owner) : fs(owner) {}
        int ReadLine(std::string* line) override {
            if (!fs->Fails(kReadLine)) return reader->ReadLine(line);
            fault = Status::Error(kFault);
            return -1;
        }
        const Status& ReadError() const override { return fault.ok() ? reader->ReadError() : fault; }
        Status Write(std::string_view text) override { return Faulted(kWrite) ? fault : writer->Write(text); }
        Status Close() override { return Faulted(kClose) ? fault : writer->Close(); }
        // Whether the writer has failed: at this call of op, or before.
        bool Faulted(Op op) {
            if (fault.ok() && fs->Fails(op)) {
                writer.reset();
                fault = Status::Error(kFault);
            }
            return !fault.ok();
        }
        FaultFileSystem* fs;
        std::unique_ptr<LineReader> reader;
        std::unique_ptr<TextWriter> writer;
        Status fault;
    };
    bool Fails(Op op) { return op == failing_ && --left_ == 0; }

    Op failing_;
    int left_;
    ScopedFileSystem scope_;
};

#endif  // QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H
