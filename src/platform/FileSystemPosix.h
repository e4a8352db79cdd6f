// FileSystemPosix: the file system of a POSIX platform.
//
// There are no drives: a root-relative path (a leading backslash) is taken
// from the working directory, as from the root of the current drive (from
// "/" when the working directory cannot be found). Every backslash of the
// given path becomes a slash; a path starting with "/" is absolute and any
// other path, one with a drive letter included, is relative to the working
// directory. The working directory is looked up at each call.
//
// Files are written as they are given ("\n" stays "\n"), each replacing its
// target whole at Close (ReplacingFile: a temporary file in the folder,
// synced to disk and renamed over the target). An existing regular file
// being replaced holds an exclusive advisory lock (flock): another
// OpenForWrite of the same file, from this process or another, is refused.
#ifndef QVKDC_PLATFORM_FILESYSTEMPOSIX_H
#define QVKDC_PLATFORM_FILESYSTEMPOSIX_H

#include "examine/FileSystem.h"

class FileSystemPosix : public FileSystem {
 public:
    std::string NativePath(std::string_view path) override;
    // The entry itself (lstat), as Windows sees it: a symbolic link counts,
    // whether or not its target is there. False when the path holds a NUL
    // byte or cannot be looked at.
    bool Exists(std::string_view path) override;
    // Fails, without waiting, for anything but a regular file (a folder,
    // a pipe, a device, a link to nothing).
    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override;
    // Fails for a folder, a file that cannot be written, while another
    // writer holds the file, and when the temporary file cannot be made in
    // its folder; a file held by another writer is left untouched.
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    Status Remove(std::string_view path) override;
    Status ProbeWrite(std::string_view path) override;
    std::size_t NameStart(std::string_view path) override;
};

#endif  // QVKDC_PLATFORM_FILESYSTEMPOSIX_H
