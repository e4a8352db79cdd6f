// SystemFiles: what qvkdc asks of the operating system for the files it
// reads, writes or explains itself, with the system's own reason when it
// refuses. One implementation per platform (SystemFilesPosix.cpp,
// SystemFilesWindows.cpp); the library's files go through its own platform
// layer.
#ifndef QVKDC_TOOLS_SYSTEMFILES_H
#define QVKDC_TOOLS_SYSTEMFILES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// "" when path is a regular file that opens for reading; otherwise why not,
// in the system's words ("No such file or directory", "Permission denied",
// "Too many levels of symbolic links"), or what is there instead ("is a
// folder", "is a pipe (FIFO), not a file", "is a link to nothing"). Never
// waits (platform/ReadableFile.h).
std::string WhyNotReadableFile(const std::string& path);

// The system's reason why path cannot be opened for writing, from an
// attempt to open it for appending that does not wait for a reader (a file
// made by the attempt is removed again); "" when it opens.
std::string WhyNotWritableFile(const std::string& path);

// A file that qvkdc writes itself (--report, --messages, check --out),
// byte for byte.
class OutputFile {
 public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates path, or truncates it. Returns "" or the system's reason.
    std::string Open(const std::string& path);
    bool IsOpen() const { return handle_ != kClosed; }
    // Writes bytes; the first failure is kept for Close.
    void Write(std::string_view bytes);
    // Closes the file. Returns "" or the system's reason for the first
    // failure of a write or of the close.
    std::string Close();

 private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;  // a file descriptor or a HANDLE
    std::string error_;
};

// Writes bytes to the file at path, created or truncated. Returns "" or
// the system's reason.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

// The longest name (one part of a path, in bytes) that the file system
// holding folder takes for a file; 255 when the system does not tell.
std::size_t NameLengthLimit(const std::string& folder);

// A write beyond the file size limit of the process fails with an error
// (which the library handles: it removes the partial file) instead of
// ending the process: on POSIX, SIGXFSZ is ignored.
void KeepRunningPastFileSizeLimit();

#endif  // QVKDC_TOOLS_SYSTEMFILES_H
