// TableBuild: the conversion tables built by the library's own steps, as an
// export builds them (ImpCnvTbl, CreColTbl, CreSlctTbl, stopping at the first
// failure), with what each step read: the rows each column, option title and
// choice came from, with their lines, and where and why a step stopped. The
// checks read the columns and choices from here, so that they see exactly
// what the export writes.
#ifndef QVKDC_TOOLS_CHECK_TABLEBUILD_H
#define QVKDC_TOOLS_CHECK_TABLEBUILD_H

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "convert/CQvkdcCnvColData.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/CnvTblObserver.h"

// One column of the column table.
struct CheckedColumn {
    const CQvkdcOutColRowMng* row = nullptr;  // as the export built it
    CnvColTrail trail;                        // the rows it came from
    CQvkdcCnvColData::ColumnUse use;          // what the converter does with it

    const std::string& ItName() const { return row->ItNameRef(); }
    const std::string& ExName() const { return row->ExNameRef(); }
    // The host is asked for a value for it (under its own key or, for the
    // pitch item, a key by process type).
    bool AsksValue() const { return use.asksOwnKey || use.rule == ItemRule::kPitch; }
};

struct OptionTitleTrail {
    int line = 0;
    std::string title;
    OptionFate fate = OptionFate::kTaken;
    int other = -1;  // kRepeated: the earlier line; kStandard, kTaken: the column
};

// A choice row worth a finding.
struct ChoiceNote {
    enum Kind {
        kOrphan,      // its item title has no item row: skipped
        kNotANumber,  // its value cell is no decimal int (once per value row)
        kUnquoted,    // its text breaks the CSV line
    };
    Kind kind = kOrphan;
    int line = 0;             // of the choice row; kNotANumber: of the value row
    std::string key;          // cell 1 of the choice row
    std::string itemTitle;
    std::string text;         // the choice text; kNotANumber: the value cell
    std::string choiceItName; // cell 2 of the choice row
    int value = 0;
    int column = -1;          // kUnquoted: the column showing it
};

// The lines a filed choice came from.
struct ChoiceLines {
    int choice = 0;  // its choice row in ExteriorTable
    int value = 0;   // its row in SelectionToIntTable
};

// An item row of ExteriorTable: one without ":" in cell 1.
struct ItemRowTrail {
    int line = 0;
    int cells = 0;      // at least 1
    std::string title;  // cell 1
    std::string item;   // cell 2; "" when the row has one cell
};

// Where the build stopped, with its texts and rows copied.
struct BuildStop {
    CnvTblStop::Kind kind = CnvTblStop::kUnreadable;
    std::string step;
    std::string traceLine;
    CnvTblIndex table = kExteriorTableFile;
    std::string key;
    CnvTblRow row;       // kShortRow: the short row
    int cells = 0;
    std::string reads;
    CnvTblRow context;   // the column definition or choice row being built
    int colFlg = 0;
    std::string item;
    bool hasContext = false;
};

// The "[ERR]" notes among notes, one per line.
std::string ErrorNotes(const std::vector<std::string>& notes);

class TableBuild : private CnvTblObserver {
 public:
    TableBuild();
    ~TableBuild() override;
    TableBuild(const TableBuild&) = delete;
    TableBuild& operator=(const TableBuild&) = delete;

    // Runs the steps on the files under the current directory. The library's
    // error lines of a failed step are kept.
    void Run();

    // The note of the step that failed (FailStep kImpCnvTbl, kCreColTbl or
    // kCreSlctTbl), or "".
    const std::string& FailedStep() const { return failedStep_; }
    // The library's "[ERR]" lines of the run, one per line.
    const std::string& ErrorLines() const { return errors_; }
    // Where the failed step stopped; null when it did not say.
    const BuildStop* Stop() const { return stop_.get(); }
    // Where the steps stop once the earlier stops are mended
    // (ShortRowSearch), in the order they are met.
    const std::vector<BuildStop>& LaterStops() const { return laterStops_; }
    void AddLaterStop(BuildStop stop) { laterStops_.push_back(std::move(stop)); }

    // Whether ImpCnvTbl read the table file (and so holds its rows).
    bool Read(CnvTblIndex table) const { return read_[table]; }
    // Read, with at least one row: its lookups mean what they find.
    bool HasRows(CnvTblIndex table);

    const std::vector<CheckedColumn>& Columns() const { return columns_; }
    // Index of the first column of item itName, or -1.
    int FindItem(const std::string& itName) const;
    const std::vector<OptionTitleTrail>& OptionTitles() const { return options_; }
    const std::vector<ChoiceNote>& ChoiceNotes() const { return notes_; }
    // The lines of the choices filed in row, in filing order; null for none.
    const std::vector<ChoiceLines>* LinesOf(const CQvkdcSlctValRowMng* row) const;
    // The item rows of ExteriorTable in file order, read by one walk of the
    // table when first asked for; none when it holds no data.
    const std::vector<ItemRowTrail>& ItemRows();
    // The line of the first row of a table; 0 when it holds none.
    int FirstRowLine(CnvTblIndex table);
    // Cell 1 of every row of a table, in file order, read by one walk of the
    // table when first asked for (rows without cells give "").
    const std::vector<std::string>& FirstCells(CnvTblIndex table);
    // The row of the tool-set form, once SetTSetForm looked it up.
    bool ToolSetFormLooked() const { return toolSetLooked_; }
    const CnvTblRow& ToolSetFormRow() const { return toolSetRow_; }

    CQvkdcCnvTblCtrl& Tables() { return *tables_; }
    const CQvkdcOutColTblMng& ColTbl() const { return *tables_->GetColTbl(); }
    const CQvkdcSlctValTblMng& SlctTbl() const { return *tables_->GetSlctTbl(); }

 private:
    int RowLine(const CQvlbwTableA& reader, bool walked) override;
    void TableRead(CnvTblIndex table, int result) override;
    void ToolSetForm(const CnvTblRow& row) override;
    void Column(const CnvColTrail& column) override;
    void OptionTitle(const CnvOptionTrail& title) override;
    void Choice(const CnvChoiceTrail& choice) override;
    void Stopped(const CnvTblStop& stop) override;

    std::unique_ptr<CQvkdcCnvTblCtrl> tables_;
    std::string failedStep_;
    std::string errors_;
    std::unique_ptr<BuildStop> stop_;
    std::vector<BuildStop> laterStops_;
    bool read_[kCnvTblFileCount] = {};
    std::vector<CheckedColumn> columns_;
    std::unordered_map<std::string, int> itemColumn_;  // first column of an item
    std::vector<OptionTitleTrail> options_;
    std::vector<ChoiceNote> notes_;
    std::set<int> valueLinesSeen_;
    std::unordered_map<const CQvkdcSlctValRowMng*, std::vector<ChoiceLines>> choiceLines_;
    // The row the last choice was filed in, its lines and its column.
    const CQvkdcSlctValRowMng* lastFiledIn_ = nullptr;
    std::vector<ChoiceLines>* lastLines_ = nullptr;
    int lastColumn_ = -1;
    std::vector<ItemRowTrail> itemRows_;
    bool itemRowsRead_ = false;
    int firstLines_[kCnvTblFileCount] = {};  // -1: none; 0: not looked at
    std::unique_ptr<std::vector<std::string>> firstCells_[kCnvTblFileCount];
    bool toolSetLooked_ = false;
    CnvTblRow toolSetRow_;
};

#endif  // QVKDC_TOOLS_CHECK_TABLEBUILD_H
