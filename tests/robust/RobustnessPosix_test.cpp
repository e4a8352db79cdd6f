// What exists only on POSIX: a pipe where a table, the option file or the
// model should be, which every side refuses at once instead of waiting
// forever for a writer; a symbolic link to nothing or a loop of links in
// such a place; a file size limit; the system's reasons in qvkdc's
// messages, as this system words them; modes and links of a file replaced
// whole, and an export killed with SIGKILL.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
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
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Workload.h"
#include "host/Qvlbw.h"
#include "examine/FileSystem.h"
#include "examine/ReplacingFile.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace fs = std::filesystem;

extern char** environ;

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
    EXPECT_EQ(WithoutWaiting(pipe, [&] { return FileSystem::Default()->OpenForRead(pipe, &reader).ok() ? 0 : -1; }), -1);
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
    dir.WriteTables(TableRoot::CleanExample());
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

// A link to nothing, and a loop of links, where a table, the option file, the
// model or an output file should be: each command tells it with the
// system's reason. As Windows' existence tests see the link itself, the
// entry exists: the export fails at such a table (PlanCSVTable too: it is
// not "missing"), the option file adds no columns, an output file exists.
using RobustLinks = HostTest;

TEST_F(RobustLinks, LinksToNothingAreThereButCannotBeRead) {
    const std::string tables = "MIRVANE/CAM/KR/Tables/", option = "MIRVANE/user/cam/nccust/rc_pln2usr.ini";
    const std::vector<std::string> exportArgs = {"export", "--model", "model.json", "--out", "out", "--overwrite"};
    const std::string unreadable = ":1: error: the file is there but cannot be read ({why}); the export fails at it";
    const std::string noOption = "rc_pln2usr.ini: {why}; no option column is added\n";
    const std::string noModel = "qvkdc: model.json: cannot be read: {why}\n";
    const struct {
        std::string link;  // below the root
        std::vector<std::string> args;
        int exitCode;
        std::string told;  // on stdout or stderr; {why}: the reason
    } rows[] = {
        {tables + "PlanCSVTable.tsv", {"check"}, 1, "PlanCSVTable.tsv" + unreadable + " with \"[ERR] : Neccesary"},
        {tables + "PlanCSVTable.tsv", exportArgs, 1, "PlanCSVTable.tsv: {why}\n"},
        {tables + "PlanCSVTable.tsv", {"tables"}, 1, "PlanCSVTable.tsv: {why}\n"},
        {tables + "VariableTable.tsv", {"check"}, 1, "VariableTable.tsv" + unreadable},
        {tables + "VariableTable.tsv", exportArgs, 1, "VariableTable.tsv: {why}\n"},
        {tables + "VariableTable.tsv", {"tables"}, 1, "VariableTable.tsv: {why}\n"},
        {option, {"check"}, 0, "rc_pln2usr.ini:1: warning: the file is there but cannot be read ({why})"},
        {option, exportArgs, 0, noOption},
        {option, {"tables"}, 0, noOption},
        {"model.json", {"check", "--model", "model.json"}, 2, noModel},
        {"model.json", exportArgs, 2, noModel},
        {"model.json", {"exists", "--model", "model.json", "--out", "out"}, 2, noModel},
        {"out/OUT.csv", {"exists", "--model", "model.json", "--out", "out", "--name", "OUT"}, 0, "exist:\n  out/OUT.csv\n"},
        {"out/OUT.csv", {"export", "--model", "model.json", "--out", "out", "--name", "OUT"}, 3, "exist (--overwrite"},
    };
    TableRoot& dir = Root();
    for (const auto& row : rows) {
        const std::string path = dir.PathOf(row.link);
        // A link to a name that is not there, and a link to itself.
        for (const std::string& target : {std::string("nothing-here"), fs::path(path).filename().string()}) {
            const std::string why = target == "nothing-here" ? "is a link to nothing" : std::strerror(ELOOP);
            dir.WriteTables(TableRoot::CleanExample());
            dir.WriteOptionFile("Extra\n");
            dir.WriteFile("model.json", kOnePlan);
            fs::remove_all(dir.PathOf("out"));
            fs::create_directory(dir.PathOf("out"));
            fs::remove(path);
            ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
            std::string told = row.told;
            if (told.find("{why}") != std::string::npos) told.replace(told.find("{why}"), 5, why);
            const Ran r = RunQvkdc(dir, row.args);
            EXPECT_EQ(r.exitCode, row.exitCode) << row.link << ", " << row.args[0] << ", " << why << ": " << r.err;
            EXPECT_NE((r.out + r.err).find(told), std::string::npos) << row.args[0] << ": " << r.out << r.err;
            // Nothing is written past a table the export cannot read.
            EXPECT_EQ(dir.Files("out").count("First.csv"), row.exitCode == 0 && row.args[0] == "export" ? 1u : 0u);
            fs::remove(path);
        }
    }
}

using RobustLimits = HostTest;

// Past the file size limit a write fails as on a full disk: the library
// removes the partial file and the run fails, rather than qvkdc being
// killed by SIGXFSZ and leaving part of a CSV file.
TEST_F(RobustLimits, FileSizeLimitFailsTheRunAndLeavesNoPartialFile) {
    TableRoot& dir = Root();
    dir.WriteTables(TableRoot::CleanExample());
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
    dir.WriteTables(TableRoot::CleanExample());
    std::filesystem::create_directory(dir.PathOf("out"));
    const std::string model = dir.WriteFile("model.json", kOnePlan);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } rows[] = {
        {{"exists", "--model", dir.PathOf("none.json"), "--out", "out"}, 2,
         "none.json: cannot be read: " + std::string(std::strerror(ENOENT)) + "\n"},
        {{"export", "--model", model, "--out", "out", "--overwrite", "--name", std::string(300, 'n')},
         1, std::string("qvkdc:   ") + std::strerror(ENAMETOOLONG) + "\n"},
    };
    for (const auto& row : rows) {
        const Ran r = RunQvkdc(dir, row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args[0] << ": " << r.err;
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    }
}

// The new file keeps the replaced one's mode; a new one gets 0666 less the
// umask. A link is followed to the file, replaced (or made) in its own
// folder, and stays; a loop of links and a link into a folder that is not
// there fail as such, at the probe as well.
TEST(RobustReplacing, ModesAndLinks) {
    TableRoot root;
    ASSERT_EQ(::chmod(root.WriteFile("real/old.csv", "earlier\n").c_str(), 0604), 0);
    std::filesystem::create_directory(root.PathOf("out"));
    std::filesystem::create_symlink("../real/old.csv", root.PathOf("out/link.csv"));
    std::filesystem::create_symlink(root.PathOf("real/made.csv"), root.PathOf("out/nothing.csv"));
    std::filesystem::create_symlink("loop.csv", root.PathOf("out/loop.csv"));
    std::filesystem::create_symlink("../gone/x.csv", root.PathOf("out/gone.csv"));
    const mode_t mask = ::umask(027);
    const std::map<std::string, std::string> fails = {
        {"out/loop.csv", "is a loop of links"},
        {"out/gone.csv", "is a link to " + root.PathOf("out/../gone/x.csv") + ", whose folder does not exist"}};
    for (const std::string link : {"out/link.csv", "out/nothing.csv", "out/loop.csv", "out/gone.csv"}) {
        const Status probed = FileSystem::Default()->ProbeWrite(root.PathOf(link));
        ReplacingFile file;
        Status why = file.Open(root.PathOf(link));
        if (why.ok()) why = file.Write("new\n");
        if (why.ok()) why = file.Commit();
        EXPECT_EQ(why.ToString(), probed.ToString()) << link;
        EXPECT_EQ(probed.code(), link == "out/loop.csv" ? ELOOP : link == "out/gone.csv" ? ENOENT : 0) << link;
        EXPECT_EQ(probed.ToString(), fails.count(link) > 0 ? fails.at(link) : "") << link;
    }
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(root.PathOf("real/old.csv")).permissions(), std::filesystem::perms(0604));
    EXPECT_EQ(std::filesystem::status(root.PathOf("real/made.csv")).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(root.ReadFile("real/old.csv") + root.ReadFile("real/made.csv"), "new\nnew\n");
    EXPECT_EQ(root.Files("real").size() + root.Files("out").size(), 6u);
    EXPECT_TRUE(std::filesystem::is_symlink(root.PathOf("out/link.csv")));
}

// Starts qvkdc export of the workload into folder, stdout to /dev/null.
pid_t StartExport(const TableRoot& root, const std::string& folder) {
    const std::string model = root.PathOf("model.json");
    const char* argv[] = {QVKDC_CLI_PATH, "export", "--model", model.c_str(), "--root", root.Path().c_str(),
                          "--out", folder.c_str(), "--name", "K", "--overwrite", "--quiet", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// An export over earlier files, killed at random moments (QVKDC_KILL_SEED
// repeats a run): every CSV file stays its earlier or its new content, byte
// for byte, and the folder holds nothing else but temporary files.
TEST(RobustReplacing, KilledExportLeavesEveryFileEarlierOrNew) {
    TableRoot root;
    const Workload workload(WorkloadSize{16, 60, 150, 1000, 1500});
    ASSERT_TRUE(workload.WriteTables(root.Path()) && workload.WriteModel(root.PathOf("model.json")));
    std::filesystem::create_directories(root.PathOf("new"));
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    ASSERT_TRUE(waitpid(StartExport(root, root.PathOf("new")), &status, 0) > 0 && status == 0);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::map<std::string, std::string> earlier, fresh;
    for (const std::string& name : root.Files("new")) {
        fresh[name] = root.ReadFile("new/" + name);
        earlier[name] = std::string(500 + 97 * earlier.size(), 'o') + ",earlier\n";
    }
    ASSERT_EQ(fresh.size(), 16u);
    const char* given = std::getenv("QVKDC_KILL_SEED");
    const auto seed = given != nullptr ? std::strtoul(given, nullptr, 10) : std::random_device{}();
    std::cout << "kill test seed " << seed << "; an export takes " << took.count() << " us\n";
    std::mt19937 random(static_cast<unsigned>(seed));
    std::uniform_int_distribution<long> moment(0, took.count() * 5 / 4);
    int midway = 0;
    for (int kill = 0; kill < 40; ++kill) {
        for (const auto& [name, bytes] : earlier) root.WriteFile("out/" + name, bytes);
        const long after = moment(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ": killed after " + std::to_string(after) + " us");
        const pid_t pid = StartExport(root, root.PathOf("out"));
        std::this_thread::sleep_for(std::chrono::microseconds(after));
        ::kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        int temporary = 0, replaced = 0;
        for (const std::string& name : root.Files("out")) {
            if (ReplacingFile::IsTemporaryName(name)) {
                temporary += std::filesystem::remove(root.PathOf("out/" + name)) ? 1 : 0;
                continue;
            }
            const std::string bytes = root.ReadFile("out/" + name);
            const auto was = earlier.find(name);
            EXPECT_TRUE(was != earlier.end() && (bytes == was->second || bytes == fresh[name])) << name;
            replaced += bytes == fresh[name] ? 1 : 0;
        }
        EXPECT_EQ(root.Files("out").size(), 16u);
        midway += temporary > 0 || (replaced > 0 && replaced < 16) ? 1 : 0;
    }
    EXPECT_GT(midway, 0) << "no kill came while files were being replaced";
}

}  // namespace
