// Building the column table and the selection table from large tables:
// PlanCSVTable of 5,000 rows against an ExteriorTable of 50,000 rows (10,000
// item rows, 40,000 choice rows of 1,000 selection columns).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "host/Zrl.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace fs = std::filesystem;

namespace {

constexpr int kItems = 10000;
constexpr int kPlanRows = 5000;
constexpr int kSlctCols = 1000;
constexpr int kChoicesPerCol = 40;

// The table root in a temporary folder, made the current directory, for the
// whole benchmark program; removed at exit.
class BenchRoot {
 public:
    BenchRoot() {
        std::random_device rd;
        do {
            dir_ = fs::temp_directory_path() /
                   ("qvkdc-bench-" + std::to_string(rd()));
        } while (!fs::create_directory(dir_));
        const fs::path tables = dir_ / "MIRVANE" / "CAM" / "KR" / "Tables";
        fs::create_directories(tables);
        fs::create_directories(dir_ / "MIRVANE" / "user" / "cam" / "nccust");

        std::string ex, ppt, pst, sti, plan;
        for (int i = 0; i < kItems; ++i) {
            const std::string n = std::to_string(i);
            ex += "Title" + n + "\titem" + n + "\n";
            ppt += "item" + n + "\t" + std::to_string(1000 + i) + "\t" +
                   std::to_string(i % 7) + "\n";
            pst += "item" + n + (i % 3 == 0 ? "\tSelect\to\t\tInteger\n"
                                            : "\tString\t\to\n");
        }
        for (int k = 0; k < kSlctCols; ++k) {
            for (int j = 0; j < kChoicesPerCol; ++j) {
                const std::string sel =
                    "sel" + std::to_string(k) + "_" + std::to_string(j);
                ex += "Title" + std::to_string(k * 7) + ":Choice" +
                      std::to_string(j) + "\t" + sel + "\n";
                sti += sel + "\t" + std::to_string(j) + "\n";
            }
        }
        for (int r = 0; r < kPlanRows; ++r) {
            plan += std::to_string(r) + "\titem" +
                    std::to_string((r * 2) % kItems) + "\n";
        }
        Write(tables / "ExteriorTable.tsv", ex);
        Write(tables / "ProcessParametersTable.tsv", ppt);
        Write(tables / "ParameterSettingTable.tsv", pst);
        Write(tables / "SelectionToIntTable.tsv", sti);
        Write(tables / "VariableTable.tsv", "TS\t\takw_tls_nm\n");
        Write(tables / "PlanCSVTable.tsv", plan);

        previous_ = fs::current_path();
        fs::current_path(dir_);
    }
    ~BenchRoot() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(dir_, ec);
    }

 private:
    static void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    fs::path dir_;
    fs::path previous_;
};

void EnsureRoot() {
    static BenchRoot root;
    ZrlMainSw = 0;
}

void BM_ImpCnvTbl(benchmark::State& state) {
    EnsureRoot();
    for (auto _ : state) {
        CQvkdcCnvTblCtrl set;
        if (set.ImpCnvTbl() != 0) state.SkipWithError("ImpCnvTbl failed");
    }
}
BENCHMARK(BM_ImpCnvTbl)->Unit(benchmark::kMillisecond);

void BM_CreColTbl(benchmark::State& state) {
    EnsureRoot();
    std::unique_ptr<CQvkdcCnvTblCtrl> set;
    for (auto _ : state) {
        state.PauseTiming();
        set = std::make_unique<CQvkdcCnvTblCtrl>();
        if (set->ImpCnvTbl() != 0) state.SkipWithError("ImpCnvTbl failed");
        state.ResumeTiming();
        if (set->CreColTbl() != 0) state.SkipWithError("CreColTbl failed");
    }
    if (set && set->GetColTbl()->GetColCnt() != kPlanRows) {
        state.SkipWithError("wrong column count");
    }
}
BENCHMARK(BM_CreColTbl)->Unit(benchmark::kMillisecond);

void BM_CreSlctTbl(benchmark::State& state) {
    EnsureRoot();
    std::unique_ptr<CQvkdcCnvTblCtrl> set;
    for (auto _ : state) {
        state.PauseTiming();
        set = std::make_unique<CQvkdcCnvTblCtrl>();
        if (set->ImpCnvTbl() != 0) state.SkipWithError("ImpCnvTbl failed");
        state.ResumeTiming();
        if (set->CreSlctTbl() != 0) state.SkipWithError("CreSlctTbl failed");
    }
    if (set && set->GetSlctTbl()->GetRowCnt() != kSlctCols) {
        state.SkipWithError("wrong selection row count");
    }
}
BENCHMARK(BM_CreSlctTbl)->Unit(benchmark::kMillisecond);

}  // namespace
