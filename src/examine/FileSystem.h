// FileSystem: everything the library asks of the platform's file system.
//
// Paths come in as the library composes them: 8-bit texts with backslashes,
// possibly root-relative (a leading backslash and no drive letter, meaning
// the root of the current drive). Each implementation maps them onto its
// platform in NativePath; traces and composed paths keep the backslashes.
//
// Default() is the platform's implementation (FileSystemPosix.cpp or
// FileSystemWindows.cpp, chosen by the build). Tests install another one for
// the duration of a ScopedFileSystem; one that changes only some calls
// derives from FileSystemWrapper.
//
// Every call that can fail returns a Status: ok, or the system's reason
// (code and text), which the caller traces or tells as it stands.
#ifndef QVKDC_EXAMINE_FILESYSTEM_H
#define QVKDC_EXAMINE_FILESYSTEM_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "Status.h"

// Reads a text file line by line.
class LineReader {
 public:
    virtual ~LineReader() = default;
    // Next line without its line end (LF, or CR LF) into *line; a NUL
    // byte is part of the line. Returns 1 when a line was read (a last
    // line without a line end counts), 0 at the end of the file, -1 on a
    // read error, whose reason ReadError() then gives.
    virtual int ReadLine(std::string* line) = 0;
    // Why the last ReadLine gave -1; ok while none did.
    virtual const Status& ReadError() const = 0;
};

// A text file being written, which replaces the file at its path whole
// when it is closed, or not at all. Nobody else may open an existing file
// for writing while it is being replaced.
class TextWriter {
 public:
    // Without Close, nothing is replaced: the file at the path stays as it
    // was.
    virtual ~TextWriter() = default;
    // Writes text; each "\n" becomes the platform's line end (CR LF on
    // Windows). Returns ok, or the reason of a write error; after an error
    // every call fails with that first reason.
    virtual Status Write(std::string_view text) = 0;
    // Completes the file and puts it in the place of the file at its path.
    // Returns ok, or why the data may not all be on disk (the first failure
    // of a write, the close or the move): then the file at the path stays
    // as it was. REQUIRES: called at most once.
    virtual Status Close() = 0;
};

class FileSystem {
 public:
    virtual ~FileSystem() = default;

    // The platform's file system. Never null.
    static FileSystem* Default();
    // The file system the library uses now: Default(), or the one a
    // ScopedFileSystem installed.
    static FileSystem* Current();

    // The path as the platform's file calls take it.
    virtual std::string NativePath(std::string_view path) = 0;
    // True when a file or a folder exists at exactly path. A symbolic link
    // is an entry of its own: it exists whether or not its target does, as
    // Windows' existence tests see it; opening it for reading then fails.
    virtual bool Exists(std::string_view path) = 0;
    // Opens path for reading as text. Returns ok and sets *reader, or the
    // reason (IsNotFound() when the file or a folder on its path is
    // missing); fails at once, without waiting, when path is not a regular
    // file (examine/ReadableFile.h).
    virtual Status OpenForRead(std::string_view path,
                               std::unique_ptr<LineReader>* reader) = 0;
    // Opens path for writing as text, to be replaced whole at the writer's
    // Close; an existing file is held against other writers until then, and
    // a file that cannot be written fails here. Returns ok and sets *writer,
    // or the reason.
    virtual Status OpenForWrite(std::string_view path,
                                std::unique_ptr<TextWriter>* writer) = 0;
    // Removes the file at path. Returns ok, or the reason.
    virtual Status Remove(std::string_view path) = 0;

    // Whether OpenForWrite(path) would succeed now, found out the same way
    // without writing to the file or leaving anything behind: ok, or the
    // reason the open would give ("No such file or directory", "Permission
    // denied", "File name too long", ...).
    virtual Status ProbeWrite(std::string_view path) = 0;
    // Where the last part of path (the file's own name) begins: the byte
    // after the last character that the platform's file calls read as a
    // separator, or 0 when there is none. On Windows the trail byte of a
    // double-byte character of the system's code page is no separator.
    virtual std::size_t NameStart(std::string_view path) = 0;
};

// Installs fs as FileSystem::Current() until the scope ends.
// REQUIRES: fs outlives the scope; scopes nest in stack order.
class ScopedFileSystem {
 public:
    explicit ScopedFileSystem(FileSystem* fs);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
    FileSystem* previous_;
};

#endif  // QVKDC_EXAMINE_FILESYSTEM_H
