// CsvOnDisk: a plan's CSV file as an earlier export left it in a folder,
// read back for a diff: the titles of its first line and the cells of
// each further line, split at every comma as the export joined them (a
// text that holds a comma reads as two cells, as any reader of the file
// reads it). Lines end in LF or CR LF; a last line without one counts.
#ifndef QVKDC_TOOLS_DIFF_CSVONDISK_H
#define QVKDC_TOOLS_DIFF_CSVONDISK_H

#include <string>
#include <string_view>

#include "Status.h"
#include "diff/PlanCsv.h"

// Reads the file at nativePath into *file (its name: the path's last
// part). Returns ok, or why it cannot be read (not found: there is none).
Status ReadCsvOnDisk(const std::string& nativePath, PlanCsv* file);

// Parses bytes, the whole file, into *file's header and unsplit rows.
void ParseCsv(std::string_view bytes, PlanCsv* file);

// The cells of line: split at every comma, unless it holds more commas
// than hints.size() - 1 and exactly as many more as the hints hold, when
// each cell takes as many commas as its hint holds.
std::vector<std::string_view> SplitCsvLine(std::string_view line, const std::vector<std::string_view>& hints);

#endif  // QVKDC_TOOLS_DIFF_CSVONDISK_H
