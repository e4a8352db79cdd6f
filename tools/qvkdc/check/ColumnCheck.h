// ColumnCheck: findings about the output columns the export builds: titles,
// keys, value types and marks that leave cells empty or wrong, Select
// columns without choices, and the tool-set form of the tool column. What a
// column reads and how it is written is the converter's own description of
// the column (CQvkdcCnvColData::DescribeCol).
#ifndef QVKDC_TOOLS_CHECK_COLUMNCHECK_H
#define QVKDC_TOOLS_CHECK_COLUMNCHECK_H

#include <string>

#include "check/CheckContext.h"
#include "check/NameHints.h"

class ColumnCheck {
 public:
    explicit ColumnCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    void CheckColumn(int index);
    void CheckAlwaysEmpty(int index);
    void CheckKey(int index);
    void CheckValueType(int index);
    void CheckChoices(int index);
    void CheckToolSetForm();

    // Adds a finding about column index, at the column's definition when
    // row is null, else at row of table.
    void Add(Severity severity, int index, CnvTblIndex table, const CnvTblRow* row,
             std::string message, FindingCode code);

    // A did-you-mean hint for an item that a lookup in table misses, among
    // the names that lookup searches (the items of ExteriorTable's item
    // rows, the first cells of the other tables); read when first asked for.
    std::string Hint(CnvTblIndex table, const std::string& item);

    const CheckContext& ctx_;
    NameHints names_[kCnvTblFileCount];
    bool namesRead_[kCnvTblFileCount] = {};
};

#endif  // QVKDC_TOOLS_CHECK_COLUMNCHECK_H
