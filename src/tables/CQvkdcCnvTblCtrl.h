// CQvkdcCnvTblCtrl: the conversion table set of one output run.
//
// It owns a reader for each of the six conversion table files, the output
// column table and the selection value table built from them, and the
// tool-set form. The output run calls ImpCnvTbl, CreColTbl, GetColTbl,
// CreSlctTbl, GetSlctTbl and GetTSetForm, in this order, once each, and
// stops at the first failure.
//
// Table files live in the fixed root-relative folder
// "\MIRVANE\CAM\KR\Tables\"; the user option file is
// "\MIRVANE\user\cam\nccust\rc_pln2usr.ini". All file access goes through
// FileSystem::Current(). Failures and notes are written as trace lines
// "[ERR] : ..." and "[INF] : ..." while tracing is active.
//
// A row with fewer cells than are read from it makes the operation that
// reads it fail with -1 and the line "[ERR] : Short row <n> in <table>:
// <first cell>" for the nth row (from 1, in file order) of a walk, or
// "[ERR] : Short row in <table>: <first cell>" for a row found by its key.
#ifndef QVKDC_TABLES_CQVKDCCNVTBLCTRL_H
#define QVKDC_TABLES_CQVKDCCNVTBLCTRL_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/Qvlbw.h"
#include "examine/CnvTblFiles.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "tables/CnvTblObserver.h"

class CQvkdcCnvTblCtrl {
 public:
    // Readers without data, an empty TSetForm, then an empty column table
    // and an empty selection table.
    CQvkdcCnvTblCtrl();
    // Destroys the column table, then the selection table, then the
    // tool-set form and the readers.
    virtual ~CQvkdcCnvTblCtrl();
    CQvkdcCnvTblCtrl(const CQvkdcCnvTblCtrl&) = delete;
    CQvkdcCnvTblCtrl& operator=(const CQvkdcCnvTblCtrl&) = delete;

    // Reads every table file that exists, in the order ExteriorTable,
    // ProcessParametersTable, ParameterSettingTable, SelectionToIntTable,
    // VariableTable, PlanCSVTable, then looks up the tool-set form.
    // Returns 0, or -1 when a file that exists cannot be read (the files
    // after it are left unread) or the tool-set form lookup fails.
    int ImpCnvTbl();

    // Looks up the row of VariableTable whose column 3 is "akw_tls_nm" and
    // takes its column 1 as TSetForm. Returns 0, also when there is no such
    // row (TSetForm unchanged); -1 when VariableTable holds no data.
    int SetTSetForm();

    // Appends to oOptCols, in file order, the titles of the user option
    // file that are new: each line cut at its first NUL byte, comments ("#"
    // to the line end) cut, white space trimmed at both ends, empty lines,
    // repeated titles and titles equal to the ExName of a column table row
    // left out. A UTF-8 byte-order mark at the start is skipped; a file
    // that starts with a UTF-16 one gives no title. Returns 0 when the file
    // was read (a read error ends the reading and keeps the titles taken so
    // far), 1 when it could not be opened (it is missing, or not a regular
    // file).
    int GetOptionCol(std::vector<std::string>& oOptCols);

    // Builds the column table: one row per PlanCSVTable row (column flag 1),
    // then one per option title found in column 1 of ExteriorTable (column
    // flag 2), each completed from ExteriorTable, ProcessParametersTable and
    // ParameterSettingTable. Returns 0, or a negative value on failure;
    // rows added before a failure stay. REQUIRES: ImpCnvTbl returned 0.
    int CreColTbl();

    // Sets *ioPrmKey to 1011 when iItName is "processType" and replaces the
    // keyword of the value type kValTypeMacroName by that of kValTypeString
    // (examine/ValueTypes.h). Either pointer null: no change. Returns 0.
    static int ReplacePrcsStat(const std::string& iItName, int* ioPrmKey,
                               std::string* ioValType);

    // Builds the selection table from the choice rows ("item:choice" in
    // column 1) of ExteriorTable and the values of SelectionToIntTable.
    // Returns 0 when the whole of ExteriorTable was walked, -1 on failure;
    // choices filed before a failure stay. A choice whose item has no item
    // row in ExteriorTable is skipped with an "[INF] : " line.
    // REQUIRES: ImpCnvTbl returned 0.
    int CreSlctTbl();

    // Tells observer what the following steps read and decide (null: no
    // one, as for the export). The steps stay exactly what they are.
    // REQUIRES: observer outlives its use.
    void SetObserver(CnvTblObserver* observer);
    // The reader of a table, for tools that look at every row after the
    // build (a walk moves its cursor).
    CQvlbwTableA& GetReader(CnvTblIndex table) { return *readers_[table]; }

    // The tables stay owned by the set and die with it.
    CQvkdcOutColTblMng* GetColTbl() { return ColTbl.get(); }
    CQvkdcSlctValTblMng* GetSlctTbl() { return SlctTbl.get(); }
    // A copy of the tool-set form (empty until SetTSetForm found it).
    std::string GetTSetForm() const { return TSetForm; }

 private:
    // Working values of one column row, and the rows they are read from
    // (CQvkdcCnvTblCtrl_ColTbl.cpp).
    struct ColValues;

    // GetOptionCol, also giving each title's line in oLines when not null.
    int ReadOptionCol(std::vector<std::string>& oOptCols, std::vector<int>* oLines);
    // CreColTbl's two passes: a column for each PlanCSVTable row, then one
    // for each title of optCols (on the lines optLines). Each returns 0, or
    // the failing step's negative status.
    int AddPlanCols(ColValues& v);
    int AddOptionCols(const std::vector<std::string>& optCols, const std::vector<int>& optLines,
                      ColValues& v);
    // Completes v from ProcessParametersTable and ParameterSettingTable by
    // its item; notImported is the failure traced when either holds no
    // data. Returns 0 or -1.
    int CompleteFromSettings(ColValues& v, FailStep notImported);
    // Adds v as a column row of flag colFlg.
    void AddCol(CnvColFlg colFlg, const ColValues& v);
    // The host reader's own lookup and walk of a table, told to the
    // observer.
    int FindRow(CnvTblIndex table, int keyCol, const std::string& key, CQvlbwStringArray* row);
    int GetNextRow(CnvTblIndex table, CQvlbwStringArray* row);
    // True when row has at least cells cells; otherwise logs the short row
    // of table (the walkRow-th row of a walk, or a found row: walkRow 0)
    // and tells the reader that the build reads `reads` from cell `cells`.
    bool HasCells(const CQvlbwStringArray& row, int cells, CnvTblIndex table,
                  int walkRow, const char* reads);
    // Traces step's failure, tells the reader that a lookup of key in table
    // found no data (or, for kNoRow, no row), and returns -1.
    int NotImported(CnvTblIndex table, FailStep step, std::string_view key,
                    CnvTblStop::Kind kind = CnvTblStop::kNotImported);
    // Tells the observer that the current step stops as stop says.
    void Stop(CnvTblStop& stop, bool walked);

    std::unique_ptr<CQvkdcOutColTblMng> ColTbl;
    std::unique_ptr<CQvkdcSlctValTblMng> SlctTbl;
    CQvlbwTableA ExteriorTable;
    CQvlbwTableA ProcessParametersTable;
    CQvlbwTableA ParameterSettingTable;
    CQvlbwTableA SelectionToIntTable;
    CQvlbwTableA PlanCSVTable;
    CQvlbwTableA VariableTable;
    std::string TSetForm;
    // The readers in kCnvTblFiles order.
    CQvlbwTableA* const readers_[kCnvTblFileCount];
    // The observer of the steps; nobody_ for the export.
    CnvTblObserver nobody_;
    CnvTblObserver* observer_ = &nobody_;
    CnvTblStep step_ = CnvTblStep::kImpCnvTbl;
};

#endif  // QVKDC_TABLES_CQVKDCCNVTBLCTRL_H
