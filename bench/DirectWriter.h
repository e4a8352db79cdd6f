// DirectWriter: the yardstick of the export's speed.
//
// It writes the CSV files of a workload the shortest way there is: the
// columns are known up front (from the Workload, not from the tables), each
// value is read from the loaded model through the same host calls the
// library makes, in the same order, formatted with the same number formats
// and quoting, and the rows go to the file through one buffer. None of the
// library's tables, converter, trace frames or file system is used, so the
// library's time over this one's is the price of its machinery. What the
// rules are (accepted process types, the items and keys treated apart, how
// each value type is written) it takes from the library's headers, and
// what each column is from the library's dispatch on item names, all once
// per writer, not per cell.
#ifndef QVKDC_BENCH_DIRECTWRITER_H
#define QVKDC_BENCH_DIRECTWRITER_H

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Workload.h"
#include "ItemRules.h"
#include "qvkdc/qvkdc.h"

struct QdgmPrcsRec;

class DirectWriter {
 public:
    explicit DirectWriter(const Workload& workload);

    // Writes folder/NAME000.csv, NAME001.csv, ... (NAME.csv for one plan),
    // one per plan with rows, as the library names them for a non-blank
    // name. Returns 0, or -1 when a host call fails or a file cannot be
    // written.
    int Export(const std::vector<ModelId>& plans, const std::string& folder,
               const std::string& name);

 private:
    // Which of the library's converters fills a column.
    enum class CellRule {
        kEmpty,       // always empty, the host is not asked
        kPrcsName,    // the dedicated converters, by item name
        kPlanName,
        kToolType,
        kToolCheck,
        kScanAngle,
        kToolGroup,
        kLocalCoord,  // axis and height
        kParam,       // the parameter under the column's key
        kUnknown,     // a dedicated converter this writer does not mirror
    };
    struct Column {
        CellRule cell;
        ItemRule rule;   // what the item name asks of the converter
        ValueForm form;  // how a value of the column is written
        int key;
        // The first text of each value, by value.
        std::vector<std::pair<int, std::string>> choices;
    };

    static CellRule CellRuleOf(std::string_view item);
    int Row(const ModelId& prcs, QdgmPrcsRec* rec, std::string& out);
    int Cell(const Column& col, const ModelId& prcs, QdgmPrcsRec* rec, std::string& out);
    int LocalCoord(const Column& col, QdgmPrcsRec* rec, std::string& out);
    int Param(const Column& col, int key, QdgmPrcsRec* rec, std::string& out);
    void Value(const Column& col, const void* value, std::string& out) const;
    void Select(const Column& col, const void* value, std::string& out) const;

    std::vector<Column> columns_;
    std::string title_;
    std::string rows_;
    std::string scratch_;
};

#endif  // QVKDC_BENCH_DIRECTWRITER_H
