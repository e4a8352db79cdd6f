// CnvTblObserver: what a build of the conversion tables reads and decides,
// told while it happens to a tool that explains tables (qvkdc check).
//
// The export builds its tables without an observer. With one, the build is
// the same: the same host calls in the same order, the same trace lines and
// results; its steps read through a recording reader (CnvTblRecorder), and
// the observer only learns which rows each column, option title and choice
// came from, and where and why a step stopped. Texts and rows handed to an
// observer are valid only during the call.
#ifndef QVKDC_TABLES_CNVTBLOBSERVER_H
#define QVKDC_TABLES_CNVTBLOBSERVER_H

#include <string>
#include <string_view>
#include <vector>

#include "inspect/CnvTblFiles.h"

class CQvlbwTableA;
class CQvkdcSlctValRowMng;

// A row that the build read from a table (or did not find).
struct CnvTblRow {
    bool read = false;  // false: the lookup found no row
    int line = 0;       // line of the file it starts on; 0: not known
    std::vector<std::string> cells;

    int CellCount() const { return static_cast<int>(cells.size()); }
    // Cell col (1-based); the empty text beyond the row.
    const std::string& Cell(int col) const;
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
    int index = 0;      // in the column table
    int colFlg = 1;     // 1: a PlanCSVTable row; 2: a title of the option file
    // Flag 1: the PlanCSVTable row. Flag 2: the option file's line, with the
    // title as its one cell.
    CnvTblRow def;
    CnvTblRow titleRow;  // ExteriorTable: by the item (flag 1) or the title (2)
    CnvTblRow keyRow;    // ProcessParametersTable, by the item
    CnvTblRow typeRow;   // ParameterSettingTable, by the item

    // As constructed; the rows keep their storage for the next column.
    void Clear() {
        index = 0;
        colFlg = 1;
        for (CnvTblRow* row : {&def, &titleRow, &keyRow, &typeRow}) row->Clear();
    }
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
    std::string_view title;
    OptionFate fate = OptionFate::kTaken;
    int other = -1;  // kRepeated: the earlier line; kStandard, kTaken: the column
};

// One choice row of ExteriorTable ("item title:choice text" in cell 1).
struct CnvChoiceTrail {
    const CnvTblRow* row = nullptr;      // the choice row
    std::string_view itemTitle;          // before the first ":"
    std::string_view text;               // after it
    const CnvTblRow* itemRow = nullptr;  // not read: the choice is skipped
    const CnvTblRow* valueRow = nullptr; // SelectionToIntTable
    int value = 0;
    // The selection row the choice was filed in.
    const CQvkdcSlctValRowMng* filedIn = nullptr;
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
    const char* step = "";       // "ImpCnvTbl", "CreColTbl", "CreSlctTbl"
    std::string_view traceLine;  // the "[ERR] : " line the build traced
    CnvTblIndex table = kExteriorTableFile;  // the table read
    std::string_view key;        // the key looked up; "" for a walk
    // kShortRow: the short row, the cells the build reads from it and what
    // it reads from the last of them ("the priority").
    const CnvTblRow* row = nullptr;
    int cells = 0;
    const char* reads = "";
    // What was being built: the column's definition (colFlg 1 or 2), or the
    // choice row (colFlg 0); null when nothing was.
    const CnvTblRow* context = nullptr;
    int colFlg = 0;
    // The item of the column (when known), or the key of the choice row.
    std::string_view item;
};

class CnvTblObserver {
 public:
    virtual ~CnvTblObserver() = default;

    // The line of the file on which the row that reader delivered last
    // starts: by its walk (walked) or by FindRow. 0 when the reader cannot
    // tell, which is all a host's reader is required to do.
    virtual int RowLine(const CQvlbwTableA& reader, bool walked);

    // ImpCnvTbl read a table file that exists: ReadTable answered result.
    // A table never told of does not exist.
    virtual void TableRead(CnvTblIndex table, int result);
    // SetTSetForm's row of the tool-set form (not read: there is none).
    virtual void ToolSetForm(const CnvTblRow& row);
    virtual void Column(const CnvColTrail& column);
    virtual void OptionTitle(const CnvOptionTrail& title);
    virtual void Choice(const CnvChoiceTrail& choice);
    virtual void Stopped(const CnvTblStop& stop);
};

#endif  // QVKDC_TABLES_CNVTBLOBSERVER_H
