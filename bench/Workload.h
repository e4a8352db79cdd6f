// Workload: a large, realistic export made from the demo shop's kind of
// data, with every size a parameter.
//
// A workload is the six conversion tables and the option file (under a
// root folder, where the library looks for them) and a model file for the
// stand-in host. Its columns mix every value type and every dedicated item
// converter the way a real table set does: the shop's standard columns,
// selection columns that share many choices, reals, integers, texts that
// need quoting (commas, double quotes, blanks at the ends), macro texts,
// columns that are always empty or whose parameter is missing, and user
// option columns. Processes carry tool records, tool texts and candidate
// tools. Everything is drawn from a seeded generator, so a workload of the
// same sizes is the same byte for byte, and each process's values depend
// only on its plan and position (a model of fewer plans is a prefix).
#ifndef QVKDC_BENCH_WORKLOAD_H
#define QVKDC_BENCH_WORKLOAD_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct WorkloadSize {
    int plans = 50;
    int processes = 400;      // per plan
    int columns = 300;        // CSV columns (PlanCSVTable rows plus options)
    int choices = 40000;      // choice rows of ExteriorTable
    int exteriorRows = 50000; // all rows of ExteriorTable, heading included
};

struct WorkloadColumn {
    std::string item;      // internal item name
    std::string title;     // external name, the CSV title
    int tableKey = 0;      // key in ProcessParametersTable
    int key = 0;           // key the export asks for, as the library takes it
    std::string valType;   // ParameterSettingTable keywords
    std::string subType;
    int effType = 0;       // effective value type code, as the library takes it
    bool option = false;   // added by the user option file
    bool inModel = true;   // processes hold a value under key
    // Choices of a selection column: text and value, in table order.
    std::vector<std::pair<std::string, int>> choices;
};

class Workload {
 public:
    explicit Workload(const WorkloadSize& size);

    const WorkloadSize& Size() const { return size_; }
    // The columns in CSV order.
    const std::vector<WorkloadColumn>& Columns() const { return columns_; }
    // The tool-set form of VariableTable.
    static const char* ToolSetForm() { return "ToolSet"; }

    // Writes the six tables under root/MIRVANE/CAM/KR/Tables and the option
    // file under root/MIRVANE/user/cam/nccust. Returns false on a write
    // error.
    bool WriteTables(const std::string& root) const;
    // Writes the model file (JSON) of the first `plans` plans (all when
    // negative). Returns false on a write error.
    bool WriteModel(const std::string& path, int plans = -1) const;

 private:
    void BuildColumns();
    void AddChoices(WorkloadColumn* col, int count, int firstValue, int step);

    WorkloadSize size_;
    std::vector<WorkloadColumn> columns_;
    std::vector<std::string> tools_;      // tool names
};

#endif  // QVKDC_BENCH_WORKLOAD_H
