// ColumnReport: the column table as the export will write it, for the
// reports: each column's header cell, item, key, value type and sub type
// (keyword and code), flags and choices, with the FILE:LINE of every row it
// came from. The JSON report carries it and the HTML page is drawn from it.
// The reports take it one column at a time, so that it is never held whole
// beside the tables it is read from.
#ifndef QVKDC_TOOLS_REPORT_COLUMNREPORT_H
#define QVKDC_TOOLS_REPORT_COLUMNREPORT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "check/CheckInputs.h"
#include "check/TableBuild.h"

// A place in a file; line 0: none.
struct SourceAt {
    std::string_view file;
    int line = 0;

    bool Known() const { return line > 0; }
    // "FILE:LINE" into *text, replacing what it held.
    void Text(std::string* text) const;
};

// The texts of the entries below are views into the tables and the inputs
// the report reads: valid while they live.
struct ChoiceEntry {
    int value = 0;
    std::string_view text;  // as the CSV shows it
    std::string_view item;  // the choice's internal name
    SourceAt at;            // its choice row
    SourceAt valueAt;       // its row in SelectionToIntTable
    bool shadowed = false;  // an earlier choice has the same value: never shown
};

struct ColumnEntry {
    int number = 0;          // 1-based, in CSV order
    std::string_view title;  // the header cell exactly as written
    std::string_view item;
    int key = 0;
    int priority = 0;
    std::string_view valTypeKeyword;  // as the table gives it
    int valTypeCode = 0;              // as the export takes it (ReplacePrcsStat)
    std::string_view subTypeKeyword;
    int subTypeCode = 0;
    int effectiveType = 0;
    bool option = false;  // from the option file (else PlanCSVTable)
    bool blank = false;
    bool repeat = false;
    std::vector<ChoiceEntry> choices;
    SourceAt definition, titleAt, keyAt, typeAt;
};

class ColumnReport {
 public:
    // REQUIRES: build and in outlive the report, and build has run.
    ColumnReport(const TableBuild& build, const CheckInputs& in) : build_(build), in_(in) {}

    std::size_t Count() const { return build_.Columns().size(); }
    // Whether column i has choices. REQUIRES: i < Count().
    bool HasChoices(std::size_t i) const;
    // Column i into *entry, with its choices unless withChoices is false;
    // the storage of the choices is reused. REQUIRES: i < Count().
    void Get(std::size_t i, ColumnEntry* entry, bool withChoices = true) const;

 private:
    const ExaminedChoices* ChoicesOf(std::size_t i) const;

    const TableBuild& build_;
    const CheckInputs& in_;
};

#endif  // QVKDC_TOOLS_REPORT_COLUMNREPORT_H
