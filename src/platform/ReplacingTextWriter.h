// ReplacingTextWriter: the TextWriter of both platforms' file systems. It
// collects text in blocks and hands them to a ReplacingFile, turning each
// "\n" into the platform's line end on the way; Close commits the file, so
// that the target is replaced whole. The first failure sticks: every later
// Write returns it, and Close abandons the file and returns it, leaving the
// target as it was. A writer that goes without Close abandons the file too.
#ifndef QVKDC_PLATFORM_REPLACINGTEXTWRITER_H
#define QVKDC_PLATFORM_REPLACINGTEXTWRITER_H

#include <string>
#include <string_view>

#include "examine/FileSystem.h"
#include "examine/ReplacingFile.h"

class ReplacingTextWriter : public TextWriter {
 public:
    // REQUIRES: lineEnd is "\n" or "\r\n", a literal.
    explicit ReplacingTextWriter(std::string_view lineEnd);

    // Opens native (a path as the platform's file calls take it). Returns
    // ok, or the system's reason.
    Status Open(const std::string& native) { return file_.Open(native); }
    Status Write(std::string_view text) override;
    Status Close() override;

 private:
    bool Flush();

    ReplacingFile file_;
    std::string_view lineEnd_;
    std::string buffer_;
    Status error_;  // the first failure; ok: none
    bool closed_ = false;
};

#endif  // QVKDC_PLATFORM_REPLACINGTEXTWRITER_H
