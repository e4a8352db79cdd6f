// SystemFiles: what qvkdc asks of the operating system for the files it
// writes itself, with the system's own reason when it refuses. One
// implementation per platform (SystemFilesPosix.cpp,
// SystemFilesWindows.cpp); the library's files go through its own platform
// layer.
#ifndef QVKDC_TOOLS_SYSTEM_SYSTEMFILES_H
#define QVKDC_TOOLS_SYSTEM_SYSTEMFILES_H

#include <cstddef>
#include <string>
#include <string_view>

#include "ReplacingFile.h"

// A file that qvkdc writes itself (--report, --messages, check --out, the
// page), byte for byte. It replaces the file at its path whole at Close, or
// not at all (ReplacingFile), so that no report cut short is ever left: a
// failed write or close, Abandon, and an object that goes without Close all
// leave the file at the path as it was.
class OutputFile {
 public:
    // Opens path to be replaced; an existing file is held against other
    // writers until Close. Returns "" or the system's reason.
    std::string Open(const std::string& path);
    bool IsOpen() const { return file_.IsOpen(); }
    // Writes bytes; the first failure is kept for Close.
    void Write(std::string_view bytes);
    // Completes the file and puts it in place. Returns "" or the system's
    // reason for the first failure of a write, of the close or of the move.
    std::string Close();
    // Gives the file up, leaving the file at the path as it was.
    void Abandon() { file_.Abandon(); }

 private:
    ReplacingFile file_;
};

// Writes bytes to the file at path, replacing it whole or not at all.
// Returns "" or the system's reason.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

// True when paths a and b name one file, whether or not it exists yet: the
// same file by the system (a link or another spelling of its path
// included), or the same place once links and "." and ".." are resolved,
// in the letter case the platform's file names keep (none on Windows).
bool SameFile(const std::string& a, const std::string& b);
// Whether the platform's file names find a file in any letter case.
bool NamesIgnoreCase();

// The longest name (one part of a path, in bytes) that the file system
// holding folder takes for a file; 255 when the system does not tell.
std::size_t NameLengthLimit(const std::string& folder);

// A write beyond the file size limit of the process fails with an error
// (which the library handles: it removes the partial file) instead of
// ending the process: on POSIX, SIGXFSZ is ignored.
void KeepRunningPastFileSizeLimit();

#endif  // QVKDC_TOOLS_SYSTEM_SYSTEMFILES_H
