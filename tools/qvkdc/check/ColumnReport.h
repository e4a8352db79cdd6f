// ColumnReport: the column table as the export will write it, for the
// reports: each column's header cell, item, key, value type and sub type
// (keyword and code), flags and choices, with the FILE:LINE of every row it
// came from. The JSON report carries it and the HTML page is drawn from it.
#ifndef QVKDC_TOOLS_CHECK_COLUMNREPORT_H
#define QVKDC_TOOLS_CHECK_COLUMNREPORT_H

#include <string>
#include <vector>

#include "check/CheckInputs.h"
#include "check/TableBuild.h"

// A place in a file; line 0: none.
struct SourceAt {
    std::string file;
    int line = 0;

    bool Known() const { return line > 0; }
    // "FILE:LINE".
    std::string Text() const { return file + ':' + std::to_string(line); }
};

struct ChoiceEntry {
    int value = 0;
    std::string text;  // as the CSV shows it
    std::string item;  // the choice's internal name
    SourceAt at;       // its choice row
    SourceAt valueAt;  // its row in SelectionToIntTable
    bool shadowed = false;  // an earlier choice has the same value: never shown
};

struct ColumnEntry {
    int number = 0;    // 1-based, in CSV order
    std::string title; // the header cell exactly as written
    std::string item;
    int key = 0;
    int priority = 0;
    std::string valTypeKeyword;  // as the table gives it
    int valTypeCode = 0;         // as the export takes it ("MacroName": "String")
    std::string subTypeKeyword;
    int subTypeCode = 0;
    int effectiveType = 0;
    bool option = false;  // from the option file (else PlanCSVTable)
    bool blank = false;
    bool repeat = false;
    std::vector<ChoiceEntry> choices;
    SourceAt definition, titleAt, keyAt, typeAt;
};

std::vector<ColumnEntry> ReportColumns(const TableBuild& build, const CheckInputs& in);

#endif  // QVKDC_TOOLS_CHECK_COLUMNREPORT_H
