// Converting one process over a column table of 40 columns of every kind:
// dedicated items, fixed empty items and parameter values of every type,
// as the export converts each process of a plan (ExaminedTables::ConvertRow).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CnvTblFiles.h"
#include "ExamineTables.h"
#include "ItemRules.h"
#include "ValueTypes.h"
#include "qvhostsim/qvhostsim.h"

namespace {

const char* const kModel = R"({
 "plans": [ { "id": [1,0,0,1], "name": "Plan", "processes": [
  { "id": [2,0,0,1], "type": 2441, "name": " Drilling process ",
    "tool": {"type": 3, "state": 1, "name": "DRILL-10"},
    "candidateTools": ["DRILL-10", "", "DRILL-12"],
    "params": {"1323": 0, "1122": 0.25, "1300": 12.5, "1301": 2,
               "500": 1, "501": 2, "502": 3, "503": 4, "504": 5, "505": 6,
               "510": 1.5, "511": 22.125, "512": -0.75, "513": 1234.5,
               "514": 0.001, "515": 99.0,
               "520": "first note, with a comma", "521": "  second  ",
               "522": "a \"quoted\" word", "523": "x",
               "530": 1, "531": 2, "532": 1, "533": 2} } ] } ],
 "toolTexts": {"DRILL-10": "D10 L80"} })";

struct Column {
    std::string_view item;
    int key;
    int valType;
};

constexpr int kInt = kSubTypeInteger;
constexpr int kReal = kValTypeReal;
constexpr int kStr = kValTypeString;
constexpr int kSel = kValTypeSelect;

// The table files under a root of their own, the current folder while the
// tables are built.
class TableRoot {
 public:
    TableRoot() : root_(std::filesystem::temp_directory_path() / "qvkdc-bench-cnv"), previous_(std::filesystem::current_path()) {}
    ~TableRoot() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(root_, ec);
    }
    std::string files[kCnvTblFileCount];

    // Writes the files and enters the root; false when it cannot.
    bool Enter() {
        std::error_code ec;
        const std::filesystem::path folder = root_ / "MIRVANE" / "CAM" / "KR" / "Tables";
        std::filesystem::create_directories(folder, ec);
        for (int i = 0; i < kCnvTblFileCount; ++i) {
            std::string_view name = kCnvTblFiles[i].path;
            name.remove_prefix(name.rfind('\\') + 1);
            std::ofstream(folder / std::string(name), std::ios::binary) << files[i];
        }
        std::filesystem::current_path(root_, ec);
        return !ec;
    }

 private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

// The keyword of a type code, as the tables spell it.
std::string Keyword(int code) {
    const ValueType* type = ValueTypeOfCode(code);
    return type != nullptr ? std::string(type->keyword) : std::string();
}

const Column kColumns[] = {
    {kItemPrcsName, 0, kStr},     {kItemPlanName, 0, kStr},
    {kItemToolType, 0, kSel},     {kItemToolCheck, 0, kStr},
    {kItemScanAngle, 0, kSel},    {kItemToolGroup, 0, kStr},
    {kItemLocalAxis, 1301, kSel}, {kItemLocalHeight, 1300, kReal},
    {"comment", 0, kStr},         {"planFolder", 0, kStr},
    {"processCheck", 0, kStr},    {"toolType2", 0, kSel},
    {"toolCheck2", 0, kStr},      {"ttlKPANGLE", 0, kReal},
    {"ttlKPUSRDEF1", 0, kStr},    {"ttlKPUSRDEF10", 0, kStr},
    {kItemMacro, 500, kInt},      {kItemMacroAlt, 501, kInt},
    {kItemPitch, 0, kReal},       {kItemComment, 520, kStr},
    {"itDepth", 502, kInt},       {"itCount", 503, kInt},
    {"itSteps", 504, kInt},       {"itLoops", 505, kInt},
    {"itFeed", 510, kReal},       {"itSpeed", 511, kReal},
    {"itOffset", 512, kReal},     {"itLength", 513, kReal},
    {"itTolerance", 514, kReal},  {"itAngle", 515, kReal},
    {"itNote", 521, kStr},        {"itLabel", 522, kStr},
    {"itMark", 523, kStr},        {"itCoolant", 530, kSel},
    {"itDirection", 531, kSel},   {"itCycle", 532, kSel},
    {"itSide", 533, kSel},        {"itUnset", 0, kInt},
    {"itMissing", 4711, kReal},   {"itNone", kNoPrmKeyAlt, kStr},
};

void BM_CnvOutData_Process40Columns(benchmark::State& state) {
    QvsimReset();
    char err[256] = {};
    if (QvsimLoadModelText(kModel, "bench.json", err, sizeof err) != 0) {
        state.SkipWithError(err);
        return;
    }
    // Every column a PlanCSVTable row, with its key and value type; the
    // Select columns with three choices, the scan angle with the one of 0.
    TableRoot t;
    std::string& exterior = t.files[kExteriorTableFile];
    std::string& keys = t.files[kProcessParametersTableFile];
    std::string& types = t.files[kParameterSettingTableFile];
    std::string& values = t.files[kSelectionToIntTableFile];
    t.files[kVariableTableFile] = "TSET\tx\takw_tls_nm\n";
    int n = 0;
    for (const Column& c : kColumns) {
        const std::string item(c.item);
        const std::string title = "C" + std::to_string(++n);
        t.files[kPlanCSVTableFile] += std::to_string(n) + '\t' + item + '\n';
        exterior += title + '\t' + item + '\n';
        keys += item + '\t' + std::to_string(c.key) + "\t0\n";
        const bool sub = c.valType == kInt;
        types += item + '\t' + (sub ? "Real" : Keyword(c.valType)) + "\t\t\t" + (sub ? "Integer" : "") + '\n';
        if (c.valType != kSel) continue;
        const bool scan = c.item == kItemScanAngle;
        for (int v = scan ? 0 : 1; v <= (scan ? 0 : 3); ++v) {
            const std::string choice = item + "-" + std::to_string(v);
            exterior += title + ':' + "Text " + std::to_string(v) + '\t' + choice + '\n';
            values += choice + '\t' + std::to_string(v) + '\n';
        }
    }
    ExaminedTables tables;
    if (t.Enter()) tables.Build();
    if (tables.FailedStep() != FailStep::kNone || tables.Columns().size() != std::size(kColumns)) {
        state.SkipWithError("the tables");
        return;
    }

    const ModelId id = {2, 0, 0, 1};
    std::string line;
    for (auto _ : state) {
        line.clear();
        if (tables.ConvertRow(id, &line) != 0) state.SkipWithError("conversion");
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::size(kColumns)));
    QvsimReset();
}
BENCHMARK(BM_CnvOutData_Process40Columns);

}  // namespace
