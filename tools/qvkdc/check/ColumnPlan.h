// ColumnPlan: the output columns as the export builds them from the tables
// (the PlanCSVTable rows, then the option file's new titles), each with the
// table rows it came from, and what became of every option file title.
#ifndef QVKDC_TOOLS_CHECK_COLUMNPLAN_H
#define QVKDC_TOOLS_CHECK_COLUMNPLAN_H

#include <string>
#include <unordered_map>
#include <vector>

#include "check/CheckInputs.h"

struct ColumnSpec {
    int flag = 1;             // 1: PlanCSVTable row; 2: option file title
    const std::string* file;  // where the column is defined (shown name)
    int line = 0;
    bool shortDef = false;    // the PlanCSVTable row has no cell 2
    std::string itName;
    std::string exName;
    const TableRow* titleRow = nullptr;  // ExteriorTable item row
    const TableRow* keyRow = nullptr;    // ProcessParametersTable row
    const TableRow* typeRow = nullptr;   // ParameterSettingTable row
    int prmKey = 0;
    int priority = 0;
    std::string valTypeText;  // as the export takes it ("MacroName" as "String")
    std::string subTypeText;
    std::string blankMark;
    std::string repeatMark;
    int effType = 0;          // the effective value type

    // Whether the value under the column's own key, written by its value
    // type, makes the cell (a parameter column, or a local coordinate one).
    bool UsesKey() const;
    bool UsesValType() const { return UsesKey(); }
    // The value types that give a text for this column.
    bool TypeHasText() const;
};

enum class OptionFate {
    kTaken,     // a column was added
    kUnknown,   // no ExteriorTable item row has this title
    kRepeated,  // an earlier line has the same title
    kStandard,  // a PlanCSVTable column already has this title
};

struct OptionTitleFate {
    const OptionLine* line = nullptr;
    OptionFate fate = OptionFate::kTaken;
    int other = -1;  // kRepeated: the earlier line; kStandard: the column
};

class ColumnPlan {
 public:
    // REQUIRES: inputs outlives the plan.
    explicit ColumnPlan(const CheckInputs& inputs);

    const std::vector<ColumnSpec>& Columns() const { return columns_; }
    const std::vector<OptionTitleFate>& OptionFates() const { return fates_; }
    // Index of the first column of item itName, or -1.
    int FindItem(const std::string& itName) const;

 private:
    void Complete(ColumnSpec* spec) const;
    // The row the export's lookup finds, from a table whose rows can be
    // trusted; null otherwise.
    const TableRow* Lookup(CnvTblIndex table, int keyCol, const std::string& key) const;

    const CheckInputs& in_;
    std::vector<ColumnSpec> columns_;
    std::vector<OptionTitleFate> fates_;
    std::unordered_map<std::string, int> itemColumn_;  // first column of an item
};

#endif  // QVKDC_TOOLS_CHECK_COLUMNPLAN_H
