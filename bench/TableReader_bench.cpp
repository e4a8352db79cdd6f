// Table reader on a table of 50,000 rows, the size of a large conversion
// table: reading the file, a walk, and lookups by a key column.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "HostCalls.h"

namespace {

constexpr int kRows = 50000;

std::string Key(int i) { return "item_" + std::to_string(i); }

// The table file, written once per process and removed at exit: key, name,
// integer, a quoted cell and a mark, with CR LF line ends.
struct BenchTable {
    BenchTable() {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < kRows; ++i) {
            out << Key(i) << '\t' << "Name " << i << '\t' << i * 7 << '\t'
                << "\"quoted\ttext\"\t" << "o\r\n";
        }
    }
    ~BenchTable() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    const std::string path =
        (std::filesystem::temp_directory_path() / "qvkdc-bench-table.tsv").string();
};

const std::string& TablePath() {
    static const BenchTable table;
    return table.path;
}

void BM_ReadTable(benchmark::State& state) {
    const std::string& path = TablePath();
    for (auto _ : state) {
        CQvlbwTableA table;
        benchmark::DoNotOptimize(table.ReadTable(path.c_str()));
    }
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

void BM_Walk(benchmark::State& state) {
    CQvlbwTableA table;
    table.ReadTable(TablePath().c_str());
    CQvlbwStringArray row;
    for (auto _ : state) {
        table.MoveFirst();
        while (table.GetNextRow(&row) != 0) benchmark::DoNotOptimize(row.GetAt(0));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Walk)->Unit(benchmark::kMillisecond);

// One lookup per iteration, keys spread over the table; the index of the
// column is built by the first lookup.
void BM_FindRow(benchmark::State& state) {
    const int col = static_cast<int>(state.range(0));
    CQvlbwTableA table;
    table.ReadTable(TablePath().c_str());
    CQvlbwStringArray row;
    std::string keys[64];
    for (int i = 0; i < 64; ++i) {
        keys[i] = col == 1 ? Key(i * 781) : "Name " + std::to_string(i * 781);
    }
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.FindRow(col, keys[i++ & 63].c_str(), &row));
    }
}
BENCHMARK(BM_FindRow)->Arg(1)->Arg(2);

// A fresh reader each time: reading plus the first lookup, which builds the
// index.
void BM_ReadAndFirstFindRow(benchmark::State& state) {
    CQvlbwStringArray row;
    for (auto _ : state) {
        CQvlbwTableA table;
        table.ReadTable(TablePath().c_str());
        benchmark::DoNotOptimize(table.FindRow(1, "item_49999", &row));
    }
}
BENCHMARK(BM_ReadAndFirstFindRow)->Unit(benchmark::kMillisecond);

}  // namespace
