// CQvkdcSlctValTblMng: the selection value table, the choices of every
// selection column, filed under the column's internal item name.
//
// The table owns its rows and holds at most one row per column item name;
// rows stay in the order of their creation. An index from column item name
// to row spares lookups a walk over the rows.
#ifndef QVKDC_MODEL_CQVKDCSLCTVALTBLMNG_H
#define QVKDC_MODEL_CQVKDCSLCTVALTBLMNG_H

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/CQvkdcSlctValRowMng.h"

class CQvkdcSlctValTblMng {
 public:
    // An empty table.
    CQvkdcSlctValTblMng();
    virtual ~CQvkdcSlctValTblMng();
    CQvkdcSlctValTblMng(const CQvkdcSlctValTblMng&) = delete;
    CQvkdcSlctValTblMng& operator=(const CQvkdcSlctValTblMng&) = delete;

    // Files one choice under the row whose ColItName equals colItName
    // (exact, case-sensitive), creating that row at the end of the table
    // when there is none.
    void AddSlct(const std::string& colItName, const std::string& slctItName,
                 const std::string& slctExName, int value);

    // External text of the first choice of colItName's row whose value is
    // value; the empty string when there is no such row or choice.
    std::string GetSlctExName(const std::string& colItName, int value) const;
    // The row of colItName, or null. The row stays owned by the table.
    const CQvkdcSlctValRowMng* FindRow(const std::string& colItName) const;

    // Number of rows, and row i. REQUIRES: 0 <= i < GetRowCnt(); any other
    // index throws std::out_of_range.
    int GetRowCnt() const;
    const CQvkdcSlctValRowMng* GetRow(int i) const;

    // Replaces dump by the tab-separated trace dump: the header line
    // "ColItName\tSlctItName\tSlctExName\tSlctVal" and one line per choice,
    // each ended by "\n". The first choice of a row begins with its
    // ColItName; every further choice of the same row begins with a tab in
    // that field, so its line starts with two tabs.
    void DumpTbl(std::string& dump) const;

    // Destroys every row.
    void ClearTbl();

 private:
    std::vector<std::unique_ptr<CQvkdcSlctValRowMng>> Rows;
    std::unordered_map<std::string, CQvkdcSlctValRowMng*> RowOfName;
    CQvkdcSlctValRowMng* LastRow = nullptr;  // the row AddSlct filled last
};

#endif  // QVKDC_MODEL_CQVKDCSLCTVALTBLMNG_H
