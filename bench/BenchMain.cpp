// qvkdc_bench: the export measured on a large generated workload.
//
// It writes the workload (Workload.h) into a work folder, measures the
// command-line host in child processes (CPU time and peak memory of a model
// load, an export with and without tracing, exports of 1, 10 and all plans,
// table building, and the check's reports and model check against the
// tables and the export they explain), runs the in-process benchmarks (the library's run next
// to the direct writer, the traced run, the model load, time per cell by
// plan size, table building by ExteriorTable size), checks that the library
// and the direct writer wrote the same bytes, and prints one summary table.
//
//   qvkdc_bench [--plans=N] [--processes=N] [--columns=N] [--choices=N]
//               [--exterior-rows=N] [--repetitions=N] [--work=DIR]
//               [Google Benchmark flags]
//   qvkdc_bench --write-workload=DIR [sizes]   only writes a workload
//
// Without --benchmark_filter only the workload benchmarks run; the micro
// benchmarks of the other files run with --benchmark_filter=. or a pattern.
#include <CLI/CLI.hpp>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DirectWriter.h"
#include "Workload.h"
#include "ExamineRun.h"
#include "qvhostsim/qvhostsim.h"

namespace fs = std::filesystem;

namespace {

// Time per cell by plan size: the same 6,400 processes as 64, 16 and 4
// plans, so that the table building of each run weighs the same.
constexpr int kScaleTotal = 6400;
constexpr int kScaleProcesses[] = {100, 400, 1600};
constexpr int kTableScales[] = {1, 2, 4, 8};
constexpr int kMemoryPlans[] = {1, 10};
// The check measured against what it explains: `check --format json` and
// `--format html` against `qvkdc tables` on a root of kCheckChoices choice
// rows and on one of kCheckColumns columns; `check --model` against
// `qvkdc export` on the latter (with a model of kCheckColumnsPlans plans of
// kCheckColumnsProcesses processes) and on the workload.
constexpr int kCheckChoices = 400000;
constexpr int kCheckColumns = 10000;
constexpr int kCheckColumnsPlans = 2;
constexpr int kCheckColumnsProcesses = 100;
// Memory against size: a model of kManyPlans small plans (one in a
// thousand written, every other one rejected, the rest without process
// data), `qvkdc export` against loading the model alone; and the check of a
// PlanCSVTable of kManyPlanRows rows against `qvkdc tables`.
constexpr int kManyPlans = 1000000;
constexpr int kManyPlanRows = 1000000;
// Bump when the generator changes, so that an old workload is rewritten.
constexpr int kGeneratorVersion = 4;

struct Options {
    WorkloadSize size;
    int repetitions = 3;
    fs::path work = QVKDC_BENCH_WORK_DIR;
    std::string writeOnly;
};

// Takes our flags out of argv; the rest (in *rest, after the program's
// name) is Google Benchmark's. Returns -1 to go on, or the exit code: 0
// after --help, 2 after a message on stderr.
int ParseOptions(int argc, char** argv, Options* o, std::vector<std::string>* rest) {
    CLI::App app("The export measured on a large generated workload.", "qvkdc_bench");
    app.allow_extras();
    app.footer("Other flags (--benchmark_filter=..., ...) go to Google Benchmark.");
    const auto positive = CLI::Range(1, 10000000);
    app.add_option("--plans", o->size.plans, "plans of the model")->check(positive);
    app.add_option("--processes", o->size.processes, "processes per plan")->check(positive);
    app.add_option("--columns", o->size.columns, "CSV columns")->check(positive);
    app.add_option("--choices", o->size.choices, "choice rows of ExteriorTable")->check(positive);
    app.add_option("--exterior-rows", o->size.exteriorRows, "rows of ExteriorTable")->check(positive);
    app.add_option("--repetitions", o->repetitions, "runs of each measure")->check(positive);
    app.add_option("--work", o->work, "the work folder");
    app.add_option("--write-workload", o->writeOnly, "only write a workload into this folder");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    rest->assign(1, argv[0]);
    for (const std::string& arg : app.remaining()) rest->push_back(arg);
    return -1;
}

std::string SizeText(const WorkloadSize& s) {
    std::ostringstream t;
    t << "v" << kGeneratorVersion << " plans " << s.plans << " processes " << s.processes
      << " columns " << s.columns << " choices " << s.choices << " rows " << s.exteriorRows;
    return t.str();
}

WorkloadSize Scaled(WorkloadSize s, int plans, int processes) {
    s.plans = plans;
    s.processes = processes;
    return s;
}

WorkloadSize TablesScaled(WorkloadSize s, int factor) {
    s.choices *= factor;
    s.exteriorRows *= factor;
    return s;
}

// The roots of the check's measures: many choice rows (ExteriorTable grown
// in the workload's proportion of choices to rows), or many columns.
WorkloadSize ChoiceHeavy(WorkloadSize s) {
    s.exteriorRows = static_cast<int>(static_cast<long long>(s.exteriorRows) * kCheckChoices /
                                      std::max(s.choices, 1));
    s.choices = kCheckChoices;
    return s;
}

WorkloadSize ColumnHeavy(WorkloadSize s) {
    s.columns = kCheckColumns;
    s.plans = kCheckColumnsPlans;
    s.processes = kCheckColumnsProcesses;
    return s;
}

// The work folder's layout.
struct Paths {
    explicit Paths(const fs::path& w) : work(w) {}
    fs::path work;
    fs::path root(int scale = 1) const {
        return scale == 1 ? work / "root" : work / ("root-" + std::to_string(scale) + "x");
    }
    fs::path model() const { return work / "model.json"; }
    fs::path scaleModel(int processes) const {
        return work / ("model-" + std::to_string(processes) + ".json");
    }
    fs::path out(const std::string& what) const { return work / ("out-" + what); }
    // The roots of the check's measures, "choices" and "columns", and the
    // model of the latter.
    fs::path checkRoot(const std::string& what) const { return work / ("check-" + what) / "root"; }
    fs::path checkModel() const { return work / "check-columns" / "model.json"; }
    fs::path manyPlansModel() const { return work / "many-plans.json"; }
};

// The model of kManyPlans small plans: plan i has one process of an
// exported type when i % 1000 == 0, one of a type the export rejects when i
// is odd, and no process data otherwise.
bool WriteManyPlansModel(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "{\"plans\": [\n";
    for (int i = 0; i < kManyPlans; ++i) {
        out << (i > 0 ? ",\n" : "") << "{\"id\": [" << i + 1 << ", 0, 0, 1], \"name\": \"Plan " << i << '"';
        if (i % 1000 == 0 || i % 2 == 1) {
            out << ", \"machine\": {\"names\": [\"VMC\", \"CTL\"]}, \"processes\": [{\"id\": [" << i + 1
                << ", 1, 0, 2], \"type\": " << (i % 1000 == 0 ? 2411 : 41) << "}]";
        }
        out << '}';
    }
    out << "\n]}\n";
    out.close();
    return !out.fail();
}

// The workload's tables with a PlanCSVTable of kManyPlanRows rows, its
// items over and over.
bool WriteManyRowsRoot(const Workload& w, const fs::path& root) {
    if (!w.WriteTables(root.string())) return false;
    // The table's path as the host names it ("\MIRVANE\CAM\...") below root.
    std::string name = kCnvTblFiles[kPlanCSVTableFile].path;
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path table = root / name.substr(name.find_first_not_of('/'));
    std::vector<std::string> items;
    std::ifstream in(table, std::ios::binary);
    for (std::string line; std::getline(in, line);) items.push_back(line.substr(line.find('\t') + 1));
    in.close();
    std::ofstream out(table, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < kManyPlanRows && !items.empty(); ++i) {
        out << i + 1 << '\t' << items[static_cast<std::size_t>(i) % items.size()] << '\n';
    }
    out.close();
    return !items.empty() && !out.fail();
}

bool WriteWorkload(const Options& o, const Paths& p) {
    const fs::path stamp = p.work / "workload.txt";
    std::string old;
    std::getline(std::ifstream(stamp), old);
    if (old == SizeText(o.size)) return true;
    std::error_code ec;
    fs::remove_all(p.work, ec);
    fs::create_directories(p.work, ec);
    std::fprintf(stderr, "qvkdc_bench: writing the workload into %s\n", p.work.c_str());
    const Workload main(o.size);
    bool ok = main.WriteTables(p.root().string()) && main.WriteModel(p.model().string());
    for (int n : kScaleProcesses) {
        ok = ok && Workload(Scaled(o.size, kScaleTotal / n, n)).WriteModel(p.scaleModel(n).string());
    }
    for (int f : kTableScales) {
        if (f > 1) ok = ok && Workload(TablesScaled(o.size, f)).WriteTables(p.root(f).string());
    }
    ok = ok && Workload(ChoiceHeavy(o.size)).WriteTables(p.checkRoot("choices").string());
    ok = ok && WriteManyPlansModel(p.manyPlansModel()) && WriteManyRowsRoot(main, p.checkRoot("plan-rows"));
    const Workload columns(ColumnHeavy(o.size));
    ok = ok && columns.WriteTables(p.checkRoot("columns").string()) &&
         columns.WriteModel(p.checkModel().string());
    if (ok) {
        // The stamp tells the next run that the workload is whole: written
        // only after it, and a stamp that fails to write fails the run.
        std::ofstream out(stamp);
        out << SizeText(o.size) << '\n';
        out.close();
        ok = !out.fail();
    }
    return ok;
}

// ---- child processes: the command-line host ----

struct CliFigures {
    long baselineKiB = 0;
    ChildUsage exists, exportPlain, exportTraced;
    ChildUsage diff;  // the workload's tables against themselves, both exported in process
    std::vector<ChildUsage> exportPlans;  // kMemoryPlans
    std::vector<ChildUsage> tables;       // kTableScales
    // kManyPlans: the model loaded alone (the export refused for a missing
    // --out), then `qvkdc export` plain, with --report, with --messages, and
    // --dry-run.
    ChildUsage manyLoad;
    std::vector<ChildUsage> manyExport;
    std::uintmax_t traceBytes = 0;
    bool ok = true;
};

// Best of n runs: least CPU time, least peak.
ChildUsage Best(const std::vector<std::string>& argv, int n, bool* ok,
                const std::string& out = "", int exitCode = 0) {
    ChildUsage best;
    for (int i = 0; i < n; ++i) {
        ChildUsage u;
        if (!RunChild(argv, out, &u) || u.exitCode != exitCode) {
            std::fprintf(stderr, "qvkdc_bench: %s %s failed (exit %d)\n", argv[0].c_str(),
                         argv[1].c_str(), u.exitCode);
            *ok = false;
            return u;
        }
        if (i == 0 || u.cpuSeconds < best.cpuSeconds) best.cpuSeconds = u.cpuSeconds;
        if (i == 0 || u.peakKiB < best.peakKiB) best.peakKiB = u.peakKiB;
        best.exitCode = exitCode;
    }
    return best;
}

// The check against what it explains, each in child processes.
struct CheckFigures {
    struct Reports {
        ChildUsage tables, text, json, html;
    };
    Reports choices, columns, planRows;
    // check --model --format html (the page keeps the first rows of each
    // file), export: 10,000 columns
    ChildUsage modelColumns, exportColumns;
    ChildUsage modelWorkload;  // check --model --format html on the workload
    bool ok = true;
};

// checked: the check's exit code, 1 where the tables hold errors.
CheckFigures::Reports MeasureReports(const std::string& root, int n, bool* ok, int checked = 0) {
    const std::string cli = QVKDC_CLI_PATH;
    CheckFigures::Reports r;
    r.tables = Best({cli, "tables", "--root", root}, n, ok);
    r.text = Best({cli, "check", "--root", root}, n, ok, "", checked);
    r.json = Best({cli, "check", "--root", root, "--format", "json"}, n, ok, "", checked);
    r.html = Best({cli, "check", "--root", root, "--format", "html"}, n, ok, "", checked);
    return r;
}

CheckFigures MeasureCheck(const Options& o, const Paths& p) {
    CheckFigures f;
    const std::string cli = QVKDC_CLI_PATH;
    const int n = o.repetitions;
    std::fprintf(stderr, "qvkdc_bench: measuring qvkdc check in child processes\n");
    f.choices = MeasureReports(p.checkRoot("choices").string(), n, &f.ok);
    f.columns = MeasureReports(p.checkRoot("columns").string(), n, &f.ok);
    // Its columns repeat the items: each repeat is an error.
    f.planRows = MeasureReports(p.checkRoot("plan-rows").string(), 1, &f.ok, 1);
    const std::string model = p.checkModel().string();
    const std::string root = p.checkRoot("columns").string();
    const std::string out = p.out("check-columns").string();
    std::error_code ec;
    fs::create_directories(out, ec);
    f.modelColumns = Best({cli, "check", "--model", model, "--root", root, "--format", "html"}, n, &f.ok);
    f.exportColumns = Best({cli, "export", "--model", model, "--root", root, "--out", out, "--name", "W",
                            "--overwrite"}, n, &f.ok);
    f.modelWorkload = Best(
        {cli, "check", "--model", p.model().string(), "--root", p.root().string(), "--format", "html"}, n, &f.ok);
    return f;
}

CliFigures MeasureCli(const Options& o, const Paths& p) {
    CliFigures f;
    f.baselineKiB = BaselineKiB();
    const std::string cli = QVKDC_CLI_PATH;
    const std::string model = p.model().string();
    const std::string root = p.root().string();
    const std::string out = p.out("cli").string();
    const std::string trace = (p.work / "trace.txt").string();
    std::error_code ec;
    fs::create_directories(out, ec);
    const int n = o.repetitions;
    std::fprintf(stderr, "qvkdc_bench: measuring qvkdc in child processes\n");
    f.exists = Best({cli, "exists", "--model", model, "--out", out, "--name", "W", "--root",
                     root}, n, &f.ok);
    const std::vector<std::string> exportArgs = {cli, "export", "--model", model, "--root",
                                                 root, "--out", out, "--name", "W",
                                                 "--overwrite"};
    f.exportPlain = Best(exportArgs, n, &f.ok);
    f.diff = Best({cli, "diff", "--model", model, "--root", root, "--base", root, "--name", "W"}, n, &f.ok,
                  (p.work / "diff.txt").string());
    std::vector<std::string> traced = exportArgs;
    traced.insert(traced.end(), {"--trace", trace});
    // Each run writes a new trace file, not over the last run's one (whose
    // freeing is no cost of the export).
    for (int i = 0; i < n; ++i) {
        fs::remove(trace, ec);
        const ChildUsage u = Best(traced, 1, &f.ok);
        if (i == 0 || u.cpuSeconds < f.exportTraced.cpuSeconds) f.exportTraced.cpuSeconds = u.cpuSeconds;
        if (i == 0 || u.peakKiB < f.exportTraced.peakKiB) f.exportTraced.peakKiB = u.peakKiB;
    }
    f.traceBytes = fs::file_size(trace, ec);
    fs::remove(trace, ec);
    for (int plans : kMemoryPlans) {
        std::string list;
        for (int i = 0; i < plans && i < o.size.plans; ++i) list += (i ? "," : "") + std::to_string(i);
        std::vector<std::string> args = exportArgs;
        args[7] = p.out("cli-plans").string();
        fs::create_directories(args[7], ec);
        args.insert(args.end(), {"--plans", list});
        f.exportPlans.push_back(Best(args, 1, &f.ok));
    }
    for (int scale : kTableScales) {
        f.tables.push_back(Best({cli, "tables", "--root", p.root(scale).string()}, n, &f.ok));
    }
    std::fprintf(stderr, "qvkdc_bench: measuring qvkdc export of %d plans\n", kManyPlans);
    const std::string manyOut = p.out("many-plans").string();
    fs::create_directories(manyOut, ec);
    const std::vector<std::string> many = {cli,  "export", "--model", p.manyPlansModel().string(), "--root", root,
                                           "--name", "M", "--overwrite", "--quiet", "--out"};
    std::vector<std::string> load = many;
    load.push_back((p.work / "no-such-folder").string());
    f.manyLoad = Best(load, 1, &f.ok, "", 2);
    const std::vector<std::vector<std::string>> extras = {
        {}, {"--report", (p.work / "many-report.json").string()}, {"--messages", (p.work / "many-messages.txt").string()},
        {"--dry-run"}};
    for (const std::vector<std::string>& extra : extras) {
        std::vector<std::string> args = many;
        args.push_back(manyOut);
        args.insert(args.end(), extra.begin(), extra.end());
        f.manyExport.push_back(Best(args, 1, &f.ok));
    }
    return f;
}

// ---- in-process benchmarks ----

struct RunFigures {
    std::map<std::string, double> cpu;  // least CPU seconds per benchmark
};

class CollectingReporter : public benchmark::ConsoleReporter {
 public:
    explicit CollectingReporter(RunFigures* figures) : figures_(figures) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred || r.iterations == 0) continue;
            const double cpu = r.cpu_accumulated_time / static_cast<double>(r.iterations);
            const std::string name = r.run_name.function_name;
            auto it = figures_->cpu.find(name);
            if (it == figures_->cpu.end() || cpu < it->second) figures_->cpu[name] = cpu;
        }
        ConsoleReporter::ReportRuns(runs);
    }

 private:
    RunFigures* figures_;
};

// Loads a model once for all benchmarks that use it.
bool EnsureModel(const std::string& path, std::vector<ModelId>* plans) {
    static std::string loaded;
    if (loaded != path) {
        loaded.clear();
        QvsimReset();
        char err[1024] = {};
        if (QvsimLoadModelFile(path.c_str(), err, sizeof err) != 0) {
            std::fprintf(stderr, "qvkdc_bench: %s\n", err);
            return false;
        }
        loaded = path;
    }
    plans->clear();
    for (int i = 0; i < QvsimPlanCount(); ++i) {
        ModelId id{};
        QvsimPlanId(i, &id);
        plans->push_back(id);
    }
    return true;
}

// Runs fn with root as the working directory.
class InRoot {
 public:
    explicit InRoot(const fs::path& root) : previous_(fs::current_path()) { fs::current_path(root); }
    ~InRoot() {
        std::error_code ec;
        fs::current_path(previous_, ec);
    }

 private:
    fs::path previous_;
};

// The plans of model, loaded, and the output folder; false (the benchmark
// skipped) when the model cannot be loaded.
bool PrepareExport(benchmark::State& state, const fs::path& model, const fs::path& out,
                   std::vector<ModelId>* plans) {
    if (!EnsureModel(model.string(), plans)) {
        state.SkipWithError("model");
        return false;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    return true;
}

// How a library run is followed: not at all, into a trace file, or as
// qvkdc follows an export without --trace (told of every plan in process,
// ExamineRun.h).
enum class Follow { kNone, kTraceFile, kPlans };

// Hears of every plan, as `qvkdc export` does, and of no cell.
class PlanCounter : public QvkdcRunObserver {
 public:
    bool FollowsCells() const override { return false; }
    void Listed(int, int) override { ++plans; }
    void Typed(const QvkdcRunPlace&, int, bool) override {}
    void Converted(const QvkdcRunPlace&, int, std::string_view, const CellFacts&) override {}
    void Rejected(int, bool, std::string_view, std::string_view) override {}
    void NoRows(int) override {}
    void Written(int, std::string_view, int) override {}
    int plans = 0;
};

void LibraryRun(benchmark::State& state, const fs::path& model, const fs::path& root,
                const fs::path& out, Follow follow, const fs::path& trace = {}) {
    std::vector<ModelId> plans;
    if (!PrepareExport(state, model, out, &plans)) return;
    std::error_code ec;
    InRoot inRoot(root);
    const int count = static_cast<int>(plans.size());
    const std::string folder = out.string();
    for (auto _ : state) {
        if (follow == Follow::kTraceFile) {
            state.PauseTiming();
            fs::remove(trace, ec);  // a new file, as in the child-process runs
            state.ResumeTiming();
            QvsimTraceFileBuffered(trace.c_str());
            QvsimTraceAll(1, 1);
        }
        RunRequest request;
        request.plans = plans.data();
        request.count = count;
        request.out = folder;
        request.name = "W";
        int status = 0;
        if (follow == Follow::kPlans) {
            PlanCounter counter;
            status = RunExport(request, &counter).status;
        } else {
            status = RunExportAsHost(request);
        }
        QvsimTraceAll(0, 0);
        QvsimTraceFile(nullptr);
        QvsimTraceClear();
        if (status != 0) state.SkipWithError("the export failed");
    }
    if (!trace.empty()) fs::remove(trace, ec);
}

void DirectRun(benchmark::State& state, const Workload& workload, const fs::path& model,
               const fs::path& out) {
    std::vector<ModelId> plans;
    if (!PrepareExport(state, model, out, &plans)) return;
    DirectWriter writer(workload);
    for (auto _ : state) {
        if (writer.Export(plans, out.string(), "W") != 0) state.SkipWithError("direct writer");
    }
}

void ModelLoad(benchmark::State& state, const fs::path& model) {
    QvsimReset();
    for (auto _ : state) {
        QvsimReset();
        char err[1024] = {};
        if (QvsimLoadModelFile(model.string().c_str(), err, sizeof err) != 0) {
            state.SkipWithError(err);
        }
    }
    QvsimReset();
}

// The table steps of an export: a run of no plan, which builds the tables
// and ends.
void TableBuild(benchmark::State& state, const fs::path& root) {
    QvsimReset();
    InRoot inRoot(root);
    RunRequest request;
    request.out = ".";
    request.name = "W";
    for (auto _ : state) {
        if (RunExportAsHost(request) != 0) state.SkipWithError("table building failed");
    }
}

// True when both folders hold the same files with the same bytes.
bool SameFiles(const fs::path& a, const fs::path& b, std::size_t* files, std::uintmax_t* bytes) {
    std::vector<fs::path> names;
    for (const auto& e : fs::directory_iterator(a)) names.push_back(e.path().filename());
    std::size_t inB = 0;
    for (const auto& e : fs::directory_iterator(b)) {
        (void)e;
        ++inB;
    }
    if (names.size() != inB || names.empty()) return false;
    *files = names.size();
    *bytes = 0;
    for (const fs::path& n : names) {
        std::ifstream fa(a / n, std::ios::binary);
        std::ifstream fb(b / n, std::ios::binary);
        const std::string ta((std::istreambuf_iterator<char>(fa)), std::istreambuf_iterator<char>());
        const std::string tb((std::istreambuf_iterator<char>(fb)), std::istreambuf_iterator<char>());
        if (ta != tb) return false;
        *bytes += ta.size();
    }
    return true;
}

// ---- summary ----

double MiB(long kib) { return static_cast<double>(kib) / 1024.0; }

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

void PrintCheckReports(const char* what, const CheckFigures::Reports& r,
                       const char* target = "<= 2x CPU, <= 1.5x peak") {
    const auto peak = [&](const ChildUsage& u) {
        return Ratio(static_cast<double>(u.peakKiB), static_cast<double>(r.tables.peakKiB));
    };
    std::printf("| `check` (text) / `--format json` / `--format html` against `qvkdc tables`, %s | CPU x%.2f / "
                "x%.2f / x%.2f, peak x%.2f / x%.2f / x%.2f (tables %.3f s, %.0f MiB) | %s |\n",
                what, Ratio(r.text.cpuSeconds, r.tables.cpuSeconds), Ratio(r.json.cpuSeconds, r.tables.cpuSeconds),
                Ratio(r.html.cpuSeconds, r.tables.cpuSeconds), peak(r.text), peak(r.json), peak(r.html),
                r.tables.cpuSeconds, MiB(r.tables.peakKiB), target);
}

void PrintSummary(const Options& o, const Paths& p, const CliFigures& cli, const CheckFigures& check,
                  const RunFigures& run, bool same, std::uintmax_t csvBytes) {
    const long cells = static_cast<long>(o.size.plans) * o.size.processes * o.size.columns;
    const double modelMB = static_cast<double>(fs::file_size(p.model())) / 1e6;
    auto cpu = [&](const std::string& name) {
        const auto it = run.cpu.find(name);
        return it != run.cpu.end() ? it->second : 0.0;
    };
    char date[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));

    const double lib = cpu("workload/library_run");
    const double direct = cpu("workload/direct_writer");
    const double traced = cpu("workload/library_run_traced");
    const double followed = cpu("workload/library_run_followed");
    const double load = cpu("workload/model_load");
    const double cliLib = cli.exportPlain.cpuSeconds - cli.exists.cpuSeconds;
    const double cliLibTraced = cli.exportTraced.cpuSeconds - cli.exists.cpuSeconds;

    std::printf("\nQvkdc export benchmark, %s: %d plans x %d processes x %d columns = %ld cells, "
                "ExteriorTable %d rows with %d choices; model file %.1f MB, CSV %.1f MB "
                "(%s the direct writer's). CPU time, best of %d.\n\n",
                date, o.size.plans, o.size.processes, o.size.columns, cells,
                o.size.exteriorRows, o.size.choices, modelMB,
                static_cast<double>(csvBytes) / 1e6, same ? "byte for byte" : "DIFFERENT FROM",
                o.repetitions);
    std::printf("| what | measured | target |\n|---|---|---|\n");
    std::printf("| library run, model loaded, tracing off | %.3f s: %.1f M cells/s | >= 10 M cells/s |\n",
                lib, lib > 0 ? static_cast<double>(cells) / lib / 1e6 : 0.0);
    std::printf("| direct writer, same values through the same host calls | %.3f s: library %.2fx | <= 2x |\n",
                direct, direct > 0 ? lib / direct : 0.0);
    std::printf("| model load, `qvkdc exists` | %.2f s: %.0f MB/s, peak %.0f MiB (%.1fx the file) | >= 100 MB/s, <= 3x |\n",
                cli.exists.cpuSeconds,
                cli.exists.cpuSeconds > 0 ? modelMB / cli.exists.cpuSeconds : 0.0,
                MiB(cli.exists.peakKiB), MiB(cli.exists.peakKiB) * 1048576.0 / (modelMB * 1e6));
    std::printf("| model load in process | %.2f s: %.0f MB/s | |\n", load,
                load > 0 ? modelMB / load : 0.0);
    std::printf("| tracing on, every id, to a file (%.0f MB) | `qvkdc export` x%.2f (library part x%.2f), in process x%.2f; peak %.0f MiB (untraced %.0f MiB) | <= 2x, memory flat |\n",
                static_cast<double>(cli.traceBytes) / 1e6,
                cli.exportPlain.cpuSeconds > 0 ? cli.exportTraced.cpuSeconds / cli.exportPlain.cpuSeconds : 0.0,
                cliLib > 0 ? cliLibTraced / cliLib : 0.0, lib > 0 ? traced / lib : 0.0,
                MiB(cli.exportTraced.peakKiB), MiB(cli.exportPlain.peakKiB));
    std::printf("| followed as `qvkdc export` follows it without --trace (told of every plan), in process | %.3f s: x%.3f | <= 1.05x |\n",
                followed, lib > 0 ? followed / lib : 0.0);
    std::printf("| table building 1x/2x/4x/8x ExteriorTable rows, in process | ");
    for (int f : kTableScales) {
        std::printf("%s%.3f", f > 1 ? " / " : "", cpu("workload/table_build:" + std::to_string(f) + "x"));
    }
    const double t1 = cpu("workload/table_build:1x");
    std::printf(" s: 8x in %.1fx the time of 1x | <= 9x |\n", t1 > 0 ? cpu("workload/table_build:8x") / t1 : 0.0);
    std::printf("| the same, `qvkdc tables` | ");
    for (std::size_t i = 0; i < cli.tables.size(); ++i) {
        std::printf("%s%.3f", i > 0 ? " / " : "", cli.tables[i].cpuSeconds);
    }
    std::printf(" s | |\n");
    std::printf("| time per cell at");
    for (int n : kScaleProcesses) std::printf(" %s%d", n == kScaleProcesses[0] ? "" : "/ ", n);
    std::printf(" processes per plan | ");
    for (int n : kScaleProcesses) {
        const double c = static_cast<double>(kScaleTotal) * o.size.columns;
        std::printf("%s%.0f", n == kScaleProcesses[0] ? "" : " / ",
                    cpu("workload/cells_per_plan:" + std::to_string(n)) / c * 1e9);
    }
    std::printf(" ns | flat |\n");
    std::printf("| peak memory of `qvkdc export` at 1/10/%d plans | ", o.size.plans);
    for (const ChildUsage& u : cli.exportPlans) std::printf("%.0f / ", MiB(u.peakKiB));
    std::printf("%.0f MiB (a child of nothing: %.0f MiB) | flat |\n", MiB(cli.exportPlain.peakKiB),
                MiB(cli.baselineKiB));
    std::printf("| `qvkdc diff` of two table sets against `qvkdc export` | CPU x%.2f (%.3f s), peak x%.2f "
                "(%.0f MiB) | <= 2.5x, <= 1.5x |\n",
                Ratio(cli.diff.cpuSeconds, cli.exportPlain.cpuSeconds), cli.diff.cpuSeconds,
                Ratio(static_cast<double>(cli.diff.peakKiB), static_cast<double>(cli.exportPlain.peakKiB)),
                MiB(cli.diff.peakKiB));
    const std::string choices = std::to_string(kCheckChoices) + " choice rows";
    const std::string columns = std::to_string(kCheckColumns) + " columns";
    PrintCheckReports(choices.c_str(), check.choices);
    PrintCheckReports(columns.c_str(), check.columns);
    const std::string planRows = std::to_string(kManyPlanRows) + " PlanCSVTable rows";
    PrintCheckReports(planRows.c_str(), check.planRows, "<= 2x peak");
    std::printf("| peak memory of `qvkdc export` at %d plans against loading the model alone (%.0f MiB): plain / "
                "--report / --messages / --dry-run | ",
                kManyPlans, MiB(cli.manyLoad.peakKiB));
    for (std::size_t i = 0; i < cli.manyExport.size(); ++i) {
        std::printf("%sx%.2f", i > 0 ? " / " : "",
                    Ratio(static_cast<double>(cli.manyExport[i].peakKiB), static_cast<double>(cli.manyLoad.peakKiB)));
    }
    std::printf(" | <= 1.3x |\n");
    std::printf("| `check --model --format html` against `qvkdc export`, %s / the workload | CPU x%.2f / x%.2f "
                "(export %.3f / %.3f s) | <= 2x |\n",
                columns.c_str(), Ratio(check.modelColumns.cpuSeconds, check.exportColumns.cpuSeconds),
                Ratio(check.modelWorkload.cpuSeconds, cli.exportPlain.cpuSeconds),
                check.exportColumns.cpuSeconds, cli.exportPlain.cpuSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::vector<std::string> rest;
    const int parsed = ParseOptions(argc, argv, &o, &rest);
    if (parsed >= 0) return parsed == 0 ? 0 : 2;
    if (!o.writeOnly.empty()) {
        const Workload w(o.size);
        const fs::path dir = fs::absolute(o.writeOnly);
        const bool ok = w.WriteTables((dir / "root").string()) && w.WriteModel((dir / "model.json").string());
        std::fprintf(stderr, "qvkdc_bench: workload %s in %s\n", ok ? "written" : "NOT written", dir.c_str());
        return ok ? 0 : 1;
    }
    bool filtered = false;
    std::vector<char*> args;
    for (std::string& arg : rest) {
        filtered = filtered || arg.rfind("--benchmark_filter", 0) == 0;
        args.push_back(arg.data());
    }
    std::string filter = "--benchmark_filter=^workload/";
    if (!filtered) args.push_back(filter.data());
    int gbArgc = static_cast<int>(args.size());
    benchmark::Initialize(&gbArgc, args.data());
    if (benchmark::ReportUnrecognizedArguments(gbArgc, args.data())) return 2;

    o.work = fs::absolute(o.work);
    const Paths p(o.work);
    if (!WriteWorkload(o, p)) {
        std::fprintf(stderr, "qvkdc_bench: the workload could not be written\n");
        return 1;
    }
    const bool full = !filtered;
    CliFigures cli;
    CheckFigures check;
    if (full) {
        cli = MeasureCli(o, p);
        check = MeasureCheck(o, p);
    }

    const Workload workload(o.size);
    const int reps = o.repetitions;
    auto reg = [&](const std::string& name, std::function<void(benchmark::State&)> fn) {
        benchmark::RegisterBenchmark(name.c_str(), [fn](benchmark::State& s) { fn(s); })
            ->Iterations(1)
            ->Repetitions(reps)
            ->Unit(benchmark::kMillisecond);
    };
    reg("workload/library_run", [&](benchmark::State& s) {
        LibraryRun(s, p.model(), p.root(), p.out("library"), Follow::kNone);
    });
    reg("workload/direct_writer", [&](benchmark::State& s) {
        DirectRun(s, workload, p.model(), p.out("direct"));
    });
    reg("workload/library_run_traced", [&](benchmark::State& s) {
        LibraryRun(s, p.model(), p.root(), p.out("traced"), Follow::kTraceFile,
                   p.work / "trace-in-process.txt");
    });
    reg("workload/library_run_followed", [&](benchmark::State& s) {
        LibraryRun(s, p.model(), p.root(), p.out("followed"), Follow::kPlans);
    });
    for (int n : kScaleProcesses) {
        reg("workload/cells_per_plan:" + std::to_string(n), [&p, n](benchmark::State& s) {
            LibraryRun(s, p.scaleModel(n), p.root(), p.out("scale-" + std::to_string(n)), Follow::kNone);
        });
    }
    reg("workload/model_load", [&](benchmark::State& s) { ModelLoad(s, p.model()); });
    for (int f : kTableScales) {
        reg("workload/table_build:" + std::to_string(f) + "x",
            [&p, f](benchmark::State& s) { TableBuild(s, p.root(f)); });
    }

    RunFigures run;
    CollectingReporter reporter(&run);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!full) return 0;

    std::size_t files = 0;
    std::uintmax_t bytes = 0;
    const bool same = SameFiles(p.out("library"), p.out("direct"), &files, &bytes) &&
                      SameFiles(p.out("library"), p.out("cli"), &files, &bytes) &&
                      SameFiles(p.out("library"), p.out("traced"), &files, &bytes) &&
                      SameFiles(p.out("library"), p.out("followed"), &files, &bytes);
    PrintSummary(o, p, cli, check, run, same, bytes);
    if (!same) std::fprintf(stderr, "qvkdc_bench: the CSV files differ between the runs\n");
    return same && cli.ok && check.ok ? 0 : 1;
}
