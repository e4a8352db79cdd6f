// CQvkdcOutColTblMng: the output column table, one row per CSV column in
// output order.
//
// The table owns its rows. Rows are appended by AddColRow and never sorted
// or checked for duplicates; their order is the column order of the CSV file.
#ifndef QVKDC_MODEL_CQVKDCOUTCOLTBLMNG_H
#define QVKDC_MODEL_CQVKDCOUTCOLTBLMNG_H

#include <memory>
#include <string>
#include <vector>

#include "model/CQvkdcOutColRowMng.h"

class CQvkdcOutColTblMng {
 public:
    // An empty table.
    CQvkdcOutColTblMng();
    virtual ~CQvkdcOutColTblMng();
    CQvkdcOutColTblMng(const CQvkdcOutColTblMng&) = delete;
    CQvkdcOutColTblMng& operator=(const CQvkdcOutColTblMng&) = delete;

    // Appends a row. The marks are stored as 1 when exactly "o", the
    // keywords as their codes (see CQvkdcOutColRowMng). Note the order:
    // ExName before ItName, Priority before PrmKey.
    void AddColRow(int colFlg, const std::string& exName,
                   const std::string& itName, const std::string& isBlank,
                   const std::string& isRepeat, int priority, int prmKey,
                   const std::string& valType, const std::string& subType);

    // Number of rows.
    int GetColCnt() const;
    // REQUIRES: 0 <= index < GetColCnt(); any other index throws
    // std::out_of_range (a std::logic_error, like std::invalid_argument)
    // and leaves the table unchanged. The row stays owned by the table.
    CQvkdcOutColRowMng* GetColRow(int index);
    const CQvkdcOutColRowMng* GetColRow(int index) const;

    // 1 when some row's ItName equals name exactly, else 0.
    int IsExistItName(const std::string& name) const;

    // CSV title line: the ExName of every row joined by ","; no quoting and
    // no line end. An empty table leaves line unchanged.
    void GetTitleLine(std::string& line) const;

    // Replaces dump by the tab-separated trace dump: the header line
    // "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\t
    // IsRepeat" and one line per row, each ended by "\n". The ValType field
    // shows the effective value type.
    void DumpTbl(std::string& dump) const;

    // Destroys every row.
    void ClearTbl();

 private:
    std::vector<std::unique_ptr<CQvkdcOutColRowMng>> Rows;
};

#endif  // QVKDC_MODEL_CQVKDCOUTCOLTBLMNG_H
