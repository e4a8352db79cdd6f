// qvkdc's own outputs when the disk refuses them, and an export interrupted
// by a signal: on the full device and under a file size limit every output
// (standard output, the trace, the message list, the report, the check's
// report and page) is told by name with the system's reason and exit code
// 5, and leaves no part of a file; SIGINT or SIGTERM during a large export
// leaves only whole files, tells which plans were written and ends qvkdc by
// the signal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "support/HostFixture.h"

namespace {

// Whether qvkdc's own files (--report, --messages, the check's report)
// replace the file before them whole: a failed write then leaves the
// earlier file as it was. Not yet so: such a write leaves what it wrote.
constexpr bool kOwnFilesReplacedWhole = false;

constexpr char kCheckReport[] = "--out";  // the check's report file

// A qvkdc started in the current folder, standard input from /dev/null,
// stderr and (unless a path is given) stdout into pipes, under a file size
// limit.
class Started {
 public:
    Started(const std::vector<std::string>& args, const std::string& outPath, rlim_t limit) {
        std::vector<std::string> words = {QVKDC_CLI_PATH};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        int toOut[2] = {-1, -1};
        int toErr[2];
        if (outPath.empty() && ::pipe(toOut) != 0) return;
        if (::pipe(toErr) != 0) return;
        const struct rlimit rl = {limit, limit};
        pid_ = ::fork();
        if (pid_ == 0) {
            const int in = ::open("/dev/null", O_RDONLY);
            const int file =
                outPath.empty() ? toOut[1] : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            ::dup2(in, 0);
            ::dup2(file, 1);
            ::dup2(toErr[1], 2);
            ::setrlimit(RLIMIT_FSIZE, &rl);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        if (outPath.empty()) ::close(toOut[1]);
        ::close(toErr[1]);
        out_ = toOut[0];
        err_ = toErr[0];
    }

    pid_t Pid() const { return pid_; }

    // Reads both pipes to their end and waits for the process.
    void Wait() {
        std::vector<pollfd> fds;
        for (const int fd : {out_, err_}) {
            if (fd >= 0) fds.push_back({fd, POLLIN, 0});
        }
        while (!fds.empty()) {
            if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
            for (std::size_t i = 0; i < fds.size(); ++i) {
                char buf[4096];
                if (fds[i].revents == 0) continue;
                const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
                if (n > 0) {
                    (fds[i].fd == out_ ? out : err).append(buf, static_cast<std::size_t>(n));
                } else if (n == 0 || errno != EINTR) {
                    ::close(fds[i].fd);
                    fds.erase(fds.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
                }
            }
        }
        ::waitpid(pid_, &status, 0);
    }

    std::string out;
    std::string err;
    int status = -1;

 private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": "First", "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "300": "z"}}]},
  {"id": [4, 0, 0, 1], "machine": {"names": ["5AX", "CTL"]}, "processes": [
    {"id": [42, 0, 0, 1], "type": 2418}]}]})";

using QvkdcOutputs = HostTest;

TEST_F(QvkdcOutputs, EveryOwnOutputThatFailsIsToldAndLeavesNoPart) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    dir.WriteFile("model.json", kModel);
    std::filesystem::create_directory(dir.PathOf("out"));
    const std::vector<std::string> exportArgs = {"export", "--model", "model.json", "--out", "out",
                                                 "--overwrite", "--quiet"};
    const auto Export = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = exportArgs;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const rlim_t none = RLIM_INFINITY;
    // Small enough for no report, list or trace; the status line fits.
    const rlim_t tight = 64;
    const struct {
        const char* what;   // as the error line names it
        std::vector<std::string> args;
        const char* stdoutTo;  // "": a pipe
        rlim_t limit;
        const char* file;   // qvkdc's own file, "" for standard output
        bool ownFile;       // written by qvkdc itself, not by the stand-in
    } rows[] = {
        {"standard output", {"tables"}, "/dev/full", none, "", false},
        {"standard output", {"tables"}, "run.out", 0, "", false},
        {"standard output", {"help"}, "/dev/full", none, "", false},
        {"standard output", {"check", "--format", "json"}, "/dev/full", none, "", false},
        {"standard output", {"check", "--format", "html"}, "run.out", tight, "", false},
        {"standard output", Export({"--dry-run"}), "/dev/full", none, "", false},
        {"standard output", Export({}), "run.out", 4, "", false},
        {"--trace /dev/full", Export({"--trace", "/dev/full"}), "", none, "", false},
        {"--trace", {"tables", "--trace", "t.trace"}, "/dev/null", 256, "t.trace", false},
        {"--messages /dev/full", Export({"--messages", "/dev/full"}), "", none, "", false},
        {"--messages", Export({"--messages", "m.txt"}), "", 16, "m.txt", true},
        {"--report /dev/full", Export({"--report", "/dev/full"}), "", none, "", false},
        {"--report", Export({"--report", "r.json"}), "", tight, "r.json", true},
        {"/dev/full", {"check", kCheckReport, "/dev/full"}, "", none, "", false},
        {"c.json", {"check", "--format", "json", kCheckReport, "c.json"}, "", tight, "c.json", true},
        {"c.html", {"check", "--format", "html", kCheckReport, "c.html"}, "", tight, "c.html", true},
    };
    for (const auto& row : rows) {
        const std::string label = std::string(row.what) + " of " + row.args[0] + " " +
                                  (row.args.size() > 1 ? row.args.back() : "") + " under " +
                                  std::to_string(row.limit);
        const std::string earlier = "earlier\n";
        if (*row.file != '\0') dir.WriteFile(row.file, earlier);
        Started run(row.args, row.stdoutTo, row.limit);
        run.Wait();
        ASSERT_TRUE(WIFEXITED(run.status)) << label << ": ended by signal " << WTERMSIG(run.status);
        EXPECT_EQ(WEXITSTATUS(run.status), 5) << label << "\n" << run.err;
        const int reason = std::string(row.stdoutTo) == "/dev/full" || std::strstr(row.what, "/dev/full")
                               ? ENOSPC
                               : EFBIG;
        // One line: the option and the file (made absolute), or the file as
        // given, or standard output, then the reason.
        const std::string start = std::string("qvkdc: ") + row.what;
        const std::string end = std::string(row.file) + ": cannot be written: " + std::strerror(reason) + "\n";
        const std::size_t at = run.err.find(start);
        EXPECT_TRUE(at != std::string::npos && run.err.find(end, at) == run.err.find('\n', at) + 1 - end.size())
            << label << ": wanted " << start << " ... " << end << run.err;
        // The status line is still printed.
        if (row.args[0] == "export" && *row.stdoutTo == '\0') {
            EXPECT_EQ(run.out.rfind("status: "), 0u) << label << ": " << run.out;
        }
        if (*row.file != '\0' && (!row.ownFile || kOwnFilesReplacedWhole)) {
            const std::string left = dir.ReadFile(row.file);
            EXPECT_TRUE(left == "<missing>" || left == earlier) << label << ": left " << left;
        }
    }
}

// Distinct rows for every plan, so that each file is told from the others.
std::string LargeModel(int plans, int processes) {
    std::string model = R"({"plans": [)";
    int id = 100;
    for (int p = 0; p < plans; ++p) {
        model += std::string(p ? "," : "") + R"({"id": [)" + std::to_string(p + 1) +
                 R"(, 0, 0, 1], "name": "P)" + std::to_string(p) + R"(", "processes": [)";
        for (int i = 0; i < processes; ++i, ++id) {
            model += std::string(i ? "," : "") + R"({"id": [)" + std::to_string(id) +
                     R"(, 0, 0, 1], "type": 2411, "params": {"100": )" + std::to_string(id) +
                     R"(, "300": ")" + std::string(120, 'z') + "\"}}";
        }
        model += "]}";
    }
    return model + "]}";
}

TEST_F(QvkdcOutputs, InterruptedExportLeavesWholeFilesAndTellsWhichWereWritten) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    constexpr int kPlans = 8;
    dir.WriteFile("model.json", LargeModel(kPlans, 12000));
    std::filesystem::create_directory(dir.PathOf("new"));
    Started reference({"export", "--model", "model.json", "--out", "new"}, "", RLIM_INFINITY);
    reference.Wait();
    ASSERT_TRUE(WIFEXITED(reference.status) && WEXITSTATUS(reference.status) == 0) << reference.err;
    const std::string first = dir.ReadFile("new/P0.csv");

    for (const int signal : {SIGINT, SIGTERM}) {
        const std::string out = "out" + std::to_string(signal);
        const std::string old = "old " + std::to_string(signal) + "\n";
        for (int p = 0; p < kPlans; ++p) dir.WriteFile(out + "/P" + std::to_string(p) + ".csv", old);
        Started run({"export", "--model", "model.json", "--out", out, "--overwrite", "--report", out + ".json"},
                    "", RLIM_INFINITY);
        // Once the first file is whole, the library writes the second.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        std::error_code ec;
        while (std::filesystem::file_size(dir.PathOf(out + "/P0.csv"), ec) != first.size() &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::kill(run.Pid(), signal);
        run.Wait();
        ASSERT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == signal) << run.status << run.err;
        const std::string name = signal == SIGINT ? "SIGINT" : "SIGTERM";
        EXPECT_NE(run.err.find("qvkdc: export interrupted by " + name + "\n"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "status: -1\n");

        const nlohmann::json report = nlohmann::json::parse(dir.ReadFile(out + ".json"), nullptr, false);
        ASSERT_TRUE(report.is_object()) << dir.ReadFile(out + ".json");
        EXPECT_EQ(report["exitCode"], 128 + signal);
        int written = 0;
        for (int p = 0; p < kPlans; ++p) {
            const std::string file = "/P" + std::to_string(p) + ".csv";
            const std::string now = dir.ReadFile(out + file);
            const nlohmann::json& plan = report["plans"][static_cast<std::size_t>(p)];
            const bool told = plan["outcome"] == "written";
            if (told) {
                ++written;
                EXPECT_NE(run.err.find("plan " + std::to_string(p) + " \"P" + std::to_string(p) + "\": "),
                          std::string::npos) << run.err;
            }
            EXPECT_TRUE(told ? now == dir.ReadFile("new" + file) : now == old || now == "<missing>")
                << name << file << " (" << plan["outcome"] << ") holds " << now.size() << " bytes";
        }
        EXPECT_GE(written, 1) << name;
        EXPECT_LT(written, kPlans) << name << ": the run was not interrupted";
    }
}

}  // namespace
