// InputFile: what the bytes of one file the export reads (a table file or
// the user option file) show that its readers do not tell: an empty file,
// UTF-16 text, CR-only line ends, NUL bytes. The file is read once, in
// blocks; only these facts are kept.
#ifndef QVKDC_TOOLS_CHECK_INPUTFILE_H
#define QVKDC_TOOLS_CHECK_INPUTFILE_H

#include <string>

#include "check/LineBytes.h"

class InputFile {
 public:
    // Looks at the file at libPath, a root-relative path as the library
    // names it, through the platform's file system; display is its name in
    // findings. Its lines are looked at by rules.
    void Load(const char* libPath, std::string display, const LineRules& rules = LineRules());

    const std::string& Display() const { return display_; }
    // The root-relative path it was loaded from, as the library names it.
    const std::string& Path() const { return path_; }
    // A file, a folder or a link is there (the export's existence test,
    // which sees a link to nothing as well).
    bool Exists() const { return exists_; }
    // It is a regular file whose bytes could be read.
    bool Readable() const { return readable_; }
    // Why it exists but cannot be read, as the system says it or what is
    // there instead ("Permission denied", "is a folder", "is a link to
    // nothing"); "" when it can be read or does not exist.
    const std::string& WhyNotReadable() const { return why_; }

    bool Empty() const { return readable_ && size_ == 0; }
    // Starts with a UTF-16 byte-order mark.
    bool Utf16Marked() const { return utf16Marked_; }
    // Its first characters are ASCII with a NUL byte before or after each:
    // UTF-16 without a byte-order mark.
    bool Utf16Unmarked() const { return utf16Unmarked_; }
    bool Utf16() const { return utf16Marked_ || utf16Unmarked_; }
    // Holds carriage returns but no line feed, and text after the first
    // carriage return: its lines end in CR alone.
    bool CrOnlyLines() const { return !sawLf_ && textAfterCr_; }
    // Line (counted by line feeds, from 1) of the first NUL byte, and of
    // the first Ctrl-Z byte (0x1A); 0 when there is none.
    int NulLine() const { return nulLine_; }
    int CtrlZLine() const { return ctrlZLine_; }
    // What its lines show at the byte level.
    const LineBytes& Lines() const { return bytesOfLines_; }

 private:
    void Scan(const char* bytes, std::size_t n);

    std::string display_;
    std::string path_;
    bool exists_ = false;
    bool readable_ = false;
    std::string why_;
    std::size_t size_ = 0;
    std::string head_;  // the first bytes, for the UTF-16 tests
    bool utf16Marked_ = false;
    bool utf16Unmarked_ = false;
    bool sawLf_ = false;
    bool sawCr_ = false;
    bool textAfterCr_ = false;
    int lines_ = 1;
    int nulLine_ = 0;
    int ctrlZLine_ = 0;
    LineBytes bytesOfLines_;
};

#endif  // QVKDC_TOOLS_CHECK_INPUTFILE_H
