// CnvTblReader: what the table steps of CQvkdcCnvTblCtrl read the six
// conversion tables through, and what they tell of the rows they took.
//
// This reader, the export's, hands every read to the host's reader of the
// table and lets what it is told pass: the steps make the same host calls
// through it as on the host's readers themselves. A recording reader
// (CnvTblRecorder) reads alike and, besides, tells an observer which rows
// were found, with their lines, and what each column, option title and
// choice came from, so that the steps never ask whether anyone observes.
#ifndef QVKDC_TABLES_CNVTBLREADER_H
#define QVKDC_TABLES_CNVTBLREADER_H

#include <array>
#include <string>
#include <string_view>

#include "inspect/CnvTblFiles.h"
#include "tables/CnvTblObserver.h"

class CQvlbwStringArray;
class CQvlbwTableA;

// The host's reader of each table, in kCnvTblFiles order.
using CnvTblReaders = std::array<CQvlbwTableA*, kCnvTblFileCount>;

class CnvTblReader {
 public:
    // REQUIRES: the readers outlive this reader.
    explicit CnvTblReader(const CnvTblReaders& readers) : readers_(readers) {}
    virtual ~CnvTblReader();
    CnvTblReader(const CnvTblReader&) = delete;
    CnvTblReader& operator=(const CnvTblReader&) = delete;

    const CnvTblReaders& Readers() const { return readers_; }
    CQvlbwTableA& Reader(CnvTblIndex table) const { return *readers_[table]; }

    // ---- Reads: the host reader's own operation on the table ----
    virtual int ReadTable(CnvTblIndex table, const char* path);
    virtual int FindRow(CnvTblIndex table, int keyCol, const std::string& key,
                        CQvlbwStringArray* row);
    void MoveFirst(CnvTblIndex table);
    virtual int GetNextRow(CnvTblIndex table, CQvlbwStringArray* row);

    // ---- What the steps tell of the rows they took ----
    // The step ("ImpCnvTbl", "SetTSetForm", "CreColTbl", "CreSlctTbl")
    // that reads next; nothing is being built yet.
    virtual void BeginStep(const char* step);
    // SetTSetForm took the tool-set form from its lookup in VariableTable
    // (or found no row, which leaves the form as it was).
    virtual void TookToolSetForm();
    // The column build defines its next column by the title on line `line`
    // of the option file, as it defines one by each row it walks in
    // PlanCSVTable.
    virtual void DefinesByTitle(int line, std::string_view title);
    // What became of a title of the option file, when it gives no column.
    virtual void TitleFate(const CnvOptionTrail& title);
    // The column build added column colFlg (1: PlanCSVTable, 2: option
    // title) from the rows it read for it last.
    virtual void AddedColumn(int colFlg);
    // The choice of the ExteriorTable row walked last, "itemTitle:text":
    // filed under the column item colItName with value, or skipped for want
    // of an item row (colItName null).
    virtual void TookChoice(std::string_view itemTitle, std::string_view text,
                            const std::string* colItName, int value);
    // A step stops, as *stop says. A recorder completes it with the short
    // row (the row walked last in stop->table when walked, else the row
    // found last) and with what was being built.
    virtual void Stopped(CnvTblStop* stop, bool walked);

 private:
    CnvTblReaders readers_;
};

#endif  // QVKDC_TABLES_CNVTBLREADER_H
