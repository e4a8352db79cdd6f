// CsvFields: a row of the export as a CSV reader (RFC 4180) reads it: the
// value of each cell once its quotes are taken off, and how many fields
// the reader finds in the row, where a comma, quote or line break that the
// export wrote unquoted splits it. For the check's page, which shows the
// files as a reader will read them.
#ifndef QVKDC_TOOLS_REPORT_CSVFIELDS_H
#define QVKDC_TOOLS_REPORT_CSVFIELDS_H

#include <string>
#include <string_view>
#include <vector>

// The value a reader takes from cell, written as a field of its own:
// "\"a\"\"b\"" gives "a\"b"; a cell that is no quoted field as it is.
// *out is reused.
void CsvValue(std::string_view cell, std::string* out);

// The cell stands as one field of its own: no comma, quote or line break,
// or a quoted field whose inner quotes are doubled.
bool IsCsvField(std::string_view cell);

// The fields a reader finds in the row made of cells joined by commas (in
// its first record, when a line break the export wrote unquoted ends it).
int CsvFieldCount(const std::vector<std::string_view>& cells);

#endif  // QVKDC_TOOLS_REPORT_CSVFIELDS_H
