// InputFile: the raw bytes of one file the export reads (a table file or the
// user option file), for the findings that the readers cannot see: an empty
// file, UTF-16, a byte-order mark, CR-only line ends, NUL bytes.
#ifndef QVKDC_TOOLS_CHECK_INPUTFILE_H
#define QVKDC_TOOLS_CHECK_INPUTFILE_H

#include <string>

class InputFile {
 public:
    // Looks at the file at libPath, a root-relative path as the library
    // names it, through the platform's file system; display is its name in
    // findings.
    void Load(const char* libPath, std::string display);

    const char* LibPath() const { return libPath_; }
    const std::string& Display() const { return display_; }
    // A file or a folder is there (the export's existence test).
    bool Exists() const { return exists_; }
    // It is a regular file whose bytes could be read.
    bool Readable() const { return readable_; }
    const std::string& Bytes() const { return bytes_; }

    bool Empty() const { return readable_ && bytes_.empty(); }
    // Starts with a UTF-16 byte-order mark, or its first characters are
    // ASCII with a NUL byte before or after each.
    bool Utf16() const;
    // Holds carriage returns but no line feed, and text after the first
    // carriage return: its lines end in CR alone.
    bool CrOnlyLines() const;
    // Line (counted by line feeds, from 1) of the first NUL byte; 0 when
    // there is none.
    int NulLine() const;

 private:
    const char* libPath_ = "";
    std::string display_;
    bool exists_ = false;
    bool readable_ = false;
    std::string bytes_;
};

#endif  // QVKDC_TOOLS_CHECK_INPUTFILE_H
