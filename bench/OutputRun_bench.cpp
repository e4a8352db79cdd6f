// A whole output run over the demo shop's tables: one plan of 5,000
// processes (the shop's first plan repeated) written as one CSV file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "entry/QvkdcCreOutputData.h"
#include "qvhostsim/qvhostsim.h"

namespace fs = std::filesystem;

namespace {

constexpr int kProcesses = 5000;

// The shop's model with plan 0 grown to kProcesses processes.
std::string BigModel() {
    std::ifstream in(fs::path(QVKDC_SOURCE_DIR) / "examples/shop/model.json");
    nlohmann::json model = nlohmann::json::parse(in);
    nlohmann::json& plan = model["plans"][0];
    const nlohmann::json pattern = plan["processes"];
    nlohmann::json processes = nlohmann::json::array();
    for (int k = 0; k < kProcesses; ++k) {
        nlohmann::json p = pattern[static_cast<std::size_t>(k) % pattern.size()];
        p["id"] = {900000 + k, 0, 0, 7};
        processes.push_back(std::move(p));
    }
    plan["processes"] = std::move(processes);
    model["plans"] = nlohmann::json::array({plan});
    return model.dump();
}

void BM_OutputRunLargePlan(benchmark::State& state) {
    const std::string model = BigModel();
    const fs::path previous = fs::current_path();
    const fs::path out = fs::temp_directory_path() / "qvkdc_bench_out";
    fs::create_directories(out);
    fs::current_path(fs::path(QVKDC_SOURCE_DIR) / "examples/shop");
    QvsimReset();
    char err[512];
    if (QvsimLoadModelText(model.c_str(), "bench.json", err, sizeof err) != 0) {
        state.SkipWithError(err);
        return;
    }
    ModelId plan{};
    QvsimPlanId(0, &plan);
    const int count = 1;
    const std::string folder = out.string();
    for (auto _ : state) {
        int status = 0;
        QvkdcCreOutputData(&count, &plan, folder.c_str(), "BENCH", &status);
        if (status != 0) state.SkipWithError("the run failed");
    }
    state.SetItemsProcessed(state.iterations() * kProcesses);
    fs::current_path(previous);
    fs::remove_all(out);
}
BENCHMARK(BM_OutputRunLargePlan)->Unit(benchmark::kMillisecond);

}  // namespace
