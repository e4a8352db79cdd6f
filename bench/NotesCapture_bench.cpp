// What the command-line host's following of a run costs: the same export
// (the demo shop's tables, 40 plans of 250 processes, the shop's processes
// repeated) untraced (0), and followed as qvkdc follows it without --trace
// (1): every trace id but the per-value conversion's switched on, the
// stand-in keeping only the notes and logging the model database calls.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "entry/QvkdcCreOutputData.h"
#include "qvhostsim/qvhostsim.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPlans = 40;
constexpr int kProcessesPerPlan = 250;

std::string ManyPlansModel() {
    std::ifstream in(fs::path(QVKDC_SOURCE_DIR) / "examples/shop/model.json");
    nlohmann::json model = nlohmann::json::parse(in);
    nlohmann::json shop = model["plans"][0]["processes"];
    for (const auto& p : model["plans"][1]["processes"]) shop.push_back(p);
    nlohmann::json plans = nlohmann::json::array();
    for (int i = 0; i < kPlans; ++i) {
        nlohmann::json processes = nlohmann::json::array();
        for (int k = 0; k < kProcessesPerPlan; ++k) {
            nlohmann::json p = shop[static_cast<std::size_t>(k) % shop.size()];
            p["id"] = {800000 + i, 1, k, 0};
            processes.push_back(std::move(p));
        }
        plans.push_back({{"id", {800000 + i, 0, 0, 0}}, {"processes", std::move(processes)}});
    }
    model["plans"] = std::move(plans);
    return model.dump();
}

void BM_ExportFollowedByHost(benchmark::State& state) {
    const bool follow = state.range(0) == 1;
    const std::string model = ManyPlansModel();
    const fs::path previous = fs::current_path();
    const fs::path out = fs::temp_directory_path() / "qvkdc_bench_notes";
    fs::create_directories(out);
    fs::current_path(fs::path(QVKDC_SOURCE_DIR) / "examples/shop");
    QvsimReset();
    char err[512];
    if (QvsimLoadModelText(model.c_str(), "bench.json", err, sizeof err) != 0) {
        state.SkipWithError(err);
        return;
    }
    std::vector<ModelId> plans(kPlans);
    for (int i = 0; i < kPlans; ++i) QvsimPlanId(i, &plans[static_cast<std::size_t>(i)]);
    if (follow) {
        QvsimTraceNotesOnly(1);
        QvsimTraceAll(1, 1);
        QvsimTraceId(577687, 0);  // the conversion of each value stays untraced
    }
    const std::string folder = out.string();
    for (auto _ : state) {
        if (follow) {
            QvsimTraceClear();
            QvsimCallLog(1);
        }
        int status = 0;
        QvkdcCreOutputData(&kPlans, plans.data(), folder.c_str(), "BENCH", &status);
        if (status != 0) state.SkipWithError("the run failed");
    }
    state.SetItemsProcessed(state.iterations() * kPlans * kProcessesPerPlan);
    QvsimReset();
    fs::current_path(previous);
    fs::remove_all(out);
}
BENCHMARK(BM_ExportFollowedByHost)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
