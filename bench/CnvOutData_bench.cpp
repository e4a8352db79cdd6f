// Converting one process over a column table of 40 columns of every kind:
// dedicated items, fixed empty items and parameter values of every type.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/CQvkdcCnvColData.h"
#include "ItemRules.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcSlctValTblMng.h"
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
    CQvkdcSlctValTblMng slct;
    const std::string selects[] = {std::string(kItemToolType), std::string(kItemLocalAxis),
                                   "itCoolant", "itDirection", "itCycle", "itSide"};
    for (const std::string& item : selects) {
        slct.AddSlct(item, "one", "One", 1);
        slct.AddSlct(item, "two", "Two", 2);
        slct.AddSlct(item, "three", "Three", 3);
    }
    slct.AddSlct(std::string(kItemScanAngle), "auto", "Auto", 0);

    std::vector<std::unique_ptr<CQvkdcOutColRowMng>> rows;
    for (const Column& c : kColumns) {
        rows.push_back(std::make_unique<CQvkdcOutColRowMng>());
        rows.back()->SetItName(std::string(c.item));
        rows.back()->SetPrmKey(c.key);
        rows.back()->SetValType(c.valType);
    }

    const ModelId id = {2, 0, 0, 1};
    QdgmPrcsRec* rec = nullptr;
    if (QdgmGetPrcs(0, &id, &rec) != 0) {
        state.SkipWithError("no process record");
        return;
    }
    CQvkdcCnvColData cnv;
    cnv.SetSlctTbl(&slct);
    cnv.SetTSetFormTxt("TSET");
    cnv.SetPrcsId(id);
    cnv.SetPrcsDat(rec);

    std::string line;
    std::string text;
    for (auto _ : state) {
        line.clear();
        for (const auto& row : rows) {
            cnv.SetColRow(row.get());
            text.clear();
            if (cnv.CnvOutData(text) != 0) state.SkipWithError("conversion");
            if (!line.empty()) line.push_back(',');
            line.append(text);
        }
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(rows.size()));
    QmemFrePrcs(rec);
    QvsimReset();
}
BENCHMARK(BM_CnvOutData_Process40Columns);

}  // namespace
