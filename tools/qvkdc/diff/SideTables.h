// SideTables: what a diff keeps of one side's tables to name the causes of
// its changes: each column as the column build made it, with the rows it
// came from, and each column item's choices with their lines. Made from
// the tables built by the library's own steps, which are let go before the
// side's export runs, so that a diff never holds two sides' whole tables.
#ifndef QVKDC_TOOLS_DIFF_SIDETABLES_H
#define QVKDC_TOOLS_DIFF_SIDETABLES_H

#include <string>
#include <unordered_map>
#include <vector>

#include "ExamineTables.h"

struct SideChoice {
    std::string text;  // the text the export writes
    int value = 0;
    int choiceLine = 0;  // in ExteriorTable
    int valueLine = 0;   // in SelectionToIntTable
};

class SideTables {
 public:
    SideTables() = default;
    explicit SideTables(const ExaminedTables& tables);

    const std::vector<ExaminedColumn>& Columns() const { return columns_; }
    // The choices of itName in the order they were filed; null: none.
    const std::vector<SideChoice>* ChoicesOf(const std::string& itName) const;

 private:
    std::vector<ExaminedColumn> columns_;
    std::unordered_map<std::string, std::vector<SideChoice>> choices_;
};

#endif  // QVKDC_TOOLS_DIFF_SIDETABLES_H
