// OptionLines: the lines of the user option file as titles, the way the
// export reads them (GetOptionCol), for the export and for tools that check
// the file.
#ifndef QVKDC_TABLES_OPTIONLINES_H
#define QVKDC_TABLES_OPTIONLINES_H

#include <string>
#include <string_view>
#include <vector>

#include "examine/FileSystem.h"

// A line of the option file that names a title.
struct OptionLine {
    int line = 0;  // 1-based
    std::string title;
};

// The title a line names: its text before the first NUL byte (as a C string
// reads it, so the title is looked up and written as the same text), then
// before the first "#", without white space at either end; empty when
// nothing is left. The view points into line.
std::string_view OptionTitle(std::string_view line);

// ReadOptionLines results besides 0 and -1.
inline constexpr int kOptionFileUtf16 = 1;

// Reads reader to its end and appends, in file order, the title of every
// line that has one (OptionTitle), with the line's number. A UTF-8
// byte-order mark in front of the first line is skipped. Returns 0;
// kOptionFileUtf16 when the file starts with a UTF-16 byte-order mark (its
// lines are no 8-bit text: none is taken); -1 on a read error (the titles
// read before it stay).
int ReadOptionLines(LineReader& reader, std::vector<OptionLine>* oLines);

#endif  // QVKDC_TABLES_OPTIONLINES_H
