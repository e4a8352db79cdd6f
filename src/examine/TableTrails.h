// TableTrails: what a build of the conversion tables read and decided, row
// by row: which rows each column, option title and choice came from, with
// their lines, and where and why a step stopped. The table steps tell it
// (tables/CnvTblObserver.h); a tool reads it from an examined build
// (examine/ExamineTables.h).
#ifndef QVKDC_EXAMINE_TABLETRAILS_H
#define QVKDC_EXAMINE_TABLETRAILS_H

#include <cstddef>
#include <string>
#include <vector>

#include "CnvTblFiles.h"

// The table steps of a run, by id, in the order the run takes them.
enum class CnvTblStep {
    kImpCnvTbl,    // reads the table files
    kSetTSetForm,  // looks up the tool-set form (inside ImpCnvTbl)
    kCreColTbl,    // builds the column table
    kCreSlctTbl,   // builds the selection table
};

// Where a column of the column table is defined; the value is the column
// flag the column table stores.
enum class CnvColFlg : int {
    kPlanCsv = 1,  // a row of PlanCSVTable
    kOption = 2,   // a title of the user option file
};

// A row that the build read from a table (or did not find).
struct CnvTblRow {
    bool read = false;  // false: the lookup found no row
    int line = 0;       // line of the file it starts on; 0: not known
    std::vector<std::string> cells;

    int CellCount() const { return static_cast<int>(cells.size()); }
    // Cell col (1-based); the empty text beyond the row.
    const std::string& Cell(int col) const {
        static const std::string kNone;
        return col >= 1 && col <= CellCount() ? cells[static_cast<std::size_t>(col - 1)] : kNone;
    }
    // No row, as constructed; the list of cells keeps its storage for the
    // next row.
    void Clear() {
        read = false;
        line = 0;
        cells.clear();
    }
};

// One column of the column table, as CreColTbl added it.
struct CnvColTrail {
    int index = 0;  // in the column table
    CnvColFlg colFlg = CnvColFlg::kPlanCsv;
    // kPlanCsv: the PlanCSVTable row. kOption: the option file's line, with
    // the title as its one cell.
    CnvTblRow def;
    CnvTblRow titleRow;  // ExteriorTable: by the item (kPlanCsv) or the title (kOption)
    CnvTblRow keyRow;    // ProcessParametersTable, by the item
    CnvTblRow typeRow;   // ParameterSettingTable, by the item
};

// What became of one title of the option file.
enum class OptionFate {
    kTaken,     // a column was added
    kRepeated,  // an earlier line has the same title: dropped
    kStandard,  // a PlanCSVTable column has this title: dropped
    kUnknown,   // no ExteriorTable item row has this title: no column
};

struct CnvOptionTrail {
    int line = 0;  // of the option file
    std::string title;
    OptionFate fate = OptionFate::kTaken;
    int other = -1;  // kRepeated: the earlier line; kStandard, kTaken: the column
};

// One choice row of ExteriorTable ("item title:choice text" in cell 1), as
// CreSlctTbl took it.
struct CnvChoiceTrail {
    CnvTblRow row;          // the choice row
    std::string itemTitle;  // before the first ":"
    std::string text;       // after it
    CnvTblRow itemRow;      // not read: no item has the title, the choice is skipped
    CnvTblRow valueRow;     // SelectionToIntTable, by cell 2 of the choice row
    int value = 0;
    // The item of the column the choice was filed under (cell 2 of the item
    // row), and its index among that item's choices; -1 when skipped.
    std::string colItName;
    int index = -1;
};

// Where and why a step of the build stopped (the step then fails).
struct CnvTblStop {
    enum Kind {
        kUnreadable,   // ReadTable failed on a table that exists
        kNotImported,  // a lookup in a table that holds no data
        kNoRow,        // a choice's value row is missing
        kShortRow,     // a row with fewer cells than the build reads
    };
    Kind kind = kUnreadable;
    CnvTblStep step = CnvTblStep::kImpCnvTbl;
    std::string traceLine;  // the "[ERR] : " line the build traced
    CnvTblIndex table = kExteriorTableFile;  // the table read
    std::string key;        // the key looked up; "" for a walk
    // kShortRow: the short row (its line when the build was examined),
    // the cells the build reads from it and what it reads from the last of
    // them ("the priority").
    CnvTblRow row;
    int cells = 0;
    std::string reads;
    // What was being built: the column's definition (colFlg kPlanCsv or
    // kOption), or the choice row; hasContext false when nothing was.
    bool hasContext = false;
    bool choice = false;  // the context is a choice row
    CnvTblRow context;
    CnvColFlg colFlg = CnvColFlg::kPlanCsv;
    // The item of the column (when known), or the key of the choice row.
    std::string item;
};

#endif  // QVKDC_EXAMINE_TABLETRAILS_H
