// DirectWriter: the yardstick of the export's speed.
//
// It writes the CSV files of a workload the shortest way there is: the
// columns are known up front (from the Workload, not from the tables), each
// value is read from the loaded model through the same host calls the
// library makes, in the same order, formatted with the same number formats
// and quoting, and the rows go to the file through one buffer. None of the
// library's tables, converter, trace frames or file system is used, so the
// library's time over this one's is the price of its machinery.
#ifndef QVKDC_BENCH_DIRECTWRITER_H
#define QVKDC_BENCH_DIRECTWRITER_H

#include <string>
#include <utility>
#include <vector>

#include "Workload.h"
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
    struct Column {
        CellRule rule;
        int key;
        int effType;
        enum Special { kNone, kMacro, kMacroA, kPitch, kComment } special;
        // The first text of each value, by value.
        std::vector<std::pair<int, std::string>> choices;
    };

    int Row(const ModelId& prcs, QdgmPrcsRec* rec, std::string& out);
    int Cell(const Column& col, const ModelId& prcs, QdgmPrcsRec* rec, std::string& out);
    int Param(const Column& col, int key, QdgmPrcsRec* rec, std::string& out);
    void Select(const Column& col, const void* value, std::string& out) const;

    std::vector<Column> columns_;
    std::string title_;
    std::string rows_;
};

#endif  // QVKDC_BENCH_DIRECTWRITER_H
