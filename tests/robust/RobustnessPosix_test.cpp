// What exists only on POSIX: a pipe where a table, the option file or the
// model should be, which every side refuses at once instead of waiting
// forever for a writer; a file size limit; the system's reasons in qvkdc's
// messages, as this system words them.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "host/Qvlbw.h"
#include "platform/FileSystem.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

// Runs open, which must not wait for a writer of the pipe at path. If it
// does, the test fails and a writer comes and goes to let it return.
int WithoutWaiting(const std::string& path, const std::function<int()>& open, int seconds = 5) {
    std::future<int> result = std::async(std::launch::async, open);
    if (result.wait_for(std::chrono::seconds(seconds)) == std::future_status::timeout) {
        ADD_FAILURE() << "opening the pipe " << path << " waits for a writer";
        ::close(::open(path.c_str(), O_WRONLY));
    }
    return result.get();
}

const char kOnePlan[] = R"({"plans": [{"id": [1, 0, 0, 1], "name": "First", "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7}}]}]})";

using RobustPipes = HostTest;

TEST_F(RobustPipes, PipeIsNotReadAsAFile) {
    TableRoot& dir = Root();
    const std::string pipe = dir.PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(WithoutWaiting(pipe, [&] { return FileSystem::Default()->OpenForRead(pipe, &reader); }), -1);
    CQvlbwTableA table;
    EXPECT_EQ(WithoutWaiting(pipe, [&] { return table.ReadTable(pipe.c_str()); }), -1);

    // The option file of a run: "not openable", and the run goes on.
    std::filesystem::create_directories(dir.PathOf("MIRVANE/user/cam/nccust"));
    const std::string option = dir.PathOf("MIRVANE/user/cam/nccust/rc_pln2usr.ini");
    ASSERT_EQ(::mkfifo(option.c_str(), 0600), 0);
    QvsimTraceAll(1, 1);
    CQvkdcCnvTblCtrl set;
    std::vector<std::string> titles;
    EXPECT_EQ(WithoutWaiting(option, [&] { return set.GetOptionCol(titles); }), 1);
    EXPECT_NE(std::string(QvsimTraceText()).find("[INF] : rc_pln2usr.ini Open failed\n"),
              std::string::npos);
}

// A pipe where qvkdc looks for a table file or the model: it says so, and
// never opens the pipe to find out.
TEST_F(RobustPipes, QvkdcTellsOfAPipeWithoutWaiting) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    dir.RemoveTable("VariableTable");
    const std::string table = dir.PathOf("MIRVANE/CAM/KR/Tables/VariableTable.tsv");
    const std::string model = dir.WriteFile("model.json", kOnePlan);
    ASSERT_EQ(::mkfifo(table.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.PathOf("pipe.json").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.PathOf("out"));
    const struct {
        std::vector<std::string> args;
        std::string pipe;
        int exitCode;
        std::string err;
    } rows[] = {
        {{"tables", "--root", dir.Path()}, table, 1, table + ": is a pipe (FIFO), not a file\n"},
        {{"export", "--model", model, "--root", dir.Path(), "--out", "out", "--overwrite"}, table, 1,
         table + ": is a pipe (FIFO), not a file\n"},
        {{"exists", "--model", dir.PathOf("pipe.json"), "--out", "out"}, dir.PathOf("pipe.json"), 2,
         "pipe.json: cannot be read: is a pipe (FIFO), not a file\n"},
    };
    for (const auto& row : rows) {
        Ran r;
        WithoutWaiting(
            row.pipe,
            [&] {
                r = RunQvkdc(dir, row.args);
                return 0;
            },
            60);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args[0] << ": " << r.err;
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    }
}

using RobustLimits = HostTest;

// Past the file size limit a write fails as on a full disk: the library
// removes the partial file and the run fails, rather than qvkdc being
// killed by SIGXFSZ and leaving part of a CSV file.
TEST_F(RobustLimits, FileSizeLimitFailsTheRunAndLeavesNoPartialFile) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    std::filesystem::create_directory(dir.PathOf("out"));
    // 400 rows of over 100 bytes: far beyond 8 blocks, of 512 or 1024 bytes.
    std::string model = R"({"plans": [{"id": [1, 0, 0, 1], "name": "Big", "processes": [)";
    for (int i = 0; i < 400; ++i) {
        model += std::string(i ? "," : "") + R"({"id": [)" + std::to_string(100 + i) +
                 R"(, 0, 0, 1], "type": 2411, "params": {"300": ")" + std::string(100, 'z') + "\"}}";
    }
    dir.WriteFile("model.json", model + "]}]}");
    const std::string command = "ulimit -f 8; exec \"" QVKDC_CLI_PATH "\" export --model model.json "
                                "--out out --overwrite --report report.json > run.out 2> run.err < /dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "qvkdc was ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1) << dir.ReadFile("run.err");
    EXPECT_EQ(dir.ReadFile("run.out"), "status: -1\n");
    const nlohmann::json report = nlohmann::json::parse(dir.ReadFile("report.json"), nullptr, false);
    EXPECT_EQ(report.value("failure", nlohmann::json::object()).value("step", ""), "File Write");
    EXPECT_EQ(dir.Files("out"), std::set<std::string>{});
}

// Files qvkdc cannot read or write itself are told with the system's reason.
TEST_F(RobustLimits, QvkdcGivesTheSystemsReason) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::Example());
    std::filesystem::create_directory(dir.PathOf("out"));
    const std::string model = dir.WriteFile("model.json", kOnePlan);
    const std::string full = std::string(": cannot be written: ") + std::strerror(ENOSPC) + "\n";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } rows[] = {
        {{"exists", "--model", dir.PathOf("none.json"), "--out", "out"}, 2,
         "none.json: cannot be read: " + std::string(std::strerror(ENOENT)) + "\n"},
        {{"export", "--model", model, "--out", "out", "--overwrite", "--report", "/dev/full"}, 2,
         "qvkdc: --report /dev/full" + full},
        {{"export", "--model", model, "--out", "out", "--overwrite", "--messages", "/dev/full"}, 2,
         "qvkdc: --messages /dev/full" + full},
        {{"check", "--report", "/dev/full"}, 2, "qvkdc: /dev/full" + full},
        {{"export", "--model", model, "--out", "out", "--overwrite", "--name", std::string(300, 'n')},
         1, std::string("qvkdc:   ") + std::strerror(ENAMETOOLONG) + "\n"},
    };
    for (const auto& row : rows) {
        const Ran r = RunQvkdc(dir, row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args[0] << ": " << r.err;
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    }
}

}  // namespace
