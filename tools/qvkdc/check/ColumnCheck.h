// ColumnCheck: findings about the output columns: tables the column build
// needs but cannot find, rows too short to read, titles, keys, value types
// and marks that leave cells empty or wrong, Select columns without choices,
// and the tool-set form of the tool column.
#ifndef QVKDC_TOOLS_CHECK_COLUMNCHECK_H
#define QVKDC_TOOLS_CHECK_COLUMNCHECK_H

#include <string>

#include "check/CheckContext.h"

class ColumnCheck {
 public:
    explicit ColumnCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    void MissingTables();
    void CheckColumn(int index);
    void CheckKey(int index);
    void CheckValueType(int index);
    void CheckChoices(int index);
    void CheckToolSetForm();

    // Adds a finding about column index, at the column's definition when
    // row is null, else at row of table.
    void Add(Severity severity, int index, CnvTblIndex table, const TableRow* row,
             std::string message, const char* code);
    const std::string& Shown(CnvTblIndex table) const;

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_COLUMNCHECK_H
