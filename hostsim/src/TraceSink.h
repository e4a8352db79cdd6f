// TraceSink: where the trace facility of the stand-in host writes its lines.
//
// Every line is kept in memory and, while a trace file is set, appended to
// that file and flushed at once, so that the file holds the trace up to the
// last line even when the process dies.
#ifndef QVHOSTSIM_TRACESINK_H
#define QVHOSTSIM_TRACESINK_H

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace qvsim {

class TraceSink {
 public:
    // Writes `indent` blanks, then text, then a line feed unless text
    // already ends with one.
    void Line(int indent, std::string_view text);
    // Sets the trace file, created anew (null: no file). Returns 0, or -1
    // when it cannot be opened (there is then no trace file).
    int SetFile(const char* path);
    const std::string& Text() const { return text_; }
    void Clear() { text_.clear(); }

 private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::string text_;
    std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace qvsim

#endif  // QVHOSTSIM_TRACESINK_H
