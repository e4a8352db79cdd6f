// FileSystemWindows: the file system of Windows.
//
// Paths go to the file calls as they are given: Windows itself resolves a
// root-relative path (a leading backslash, "\MIRVANE\...") against the root
// of the current drive, and a path with a drive letter or a relative one as
// usual.
//
// Files are read and written as text: each "\n" written becomes CR LF, and
// CR LF read becomes the end of a line. A file written replaces its target
// whole at Close (ReplacingFile: a temporary file in the folder, flushed to
// disk and moved over the target). An existing file being replaced is
// shared with nobody: every other open of it, for reading or writing, from
// this process or another, is refused until it is replaced.
#ifndef QVKDC_PLATFORM_FILESYSTEMWINDOWS_H
#define QVKDC_PLATFORM_FILESYSTEMWINDOWS_H

#include "examine/FileSystem.h"

class FileSystemWindows : public FileSystem {
 public:
    // The path unchanged.
    std::string NativePath(std::string_view path) override;
    // GetFileAttributes of exactly the path: true for a file or a folder,
    // and for a link, which it does not follow. It takes no wildcards: a
    // path with '*' or '?' never exists. False as well when the path holds a
    // NUL byte.
    bool Exists(std::string_view path) override;
    // Fails for anything but a file on disk (a folder, a pipe, a device, a
    // link to nothing).
    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override;
    // Fails for a folder, a read-only file, while the file is open anywhere
    // else, and when the temporary file cannot be made in its folder.
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override;
    // Fails as well while the file is open.
    Status Remove(std::string_view path) override;
    Status ProbeWrite(std::string_view path) override;
    // Walks path character by character in the system's ANSI code page.
    std::size_t NameStart(std::string_view path) override;
};

#endif  // QVKDC_PLATFORM_FILESYSTEMWINDOWS_H
