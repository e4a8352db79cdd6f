// ShopBench: the demo shop as the setting of a benchmark: a model of the
// shop's processes, repeated, loaded into the stand-in host, with the shop's
// tables under the current folder and a fresh output folder.
#ifndef QVKDC_BENCH_SHOPBENCH_H
#define QVKDC_BENCH_SHOPBENCH_H

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "qvhostsim/qvhostsim.h"

// The shop's model with `plans` plans, each of `processes` processes taken
// in turn from the shop's first two plans; plan i has the id
// {firstId + i, 0, 0, 0}, its process k {firstId + i, 1, k, 0}.
inline std::string ShopModel(int plans, int processes, int firstId) {
    std::ifstream in(std::filesystem::path(QVKDC_SOURCE_DIR) / "examples/shop/model.json");
    nlohmann::json model = nlohmann::json::parse(in);
    nlohmann::json shop = model["plans"][0]["processes"];
    for (const auto& p : model["plans"][1]["processes"]) shop.push_back(p);
    nlohmann::json planList = nlohmann::json::array();
    for (int i = 0; i < plans; ++i) {
        nlohmann::json list = nlohmann::json::array();
        for (int k = 0; k < processes; ++k) {
            nlohmann::json p = shop[static_cast<std::size_t>(k) % shop.size()];
            p["id"] = {firstId + i, 1, k, 0};
            list.push_back(std::move(p));
        }
        planList.push_back({{"id", {firstId + i, 0, 0, 0}}, {"processes", std::move(list)}});
    }
    model["plans"] = std::move(planList);
    return model.dump();
}

class ShopBench {
 public:
    // Loads model into the stand-in host, makes the shop folder the current
    // folder and a fresh folder `outName` under the temporary folder.
    ShopBench(const std::string& model, const char* outName)
        : previous_(std::filesystem::current_path()),
          out_(std::filesystem::temp_directory_path() / outName) {
        std::filesystem::create_directories(out_);
        std::filesystem::current_path(std::filesystem::path(QVKDC_SOURCE_DIR) / "examples/shop");
        QvsimReset();
        char err[512];
        if (QvsimLoadModelText(model.c_str(), "bench.json", err, sizeof err) != 0) error_ = err;
        for (int i = 0; i < QvsimPlanCount(); ++i) {
            ModelId id{};
            QvsimPlanId(i, &id);
            plans_.push_back(id);
        }
    }
    ~ShopBench() {
        QvsimReset();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(out_);
    }
    ShopBench(const ShopBench&) = delete;
    ShopBench& operator=(const ShopBench&) = delete;

    // Why the model was refused; "" when it was loaded.
    const std::string& error() const { return error_; }
    const std::vector<ModelId>& plans() const { return plans_; }
    std::string folder() const { return out_.string(); }

 private:
    std::filesystem::path previous_;
    std::filesystem::path out_;
    std::string error_;
    std::vector<ModelId> plans_;
};

#endif  // QVKDC_BENCH_SHOPBENCH_H
