// ReadableFile: a regular file open for reading, or why it could not be
// opened (a Status). The one way the library's platform layer, the stand-in
// host and qvkdc open a file they read.
//
// Opening never waits: a pipe without a writer, a device or a folder at the
// path is told, not opened for reading (on POSIX only a regular file is ever
// opened; should a pipe take its place meanwhile, the open does not wait
// for its writer). The reason is the system's own ("No such file or
// directory", "Permission denied", "Too many levels of symbolic links"), or
// what is there instead ("is a folder", "is a pipe (FIFO), not a file", "is a
// link to nothing"), with the system's code where a call gave one. Only a
// missing file or folder on the path is "not found": a link to nothing is
// there, as the existence tests see it.
//
// One implementation per platform: ReadableFilePosix.cpp (open, fstat, read)
// and ReadableFileWindows.cpp (CreateFile, GetFileType, ReadFile). Paths are
// the platform's own (FileSystem::NativePath).
#ifndef QVKDC_EXAMINE_READABLEFILE_H
#define QVKDC_EXAMINE_READABLEFILE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Status.h"

class ReadableFile {
 public:
    ReadableFile() = default;
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // Opens the regular file at path for reading, shared with other readers
    // and writers. Returns ok when it is open, else why not.
    // REQUIRES: path is not null; the file is not open.
    Status Open(const char* path);
    bool IsOpen() const { return handle_ != kClosed; }
    // The size of the file when it was opened, in bytes.
    std::uint64_t Size() const { return size_; }

    // The size of the block a reader of a whole file reads at once.
    static constexpr std::size_t kBlockSize = 1 << 16;

    // Reads up to size bytes into data. Returns the number read, 0 at the
    // end of the file, or -1 on a read error, whose reason ReadError()
    // then gives. REQUIRES: IsOpen().
    std::ptrdiff_t Read(char* data, std::size_t size);
    const Status& ReadError() const { return readError_; }

    // The open file as a C stream that reads it from where it stands, in
    // binary mode, or in text mode (on Windows CR LF becomes LF and a Ctrl-Z
    // byte ends the file; elsewhere text mode is binary). The caller closes
    // it with fclose. Null when no stream could be made; the file is closed
    // either way. REQUIRES: IsOpen().
    std::FILE* ReleaseStream(bool text);

 private:
    static constexpr std::intptr_t kClosed = -1;
    void Close();

    std::intptr_t handle_ = kClosed;  // a file descriptor or a HANDLE
    std::uint64_t size_ = 0;
    Status readError_;
};

#endif  // QVKDC_EXAMINE_READABLEFILE_H
