// The file system of Windows: the C run time's text-mode streams for reading
// and writing, the Win32 API for the existence test and for removing.
//
// Paths go to the file calls as the library composes them: Windows takes
// backslashes and resolves a root-relative path ("\MIRVANE\...") against the
// root of the current drive itself.
//
// The existence test is GetFileAttributesA on exactly the path: it finds
// files and folders alike, and takes no wildcards ('*' and '?' make the name
// invalid, so such a path never exists), unlike a FindFirstFile search.
#include <windows.h>

#include <share.h>

#include <cstdio>

#include "platform/FileSystem.h"

namespace {

class WindowsLineReader final : public LineReader {
 public:
    explicit WindowsLineReader(std::FILE* file) : file_(file) {}
    ~WindowsLineReader() override { std::fclose(file_); }
    WindowsLineReader(const WindowsLineReader&) = delete;
    WindowsLineReader& operator=(const WindowsLineReader&) = delete;

    // Text mode has already turned CR LF into LF; a CR left before the LF
    // (a CR CR LF in the file) is taken as part of the line end as well.
    int ReadLine(std::string* line) override {
        line->clear();
        char chunk[512];
        bool any = false;
        while (std::fgets(chunk, static_cast<int>(sizeof chunk), file_) != nullptr) {
            any = true;
            line->append(chunk);
            if (!line->empty() && line->back() == '\n') {
                line->pop_back();
                if (!line->empty() && line->back() == '\r') line->pop_back();
                return 1;
            }
        }
        if (std::ferror(file_) != 0) return -1;
        return any ? 1 : 0;
    }

 private:
    std::FILE* file_;
};

class WindowsTextWriter final : public TextWriter {
 public:
    explicit WindowsTextWriter(std::FILE* file) : file_(file) {}
    ~WindowsTextWriter() override {
        if (file_ != nullptr) std::fclose(file_);
    }
    WindowsTextWriter(const WindowsTextWriter&) = delete;
    WindowsTextWriter& operator=(const WindowsTextWriter&) = delete;

    int Write(std::string_view text) override {
        if (file_ == nullptr) return -1;
        if (text.empty()) return 0;
        return std::fwrite(text.data(), 1, text.size(), file_) == text.size() ? 0 : -1;
    }

    int Close() override {
        if (file_ == nullptr) return -1;
        const int flushed = std::fflush(file_);
        const int closed = std::fclose(file_);
        file_ = nullptr;
        return flushed == 0 && closed == 0 ? 0 : -1;
    }

 private:
    std::FILE* file_;
};

class FileSystemWindows final : public FileSystem {
 public:
    std::string NativePath(std::string_view path) override { return std::string(path); }

    bool Exists(std::string_view path) override {
        return GetFileAttributesA(NativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    int OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        std::FILE* file = std::fopen(NativePath(path).c_str(), "rt");
        if (file == nullptr) return -1;
        *reader = std::make_unique<WindowsLineReader>(file);
        return 0;
    }

    // Text mode writes each "\n" as CR LF; _SH_DENYRW refuses every other
    // open of the file, for reading or writing, until it is closed.
    int OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override {
        std::FILE* file = _fsopen(NativePath(path).c_str(), "wt", _SH_DENYRW);
        if (file == nullptr) return -1;
        *writer = std::make_unique<WindowsTextWriter>(file);
        return 0;
    }

    int Remove(std::string_view path) override {
        return DeleteFileA(NativePath(path).c_str()) ? 0 : -1;
    }
};

}  // namespace

FileSystem* FileSystem::Default() {
    static FileSystemWindows fs;
    return &fs;
}
