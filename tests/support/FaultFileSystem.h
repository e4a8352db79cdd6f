// FaultFileSystem: the platform's file system, except that the nth call of
// one operation of its readers and writers fails once: a read gives -1; a
// write or a close gives -1 and abandons the file, as the platform's writer
// does when the system refuses it, so that the file at the path stays as it
// was. It is the library's current file system while the object lives.
#ifndef QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H
#define QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H

#include <memory>
#include <string>

#include "inspect/FileSystem.h"

class FaultFileSystem : public FileSystem {
 public:
    enum Op { kWrite, kClose, kReadLine };

    FaultFileSystem(Op op, int nth) : failing_(op), left_(nth), scope_(this) {}

    std::string NativePath(std::string_view path) override { return base_->NativePath(path); }
    bool Exists(std::string_view path) override { return base_->Exists(path); }
    int Remove(std::string_view path) override { return base_->Remove(path); }
    int ProbeWrite(std::string_view path, std::string* why) override { return base_->ProbeWrite(path, why); }
    std::size_t NameStart(std::string_view path) override { return base_->NameStart(path); }
    int OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        auto file = std::make_unique<File>(this);
        if (base_->OpenForRead(path, &file->reader) != 0) return -1;
        *reader = std::move(file);
        return 0;
    }
    int OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override {
        auto file = std::make_unique<File>(this);
        if (base_->OpenForWrite(path, &file->writer) != 0) return -1;
        *writer = std::move(file);
        return 0;
    }

 private:
    // A file the platform's file system opened, with the faults on top.
    struct File : LineReader, TextWriter {
        explicit File(FaultFileSystem* owner) : fs(owner) {}
        int ReadLine(std::string* line) override { return fs->Fails(kReadLine) ? -1 : reader->ReadLine(line); }
        int Write(std::string_view text) override {
            if (writer && fs->Fails(kWrite)) writer.reset();
            return writer ? writer->Write(text) : -1;
        }
        int Close() override {
            if (writer && fs->Fails(kClose)) writer.reset();
            return writer ? writer->Close() : -1;
        }
        FaultFileSystem* fs;
        std::unique_ptr<LineReader> reader;
        std::unique_ptr<TextWriter> writer;
    };
    bool Fails(Op op) { return op == failing_ && --left_ == 0; }

    FileSystem* base_ = FileSystem::Default();
    Op failing_;
    int left_;
    ScopedFileSystem scope_;
};

#endif  // QVKDC_TESTS_SUPPORT_FAULTFILESYSTEM_H
