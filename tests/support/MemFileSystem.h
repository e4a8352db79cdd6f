// MemFileSystem: files and folders in memory, for tests. Paths are keys as
// they stand (NativePath is the identity); nothing checks that a file's
// folder exists. A file open for writing cannot be opened for writing again
// or removed until its writer closes; what was written shows at once.
#ifndef QVKDC_TESTS_SUPPORT_MEMFILESYSTEM_H
#define QVKDC_TESTS_SUPPORT_MEMFILESYSTEM_H

#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

class MemFileSystem : public FileSystem {
 public:
    void AddFile(const std::string& path, std::string contents) { files_[path] = std::move(contents); }
    void AddFolder(const std::string& path) { folders_.insert(path); }
    bool HasFile(const std::string& path) const { return files_.count(path) != 0; }
    // Contents of the file at path; "" when there is none.
    std::string Contents(const std::string& path) const;
    const std::map<std::string, std::string>& Files() const { return files_; }

    std::string NativePath(std::string_view path) override { return std::string(path); }
    bool Exists(std::string_view path) override;
    int OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override;
    // REQUIRES: the writer goes before the file system.
    int OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    int Remove(std::string_view path) override;

 private:
    class Writer;

    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> writing_;
};

#endif  // QVKDC_TESTS_SUPPORT_MEMFILESYSTEM_H
