// TraceSink: where the trace facility of the stand-in host writes its lines.
//
// By default every line is kept in memory (for the control interface's
// QvsimTraceText) and, while a trace file is set with SetFile, also appended
// to that file and flushed at once, so that the file holds the trace up to
// the last line even when the process dies. A long trace goes to a file set
// with SetBufferedFile instead: its lines, but for the notes (the lines
// whose text begins with "[ERR]" or "[INF]"), are not kept in memory, and
// they reach the file in large writes, when 1 MiB has gathered and when the
// file is closed (by SetFile, SetBufferedFile, or the sink's end).
//
// Every write, flush and close of the file is checked. The first failure is
// kept with the system's reason (FileError), also after the file is closed,
// and from then on no line goes to the file: it holds what came before the
// failure, at most, and the host that set it can tell so.
//
// A trace function composes its line in place: BeginLine, append the text
// to the TraceLine it returns, EndLine.
#ifndef QVHOSTSIM_TRACESINK_H
#define QVHOSTSIM_TRACESINK_H

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "TraceLine.h"

namespace qvsim {

class TraceSink {
 public:
    TraceSink() = default;
    ~TraceSink() { CloseFile(); }
    TraceSink(const TraceSink&) = delete;
    TraceSink& operator=(const TraceSink&) = delete;

    // Starts a line of `indent` blanks; append its text to the result.
    TraceLine& BeginLine(int indent) {
        lineFrom_ = lines_.Size();
        if (indent > 0) std::memset(lines_.Extend(static_cast<std::size_t>(indent)), ' ', static_cast<std::size_t>(indent));
        lineStart_ = lines_.Size();
        return lines_;
    }
    // Ends the line with a line feed unless its text already ends with one.
    void EndLine();
    // Drops the line begun and not ended (its composing failed).
    // REQUIRES: BeginLine was called for it.
    void DropLine() { lines_.Resize(lineFrom_); }
    // A whole line: indent blanks, text, and the line end as EndLine.
    void Line(int indent, std::string_view text) {
        BeginLine(indent).Append(text);
        EndLine();
    }

    // Sets the trace file, created anew, flushed line by line, the lines
    // still kept in memory (null: no file). Returns 0, or -1 when it cannot
    // be opened (there is then no trace file).
    int SetFile(const char* path);
    // Sets a buffered trace file, only the notes kept in memory. The same
    // results.
    int SetBufferedFile(const char* path);
    // The system's reason for the first failed write, flush or close of the
    // trace file set last; "" while none failed. A new trace file (not
    // null) and ForgetFileError clear it.
    const std::string& FileError() const { return fileError_; }
    void ForgetFileError() { fileError_.clear(); }
    const std::string& Text() const { return text_; }
    void Clear() { text_.clear(); }

 private:
    // Closes a file whose close is not checked (the sink's end).
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    static constexpr std::size_t kFlushAt = std::size_t{1} << 20;

    void CloseFile();
    void FlushLines();
    // Writes bytes to the file unless a write failed before; keeps the
    // first failure.
    void WriteFile(std::string_view bytes, bool flush);
    void Fail();

    std::string text_;     // the lines kept in memory
    TraceLine lines_;      // the line being composed, after the lines on
                           // their way to a buffered file
    bool buffered_ = false;
    std::size_t lineStart_ = 0;  // where the current line's text starts
    std::size_t lineFrom_ = 0;   // where the current line starts
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string fileError_;
};

}  // namespace qvsim

#endif  // QVHOSTSIM_TRACESINK_H
