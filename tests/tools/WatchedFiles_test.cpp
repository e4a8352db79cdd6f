// The watching of `qvkdc check --serve`: each way an editor saves gives
// exactly one change, counted once the file has stayed as it is for the
// settling time; a file still being written is waited for.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "serve/WatchedFiles.h"
#include "support/TableRoot.h"

namespace {

using namespace std::chrono_literals;

TEST(WatchedFilesTest, EachSaveIsOneChangeOnceTheFileIsStill) {
    TableRoot root;
    root.WriteFile("a.tsv", "one\n");
    root.WriteFile("b.tsv", "two\n");
    const std::string a = root.PathOf("a.tsv");
    WatchedFiles files({a, root.PathOf("b.tsv")}, 300ms);
    WatchedFiles::Clock::time_point t = WatchedFiles::Clock::now();
    // Steps of one save, each followed by a look 100 ms later.
    const struct {
        const char* what;
        std::vector<std::function<void()>> steps;
    } saves[] = {
        {"a new file renamed over the old one",
         {[&] { root.WriteFile("a.tsv.new", "one\ttwo\n"); },
          [&] { std::filesystem::rename(root.PathOf("a.tsv.new"), a); }}},
        {"truncated, then written in two pieces",
         {[&] { root.WriteFile("a.tsv", ""); }, [&] { root.WriteFile("a.tsv", "one"); },
          [&] { root.WriteFile("a.tsv", "one\tthree\n"); }}},
        {"removed and made again", {[&] { std::filesystem::remove(a); }, [&] { root.WriteFile("a.tsv", "four\n"); }}},
        {"the second file", {[&] { root.WriteFile("b.tsv", "two, changed\n"); }}},
    };
    EXPECT_FALSE(files.Poll(t += 1s)) << "nothing changed";
    for (const auto& save : saves) {
        SCOPED_TRACE(save.what);
        for (const auto& step : save.steps) {
            step();
            EXPECT_FALSE(files.Poll(t += 100ms)) << "counted while the file is being written";
        }
        EXPECT_TRUE(files.Settling());
        EXPECT_FALSE(files.Poll(t += 200ms)) << "counted before the file stayed still for the settling time";
        EXPECT_TRUE(files.Poll(t += 150ms));
        EXPECT_FALSE(files.Settling());
        EXPECT_FALSE(files.Poll(t += 1s)) << "counted twice";
    }
}

}  // namespace
