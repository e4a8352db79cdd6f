// ExamineTables: the conversion tables built by the library's own steps, as
// an export builds them (ImpCnvTbl, CreColTbl, CreSlctTbl, stopping at the
// first failure), with what each step read: the rows each column, option
// title and choice came from, with their lines, and where and why a step
// stopped. Tools that explain tables (qvkdc check, qvkdc tables) read the
// columns and choices from here, so that they see exactly what the export
// writes.
#ifndef QVKDC_EXAMINE_EXAMINETABLES_H
#define QVKDC_EXAMINE_EXAMINETABLES_H

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CellFacts.h"
#include "CnvTblFiles.h"
#include "ColumnUse.h"
#include "FailurePoints.h"
#include "Status.h"
#include "TableTrails.h"
#include "qvkdc/qvkdc.h"

// One column of the column table, as the export built it.
struct ExaminedColumn {
    std::string itName;
    std::string exName;  // the title
    int prmKey = 0;
    int priority = 0;
    int valType = 0;  // the effective value type: the sub type's code when it is not 0
    // The value type's code as the column build took its keyword (it takes
    // "MacroName" as "String"), and the sub type's.
    int valTypeCode = 0;
    int subType = 0;
    int isBlank = 0;
    int isRepeat = 0;
    CnvColTrail trail;  // the rows it came from; trail.colFlg is its column flag
    ColumnUse use;      // what the converter does with its cells

    const std::string& ItName() const { return itName; }
    const std::string& ExName() const { return exName; }
    // The host is asked for a value for it.
    bool AsksValue() const { return use.AsksValue(); }
};

// One choice of a column item, as the selection table holds it, with the
// lines it came from.
struct ExaminedChoice {
    std::string_view exName;  // the text the export writes
    std::string_view itName;  // cell 2 of its choice row
    int value = 0;
    int choiceLine = 0;  // its choice row in ExteriorTable
    int valueLine = 0;   // its row in SelectionToIntTable
};

// The choices of one column item, in the order they were filed.
class ExaminedChoices {
 public:
    virtual ~ExaminedChoices() = default;
    virtual const std::string& ItName() const = 0;
    virtual int Count() const = 0;
    // REQUIRES: 0 <= i < Count().
    virtual ExaminedChoice At(int i) const = 0;
    // The index of the first choice whose value is value, which the export
    // writes for it; -1: none.
    virtual int Find(int value) const = 0;
};

class ExaminedTables {
 public:
    // Told of each choice row of ExteriorTable as the selection build takes
    // it, for rules that look at every choice without keeping them.
    using ChoiceVisitor = std::function<void(const CnvChoiceTrail&)>;

    ExaminedTables();
    ~ExaminedTables();
    ExaminedTables(const ExaminedTables&) = delete;
    ExaminedTables& operator=(const ExaminedTables&) = delete;

    // Runs the steps on the files under the current folder, telling each
    // choice row to visit (when given). REQUIRES: called once.
    void Build(const ChoiceVisitor& visit = ChoiceVisitor());

    // The step of the run that fails at the tables (kImpCnvTbl,
    // kCreColTbl or kCreSlctTbl), or kNone.
    FailStep FailedStep() const;
    // Every failure line the steps traced, in order (the step's own last).
    const std::vector<FailureNote>& Failures() const;
    // Where the failed step stopped; null when it did not say.
    const CnvTblStop* Stop() const;
    // Why ImpCnvTbl could not read a table file that exists, as the file
    // system tells it when the table reader gives no reason (ok: the file
    // opens, the reader refuses its content); ok for a table read.
    const Status& Unreadable(CnvTblIndex table) const;
    // Why the option file could not be opened (not found: there is none);
    // ok when it was read, or the build did not reach it.
    const Status& OptionFile() const;

    // Whether a table file exists, and whether ImpCnvTbl read it.
    bool Exists(CnvTblIndex table) const;
    bool Read(CnvTblIndex table) const;
    // Read, with at least one row: its lookups mean what they find.
    bool HasRows(CnvTblIndex table) const;
    // The rows of table; 0 for a table not read.
    int RowCount(CnvTblIndex table) const;

    const std::vector<ExaminedColumn>& Columns() const;
    // Index of the first column of item itName, or -1.
    int FindItem(const std::string& itName) const;
    // The title line of the file: every column's title joined by ",".
    std::string TitleLine() const;
    const std::vector<CnvOptionTrail>& OptionTitles() const;
    // The row of the tool-set form, once SetTSetForm looked it up, and
    // the form the converter writes.
    bool ToolSetFormLooked() const;
    const CnvTblRow& ToolSetFormRow() const;
    const std::string& ToolSetForm() const;

    // The choices of each column item, in the order the items were first
    // filed, and those of itName (null when it has none).
    int ChoiceItemCount() const;
    const ExaminedChoices& ChoiceItem(int i) const;
    const ExaminedChoices* ChoicesOf(std::string_view itName) const;

    // Calls each for every row of table in file order, with its line, after
    // the build; nothing for a table not read.
    void WalkRows(CnvTblIndex table, const std::function<void(const CnvTblRow&)>& each) const;
    // The line of the first row of table; 0 for a table not read or without rows.
    int FirstRowLine(CnvTblIndex table) const;
    // Calls each with cell keyCol (from 1) and the line of every row of
    // table that has that cell, in file order, after the build: a walk that
    // copies no other cell. The text is valid during the call only.
    void WalkKeys(CnvTblIndex table, int keyCol, const std::function<void(std::string_view, int)>& each) const;
    // Told of each cell ConvertRow converts: its column, its text and its
    // facts.
    using CellVisitor = std::function<void(int column, std::string_view text, const CellFacts& facts)>;
    // Appends to *row the CSV row the export writes for process (of the
    // model loaded into the host) with these tables: the text of every
    // column, joined by ",", as the run converts them, telling each cell to
    // visit (when given). Returns 0, or the converter's negative status
    // (what came before the failed cell stays). REQUIRES: the build did not
    // fail.
    int ConvertRow(const ModelId& process, std::string* row, const CellVisitor& visit = CellVisitor()) const;

    // The line of the row a lookup of key in column keyCol (from 1) of
    // table finds, as the export's lookups find it: the first such row in
    // file order; 0 when there is none or the table was not read.
    int FindRowLine(CnvTblIndex table, int keyCol, const std::string& key) const;

 private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The parameter key and the effective value type that the column build
// gives a column of item itName from its table cells: the key (cell 2 of
// its ProcessParametersTable row), its value type and its sub type keyword.
struct ColumnKeyAndType {
    int key = 0;
    int valType = 0;
};
ColumnKeyAndType BuildColumnKeyAndType(std::string_view itName, int tableKey, std::string_view valType,
                                       std::string_view subType);

#endif  // QVKDC_EXAMINE_EXAMINETABLES_H
