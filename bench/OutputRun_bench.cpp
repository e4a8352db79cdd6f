// A whole output run over the demo shop's tables: one plan of 5,000
// processes (the shop's first plans repeated) written as one CSV file.
#include <benchmark/benchmark.h>

#include "ShopBench.h"
#include "entry/QvkdcCreOutputData.h"

namespace {

constexpr int kProcesses = 5000;

void BM_OutputRunLargePlan(benchmark::State& state) {
    ShopBench bench(ShopModel(1, kProcesses, 900000), "qvkdc_bench_out");
    if (!bench.error().empty()) {
        state.SkipWithError(bench.error().c_str());
        return;
    }
    const int count = 1;
    const std::string folder = bench.folder();
    for (auto _ : state) {
        int status = 0;
        QvkdcCreOutputData(&count, bench.plans().data(), folder.c_str(), "BENCH", &status);
        if (status != 0) state.SkipWithError("the run failed");
    }
    state.SetItemsProcessed(state.iterations() * kProcesses);
}
BENCHMARK(BM_OutputRunLargePlan)->Unit(benchmark::kMillisecond);

}  // namespace
