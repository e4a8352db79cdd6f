// qvkdc's own outputs on the full device and under a file size limit: told
// with the system's reason, exit 5, no part of a file left. An export
// interrupted by a signal: whole files, the plans written told.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "examine/ReplacingFile.h"
#include "system/StandardOutput.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"

namespace {

constexpr char kCheckReport[] = "--report";  // the check's report file

// qvkdc started in the current folder under a file size limit, stdin from
// /dev/null, stdout to outPath or (when it is "") a pipe, stderr to a pipe.
// What it prints must fit in the pipes: they are read once it has ended.
struct Started {
    Started(std::vector<std::string> args, const std::string& outPath, rlim_t limit) {
        args.insert(args.begin(), QVKDC_CLI_PATH);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int p[2][2];  // to stdout, to stderr
        if (::pipe(p[0]) != 0 || ::pipe(p[1]) != 0) return;
        const struct rlimit rl = {limit, limit};
        if ((pid = ::fork()) == 0) {
            ::dup2(::open("/dev/null", O_RDONLY), 0);
            ::dup2(outPath.empty() ? p[0][1] : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
            ::dup2(p[1][1], 2);
            ::setrlimit(RLIMIT_FSIZE, &rl);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        for (int i = 0; i < 2; ++i) ::close(p[i][1]), fds[i] = p[i][0];
    }
    void Wait() {
        ::waitpid(pid, &status, 0);
        for (int i = 0; i < 2; ++i) {
            char buf[4096];
            for (ssize_t n; (n = ::read(fds[i], buf, sizeof buf)) > 0;) (i ? err : out).append(buf, n);
            ::close(fds[i]);
        }
    }
    pid_t pid = -1;
    int status = -1, fds[2] = {-1, -1};  // the wait status; the pipes' reading ends
    std::string out, err;
};

using QvkdcOutputs = HostTest;

TEST_F(QvkdcOutputs, EveryOwnOutputThatFailsIsToldAndLeavesNoPart) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    dir.WriteFile("model.json", R"({"plans": [{"id": [1, 0, 0, 1], "name": "First", "processes": [
        {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "300": "z"}}]}]})");
    std::filesystem::create_directory(dir.PathOf("out"));
    const auto Export = [](std::vector<std::string> extra) {
        extra.insert(extra.begin(), {"export", "--model", "model.json", "--out", "out", "--overwrite"});
        return extra;
    };
    const auto Abs = [](const char* file) { return (std::filesystem::current_path() / file).string(); };
    const rlim_t full = RLIM_INFINITY, tight = 64;  // tight: too small for a report, list or trace
    // Without a limit the output is the full device; under one, a file.
    // named: the output as the line names it.
    const struct { std::string named; std::vector<std::string> args; rlim_t limit; } rows[] = {
        {"standard output", {"tables"}, full},
        {"standard output", {"help"}, full},
        {"standard output", {"check", "--format", "json"}, full},
        {"standard output", Export({"--dry-run"}), full},
        {"standard output", Export({}), 4},
        {"--trace /dev/full", Export({"--trace", "/dev/full"}), full},
        {"--trace " + Abs("t.trace"), {"tables", "--trace", "t.trace"}, 256},
        {"--messages /dev/full", Export({"--messages", "/dev/full"}), full},
        {"--messages " + Abs("m.txt"), Export({"--messages", "m.txt"}), 16},
        {"--report /dev/full", Export({"--report", "/dev/full"}), full},
        {"--report " + Abs("r.json"), Export({"--report", "r.json"}), tight},
        {"/dev/full", {"check", kCheckReport, "/dev/full"}, full},
        {"c.json", {"check", "--format", "json", kCheckReport, "c.json"}, tight},
        {"c.html", {"check", "--format", "html", kCheckReport, "c.html"}, tight},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.named + " of " + row.args[0] + " under " + std::to_string(row.limit));
        const bool toStdout = row.named == "standard output";
        const std::string file = toStdout || row.limit == full ? "" : row.args.back();
        if (!file.empty()) dir.WriteFile(file, "earlier\n");
        Started run(row.args, toStdout ? (row.limit == full ? "/dev/full" : "run.out") : "", row.limit);
        run.Wait();
        EXPECT_EQ(WIFEXITED(run.status) ? WEXITSTATUS(run.status) : -1, 5) << run.err;
        const std::string line = "qvkdc: " + row.named + ": cannot be written: " +
                                 std::strerror(row.limit == full ? ENOSPC : EFBIG) + "\n";
        EXPECT_NE(run.err.find(line), std::string::npos) << "wanted " << line << run.err;
        EXPECT_TRUE(row.args[0] != "export" || toStdout || run.out.rfind("status: ", 0) == 0) << run.out;
        // A failed trace is removed; qvkdc's own files keep the earlier one.
        if (!file.empty()) {
            const std::string left = dir.ReadFile(file);
            EXPECT_TRUE(left == "<missing>" || left == "earlier\n") << "left " << left;
        }
    }
}

TEST_F(QvkdcOutputs, InterruptedExportLeavesWholeFilesAndTellsWhichWereWritten) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    constexpr int kPlans = 8;  // of the same 12,000 rows, so the same file
    std::string model = R"({"plans": [)";
    for (int p = 0; p < kPlans; ++p) {
        model += std::string(p ? "]}," : "") + R"({"id": [)" + std::to_string(p + 1) + R"(, 0, 0, 1], "name": "P)" +
                 std::to_string(p) + R"(", "processes": [)";
        for (int i = 0; i < 12000; ++i) {
            model += std::string(i ? "," : "") + R"({"id": [)" + std::to_string(100 + i) + ", " + std::to_string(p) +
                     R"(, 0, 1], "type": 2411, "params": {"100": )" + std::to_string(i) + R"(, "300": ")" +
                     std::string(120, 'z') + "\"}}";
        }
    }
    dir.WriteFile("model.json", model + "]}]}");

    for (const int signal : {SIGINT, SIGTERM}) {
        const std::string out = "out" + std::to_string(signal);
        SCOPED_TRACE(out);
        for (int p = 0; p < kPlans; ++p) dir.WriteFile(out + "/P" + std::to_string(p) + ".csv", "old\n");
        Started run({"export", "--model", "model.json", "--out", out, "--overwrite", "--report", out + ".json"},
                    "", RLIM_INFINITY);
        // Once the second file is opened or replaced, the first is whole.
        std::error_code ec;
        for (int ms = 0; ms < 60000 && std::filesystem::file_size(dir.PathOf(out + "/P1.csv"), ec) == 4; ++ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::kill(run.pid, signal);
        run.Wait();
        EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == signal) << run.status;
        EXPECT_NE(run.err.find(std::string("qvkdc: export interrupted by SIG") + (signal == SIGINT ? "INT" : "TERM")),
                  std::string::npos) << run.err;
        EXPECT_EQ(run.out, "status: -1\n");
        const nlohmann::json report = nlohmann::json::parse(dir.ReadFile(out + ".json"));
        EXPECT_EQ(report["exitCode"], 128 + signal);
        const std::string whole = dir.ReadFile(out + "/P0.csv");
        EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), 12001);
        int written = 0;
        for (int p = 0; p < kPlans; ++p) {
            const std::string plan = "P" + std::to_string(p) + ".csv";
            const std::string now = dir.ReadFile(out + "/" + plan);
            const bool told = report["plans"][static_cast<std::size_t>(p)]["outcome"] == "written";
            written += told;
            EXPECT_EQ(told, run.err.find("/" + plan + ", 12000 rows") != std::string::npos) << run.err;
            EXPECT_TRUE(told ? now == whole : now == "old\n" || now == "<missing>")
                << plan << (told ? " written" : " not written") << ", " << now.size() << " bytes";
        }
        EXPECT_TRUE(written >= 1 && written < kPlans) << written << " plans written";
    }
    // Started with SIGINT ignored (a background job of a shell): SIGINT is
    // not meant for it, and the export goes on to its end.
    std::filesystem::create_directory(dir.PathOf("outIgnored"));
    const auto previous = std::signal(SIGINT, SIG_IGN);
    Started ignoring({"export", "--model", "model.json", "--out", "outIgnored", "--quiet"}, "", RLIM_INFINITY);
    std::signal(SIGINT, previous);
    std::error_code ec;
    for (int ms = 0; ms < 60000 && !std::filesystem::exists(dir.PathOf("outIgnored/P0.csv"), ec); ++ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(ignoring.pid, SIGINT);
    ignoring.Wait();
    EXPECT_TRUE(WIFEXITED(ignoring.status) && WEXITSTATUS(ignoring.status) == 0) << ignoring.status << ignoring.err;
    EXPECT_EQ(dir.Files("outIgnored").size(), static_cast<std::size_t>(kPlans));
}

// A CSV file that cannot be written is told with the system's reason on
// standard error and in the report, and, for an open that fails, by the
// check: a second writer of the file, new or not (at the open), and a file
// size limit (at a write). The earlier file stays; once the first writer is
// done, the export writes.
TEST_F(QvkdcOutputs, AFailedWriteIsToldWithItsReason) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    std::string processes;
    for (int i = 0; i < 2000; ++i) {
        processes += std::string(i ? "," : "") + R"({"id": [)" + std::to_string(100 + i) +
                     R"(, 0, 0, 1], "type": 2411, "params": {"100": 7, "300": ")" + std::string(50, 'z') + "\"}}";
    }
    dir.WriteFile("model.json", R"({"plans": [{"id": [1, 0, 0, 1], "name": "First", "processes": [)" + processes +
                                    "]}]}");
    std::filesystem::create_directory(dir.PathOf("out"));
    const std::vector<std::string> call = {"--model", "model.json", "--out", "out", "--name", "OUT"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), call.begin(), call.end());
        return RunQvkdc(dir, args);
    };
    const struct {
        const char* what;
        bool existing;
        rlim_t limit;  // RLIM_INFINITY: another writer holds the file
        std::string reason;
    } rows[] = {{"a second writer of a new file", false, RLIM_INFINITY, ReplacingFile::kAnotherWriter},
                {"a second writer of an earlier file", true, RLIM_INFINITY, ReplacingFile::kAnotherWriter},
                {"a file size limit", true, 32 * 1024, std::strerror(EFBIG)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.existing) dir.WriteFile("out/OUT.csv", "earlier\n");
        ReplacingFile other;
        if (row.limit == RLIM_INFINITY) {
            ASSERT_TRUE(other.Open(dir.PathOf("out/OUT.csv")).ok());
        }
        std::vector<std::string> args = {"export", "--overwrite", "--report", dir.PathOf("r.json")};
        args.insert(args.end(), call.begin(), call.end());
        Started exported(args, "", row.limit);
        exported.Wait();
        EXPECT_EQ(WIFEXITED(exported.status) ? WEXITSTATUS(exported.status) : -1, 1) << exported.err;
        EXPECT_NE(exported.err.find("qvkdc:   " + row.reason + "\n"), std::string::npos) << exported.err;
        EXPECT_EQ(nlohmann::json::parse(dir.ReadFile("r.json"))["failure"]["detail"], row.reason);
        if (row.limit == RLIM_INFINITY) {
            EXPECT_NE(with({"check"}).out.find("cannot be written: " + row.reason), std::string::npos);
        }
        EXPECT_EQ(dir.ReadFile("out/OUT.csv"), row.existing ? "earlier\n" : "<missing>");
        other.Abandon();
        EXPECT_EQ(with({"export", "--overwrite"}).exitCode, 0);
        std::filesystem::remove(dir.PathOf("out/OUT.csv"));
    }
}

// An export of a million plans writes its report whole: every plan once,
// in order, and the verdict after them. (Its memory is measured by the
// benchmark.) The report is read as a stream, not held.
TEST_F(QvkdcOutputs, AMillionPlansGiveAWholeReport) {
    constexpr int kPlans = 1000000;
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    {
        std::ofstream model(dir.PathOf("model.json"), std::ios::binary);
        model << R"({"plans": [)";
        for (int p = 0; p < kPlans; ++p) model << (p ? "," : "") << R"({"id": [)" << p + 1 << ", 0, 0, 1]}";
        model << "]}";
    }
    std::filesystem::create_directory(dir.PathOf("out"));
    const Ran exported = RunQvkdc(dir, {"export", "--model", "model.json", "--out", "out", "--quiet", "--report",
                                        "r.json"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    int plans = 0;
    bool inOrder = true;
    nlohmann::json verdict;
    std::ifstream report(dir.PathOf("r.json"), std::ios::binary);
    const auto keep = [&](int depth, nlohmann::json::parse_event_t event, nlohmann::json& value) {
        if (depth == 2 && event == nlohmann::json::parse_event_t::object_end) {
            inOrder = inOrder && value["index"] == plans && value["outcome"] == "no-processes";
            ++plans;
            return false;  // not kept
        }
        if (depth == 1 && event == nlohmann::json::parse_event_t::value && value.is_number()) verdict.push_back(value);
        return true;
    };
    EXPECT_NO_THROW(nlohmann::json::parse(report, keep));
    EXPECT_EQ(plans, kPlans);
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(verdict, nlohmann::json::parse("[1, 0, 0]"));  // formatVersion, status, exitCode
}

// A signal that comes after the run, while the report is being written,
// still ends qvkdc, and the report says so: the report's exit code is the
// one the parent sees, whenever the signal lands.
TEST_F(QvkdcOutputs, ASignalAfterTheRunEndsQvkdcAsItsReportSays) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    std::string model = R"({"plans": [)";
    for (int p = 0; p < 30000; ++p) {
        model += std::string(p ? "," : "") + R"({"id": [)" + std::to_string(p + 1) + R"(, 0, 0, 1]})";
    }
    dir.WriteFile("model.json", model + "]}");
    std::filesystem::create_directory(dir.PathOf("out"));
    for (const int delayMs : {0, 5, 50}) {
        SCOPED_TRACE(delayMs);
        std::filesystem::remove(dir.PathOf("r.json"));
        std::filesystem::remove(dir.PathOf("run.out"));
        Started run({"export", "--model", "model.json", "--out", "out", "--quiet", "--report", "r.json"},
                    dir.PathOf("run.out"), RLIM_INFINITY);
        for (int ms = 0; ms < 60000 && dir.ReadFile("run.out").find("status:") == std::string::npos; ++ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(run.pid, SIGTERM);
        run.Wait();
        const int seen = WIFSIGNALED(run.status) ? 128 + WTERMSIG(run.status) : WEXITSTATUS(run.status);
        EXPECT_TRUE(seen == 0 || seen == 128 + SIGTERM) << seen;
        const std::string report = dir.ReadFile("r.json");
        ASSERT_NE(report, "<missing>") << seen << run.err;
        EXPECT_EQ(nlohmann::json::parse(report)["exitCode"], seen) << run.err;
    }
}

// Within qvkdc, a failed write of the standard output fails the stream's
// flush too, so that nothing written after it looks written.
TEST(StandardOutputPosix, AFailedWriteFailsTheFlush) {
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    ::dup2(full, STDOUT_FILENO);
    bool failed = false;
    {
        StandardOutput out;
        std::cout << "x";
        std::cout.flush();
        failed = std::cout.bad();
    }
    std::cout.clear();
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(full);
    EXPECT_TRUE(failed);
}

// Bytes put one at a time go out in order across many fills of the buffer.
using TablesRootTest = HostTest;

// `tables` reads the tables below --root, wherever qvkdc is started (on
// Windows the root is that of a drive).
TEST_F(TablesRootTest, ReadsTheTablesBelowTheRoot) {
    Root().WriteTables(TableRoot::Example());
    std::filesystem::create_directory(Root().PathOf("shop"));
    std::filesystem::rename(Root().PathOf("MIRVANE"), Root().PathOf("shop/MIRVANE"));
    const Ran r = RunQvkdc(Root(), {"tables", "--root", Root().PathOf("shop")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("itemN"), std::string::npos) << r.out;
}

using StandardOutputTest = HostTest;

TEST_F(StandardOutputTest, KeepsEveryByteAcrossItsBuffer) {
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int file = ::open(Root().PathOf("stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    ::dup2(file, STDOUT_FILENO);
    std::string expected;
    {
        StandardOutput out;
        for (int i = 0; i < 200000; ++i) {
            const char c = static_cast<char>('a' + i % 26);
            std::cout.put(c);
            expected += c;
        }
        std::cout.flush();
    }
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(file);
    EXPECT_TRUE(Root().ReadFile("stdout.txt") == expected) << Root().ReadFile("stdout.txt").size() << " bytes";
}

}  // namespace
