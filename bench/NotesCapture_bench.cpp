// What the command-line host's following of a run costs: the same export
// (the demo shop's tables, 40 plans of 250 processes) untraced (0), and
// followed as qvkdc follows it without --trace (1): every trace id but the
// per-value conversion's switched on, the stand-in keeping only the notes
// and logging the model database calls.
#include <benchmark/benchmark.h>

#include "ShopBench.h"
#include "entry/QvkdcCreOutputData.h"

namespace {

constexpr int kPlans = 40;
constexpr int kProcessesPerPlan = 250;

void BM_ExportFollowedByHost(benchmark::State& state) {
    const bool follow = state.range(0) == 1;
    ShopBench bench(ShopModel(kPlans, kProcessesPerPlan, 800000), "qvkdc_bench_notes");
    if (!bench.error().empty()) {
        state.SkipWithError(bench.error().c_str());
        return;
    }
    if (follow) {
        QvsimTraceNotesOnly(1);
        QvsimTraceAll(1, 1);
        QvsimTraceId(577687, 0);  // the conversion of each value stays untraced
    }
    const std::string folder = bench.folder();
    for (auto _ : state) {
        if (follow) {
            QvsimTraceClear();
            QvsimCallLog(1);
        }
        int status = 0;
        QvkdcCreOutputData(&kPlans, bench.plans().data(), folder.c_str(), "BENCH", &status);
        if (status != 0) state.SkipWithError("the run failed");
    }
    state.SetItemsProcessed(state.iterations() * kPlans * kProcessesPerPlan);
}
BENCHMARK(BM_ExportFollowedByHost)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
