// TableDump: the column table and the selection table as `qvkdc tables`
// prints them, for people: the fields of the library's trace dumps, with
// the keyword or meaning beside every code (a value type's code followed
// by its keyword in brackets, the column flag 1 as "1 (PlanCSVTable)"), and every row
// of the selection table with all four fields, its column's item included.
// Tab-separated, every line ended by a line feed; the names come from the
// library. docs/tables.md explains the fields.
#ifndef QVKDC_TOOLS_EXPORT_TABLEDUMP_H
#define QVKDC_TOOLS_EXPORT_TABLEDUMP_H

#include <string>

class ExaminedTables;

// Replaces *out by the dump of the column table.
void DumpColumns(const ExaminedTables& tables, std::string* out);
// Replaces *out by the dump of the selection table.
void DumpChoices(const ExaminedTables& tables, std::string* out);

#endif  // QVKDC_TOOLS_EXPORT_TABLEDUMP_H
