// ReplacingTextWriter: the TextWriter of both platforms' file systems. It
// collects text in blocks and hands them to a ReplacingFile, turning each
// "\n" into the platform's line end on the way; Close commits the file, so
// that the target is replaced whole. The first failure sticks: every later
// Write fails, and Close abandons the file and fails, leaving the target as
// it was. A writer that goes without Close abandons the file too.
#ifndef QVKDC_PLATFORM_REPLACINGTEXTWRITER_H
#define QVKDC_PLATFORM_REPLACINGTEXTWRITER_H

#include <string>
#include <string_view>

#include "inspect/FileSystem.h"
#include "inspect/ReplacingFile.h"

class ReplacingTextWriter : public TextWriter {
 public:
    // REQUIRES: lineEnd is "\n" or "\r\n", a literal.
    explicit ReplacingTextWriter(std::string_view lineEnd);

    // Opens native (a path as the platform's file calls take it). Returns 0,
    // or -1 with the system's reason in *why.
    int Open(const std::string& native, std::string* why);
    int Write(std::string_view text) override;
    int Close() override;

 private:
    bool Flush();

    ReplacingFile file_;
    std::string_view lineEnd_;
    std::string buffer_;
    std::string error_;
    bool failed_ = false;
    bool closed_ = false;
};

#endif  // QVKDC_PLATFORM_REPLACINGTEXTWRITER_H
