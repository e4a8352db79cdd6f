// OptionLines: the lines of the user option file as titles, the way the
// export reads them (GetOptionCol), for the export and for tools that check
// the file.
#ifndef QVKDC_TABLES_OPTIONLINES_H
#define QVKDC_TABLES_OPTIONLINES_H

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

// A line of the option file that names a title.
struct OptionLine {
    int line = 0;  // 1-based
    std::string title;
};

// The text of line before its first "#", without white space (blank, tab,
// CR, LF, VT, FF) at either end; empty when nothing is left. The view points
// into line.
std::string_view OptionTitle(std::string_view line);

// Reads reader to its end and appends, in file order, the title of every
// line that has one (OptionTitle), with the line's number. Returns 0, or -1
// on a read error (the titles read before it stay).
int ReadOptionLines(LineReader& reader, std::vector<OptionLine>* oLines);

#endif  // QVKDC_TABLES_OPTIONLINES_H
