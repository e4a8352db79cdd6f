// TableBuild: the conversion tables as the export builds them, examined
// through the library (ExaminedTables): the columns and choices with the
// rows they came from, where a step stopped, and what the check's rules
// derive from them besides: the choice rows worth a finding, the item rows
// of ExteriorTable, the first cells and lines of each table, and the later
// short rows ShortRowSearch finds.
#ifndef QVKDC_TOOLS_CHECK_TABLEBUILD_H
#define QVKDC_TOOLS_CHECK_TABLEBUILD_H

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ExamineTables.h"

// A choice row worth a finding.
struct ChoiceNote {
    enum Kind {
        kOrphan,      // its item title has no item row: skipped
        kNotANumber,  // its value cell is no decimal int (once per value row)
        kUnquoted,    // its text breaks the CSV line
        kControl,     // its text puts a control character into the CSV file
    };
    Kind kind = kOrphan;
    int line = 0;             // of the choice row; kNotANumber: of the value row
    std::string key;          // cell 1 of the choice row
    std::string itemTitle;
    std::string text;         // the choice text; kNotANumber: the value cell
    std::string choiceItName; // cell 2 of the choice row
    int value = 0;
    int column = -1;          // kUnquoted, kControl: the column showing it
};

// An item row of ExteriorTable: one without ":" in cell 1.
struct ItemRowTrail {
    int line = 0;
    int cells = 0;      // at least 1
    std::string title;  // cell 1
    std::string item;   // cell 2; "" when the row has one cell
};

class TableBuild {
 public:
    // Runs the steps on the files under the current directory.
    void Run();

    // The step the export fails at in the tables (kImpCnvTbl, kCreColTbl,
    // kCreSlctTbl), or kNone; and every failure line the steps traced.
    FailStep Failed() const { return tables_.FailedStep(); }
    const std::vector<FailureNote>& Failures() const { return tables_.Failures(); }
    // Where the failed step stopped; null when it did not say.
    const CnvTblStop* Stop() const { return tables_.Stop(); }
    // Where the steps stop once the earlier stops are mended
    // (ShortRowSearch), in the order they are met.
    const std::vector<CnvTblStop>& LaterStops() const { return laterStops_; }
    void AddLaterStop(CnvTblStop stop) { laterStops_.push_back(std::move(stop)); }

    bool Read(CnvTblIndex table) const { return tables_.Read(table); }
    bool HasRows(CnvTblIndex table) const { return tables_.HasRows(table); }

    const std::vector<ExaminedColumn>& Columns() const { return tables_.Columns(); }
    int FindItem(const std::string& itName) const { return tables_.FindItem(itName); }
    const std::vector<CnvOptionTrail>& OptionTitles() const { return tables_.OptionTitles(); }
    const std::vector<ChoiceNote>& ChoiceNotes() const { return notes_; }
    // The choices of a column item; null for none.
    const ExaminedChoices* ChoicesOf(const std::string& itName) const { return tables_.ChoicesOf(itName); }
    // The item rows of ExteriorTable in file order, read by one walk of the
    // table when first asked for; none when it holds no data.
    // Whether a choice took its value from the row of SelectionToIntTable
    // at line, and how many rows choices took their values from.
    bool ValueRowUsed(int line) const {
        return line >= 0 && static_cast<std::size_t>(line) < valueLineUsed_.size() && valueLineUsed_[static_cast<std::size_t>(line)];
    }
    int ValueRowsUsed() const { return valueRowsUsed_; }
    const std::vector<ItemRowTrail>& ItemRows();
    // The line of the first row of a table; 0 when it holds none.
    int FirstRowLine(CnvTblIndex table);
    // Cell 1 of every row of a table, in file order, read by one walk of the
    // table when first asked for (rows without cells give "").
    const std::vector<std::string>& FirstCells(CnvTblIndex table);

    const ExaminedTables& Tables() const { return tables_; }

 private:
    void TakeChoice(const CnvChoiceTrail& choice);

    ExaminedTables tables_;
    std::vector<CnvTblStop> laterStops_;
    std::vector<ChoiceNote> notes_;
    std::set<int> valueLinesSeen_;
    std::vector<bool> valueLineUsed_;  // by line: a choice took its value from the row
    int valueRowsUsed_ = 0;
    // The item the last choice was filed under, and its column.
    bool haveLast_ = false;
    std::string lastItem_;
    int lastColumn_ = -1;
    std::vector<ItemRowTrail> itemRows_;
    bool itemRowsRead_ = false;
    int firstLines_[kCnvTblFileCount] = {};  // 0: none
    bool firstLineRead_[kCnvTblFileCount] = {};
    std::unique_ptr<std::vector<std::string>> firstCells_[kCnvTblFileCount];
};

#endif  // QVKDC_TOOLS_CHECK_TABLEBUILD_H
