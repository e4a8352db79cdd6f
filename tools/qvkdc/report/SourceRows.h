// SourceRows: the lines of the table files and the option file that
// findings point at, as they stand in the file, for the page to show under
// each finding, as a compiler shows the source line under its message.
// Each file that a finding names is read once more, in blocks, and only
// the lines asked for are kept, each cut after kKept bytes. Lines are
// counted as a text editor counts them, as the table reader numbers its
// rows: LF, CR LF and a lone CR each end a line.
#ifndef QVKDC_TOOLS_REPORT_SOURCEROWS_H
#define QVKDC_TOOLS_REPORT_SOURCEROWS_H

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "check/CheckInputs.h"
#include "check/FindingList.h"

class SourceRows {
 public:
    static constexpr std::size_t kKept = 240;

    // Reads the lines the findings about a row name, of the files of in.
    // REQUIRES: the current folder is the root of the check.
    SourceRows(const CheckInputs& in, const FindingList& findings);

    // The line of file (as findings name it), without its line end; null
    // when it was not read. *length: the line's whole length in bytes.
    const std::string* Line(std::string_view file, int line, std::size_t* length) const;

 private:
    struct Kept {
        std::string text;
        std::size_t length = 0;
        bool read = false;  // the file has the line
    };
    void Read(const InputFile& file, std::map<int, Kept>* lines);

    std::map<std::pair<std::string, int>, Kept> rows_;
};

#endif  // QVKDC_TOOLS_REPORT_SOURCEROWS_H
