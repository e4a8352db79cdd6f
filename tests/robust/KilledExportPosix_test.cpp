// An export killed with SIGKILL at random moments while it replaces a set of
// earlier files: after each kill every CSV file is, byte for byte, its
// earlier content or its new one, and nothing else is in the folder but
// temporary files named as such. The seed is printed; QVKDC_KILL_SEED
// repeats a run.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Workload.h"
#include "platform/ReplacingFile.h"
#include "support/TableRoot.h"

extern char** environ;

namespace {

constexpr int kKills = 40;

// Starts qvkdc export of the model into folder, its outputs to /dev/null.
pid_t StartExport(const TableRoot& root, const std::string& folder) {
    std::vector<std::string> args = {QVKDC_CLI_PATH, "export", "--model", root.PathOf("model.json"), "--root",
                                     root.Path(), "--out", folder, "--name", "K", "--overwrite", "--quiet"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

TEST(KilledExport, LeavesEveryFileEarlierOrNewAndWhole) {
    TableRoot root;
    WorkloadSize size;
    size.plans = 16;
    size.processes = 60;
    size.columns = 150;
    size.choices = 1000;
    size.exteriorRows = 1500;
    const Workload workload(size);
    ASSERT_TRUE(workload.WriteTables(root.Path()) && workload.WriteModel(root.PathOf("model.json")));

    // The new content, from an export left to finish, and how long it took.
    std::filesystem::create_directories(root.PathOf("new"));
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    ASSERT_EQ(waitpid(StartExport(root, root.PathOf("new")), &status, 0) > 0 && status == 0, true);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::map<std::string, std::string> earlier;
    std::map<std::string, std::string> fresh;
    for (const std::string& name : root.Files("new")) {
        fresh[name] = root.ReadFile("new/" + name);
        earlier[name] = std::string(500 + 97 * earlier.size(), 'o') + ",earlier\n";
    }
    ASSERT_EQ(fresh.size(), static_cast<std::size_t>(size.plans));

    const char* given = std::getenv("QVKDC_KILL_SEED");
    const unsigned seed = given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    std::cout << "kill test seed " << seed << " (QVKDC_KILL_SEED), an export takes " << took.count() << " us\n";
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(0, took.count() * 5 / 4);
    int caughtMidway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        for (const auto& [name, bytes] : earlier) {
            if (root.ReadFile("out/" + name) != bytes) root.WriteFile("out/" + name, bytes);
        }
        const long after = moment(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", kill " + std::to_string(kill) + " after " +
                     std::to_string(after) + " us");
        const pid_t pid = StartExport(root, root.PathOf("out"));
        std::this_thread::sleep_for(std::chrono::microseconds(after));
        ::kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        int temporary = 0;
        int replaced = 0;
        for (const std::string& name : root.Files("out")) {
            if (ReplacingFile::IsTemporaryName(name)) {
                ++temporary;
                std::filesystem::remove(root.PathOf("out/" + name));
                continue;
            }
            ASSERT_EQ(earlier.count(name), 1u) << name;
            const std::string bytes = root.ReadFile("out/" + name);
            EXPECT_TRUE(bytes == earlier[name] || bytes == fresh[name]) << name << ": " << bytes.size() << " bytes";
            replaced += bytes == fresh[name] ? 1 : 0;
        }
        EXPECT_EQ(root.Files("out").size(), earlier.size());
        caughtMidway += temporary > 0 || (replaced > 0 && replaced < size.plans) ? 1 : 0;
    }
    std::cout << caughtMidway << " of " << kKills << " kills came while files were being replaced\n";
    EXPECT_GT(caughtMidway, 0);
}

}  // namespace
