// MemoryFiles: the files of one fuzz input, held in memory and served to
// both sides: to the library as its file system (install it with a
// ScopedFileSystem) and to the stand-in host's table reader as its table
// source (Serve). Paths are keys as they stand: NativePath is the identity
// and there are no folders. Files written are kept.
#ifndef QVKDC_FUZZ_MEMORYFILES_H
#define QVKDC_FUZZ_MEMORYFILES_H

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FileSystem.h"

class MemoryFiles : public FileSystem {
 public:
    // A reader hands out the bytes of a file blockSize bytes at a time
    // (0: all at once), so that lines cross block boundaries anywhere.
    explicit MemoryFiles(std::size_t blockSize = 0) : blockSize_(blockSize) {}
    // Stops serving the table reader if Serve was called.
    ~MemoryFiles() override;

    void Add(const std::string& path, std::string_view bytes) { files_[path] = std::string(bytes); }
    const std::map<std::string, std::string>& Files() const { return files_; }
    // Makes these files the table reader's source until this object goes.
    void Serve();

    std::string NativePath(std::string_view path) override { return std::string(path); }
    bool Exists(std::string_view path) override;
    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override;
    // REQUIRES: the writer is closed or gone before the file is removed.
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    Status Remove(std::string_view path) override;
    // Always ok: a file can be made at any key.
    Status ProbeWrite(std::string_view) override { return Status::OK(); }
    // Keys have no folders.
    std::size_t NameStart(std::string_view) override { return 0; }

 private:
    std::map<std::string, std::string> files_;
    std::size_t blockSize_;
    bool serving_ = false;
};

// Every line of bytes as a reader of MemoryFiles(blockSize) reads them.
std::vector<std::string> ReadAllLines(std::string_view bytes, std::size_t blockSize);

#endif  // QVKDC_FUZZ_MEMORYFILES_H
