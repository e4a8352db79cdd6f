// The replacement of a file whole, on the implementation the build has:
// every failing step, and a file given up, leave the target as it was and
// no temporary file; the temporary file says what it is; the file system's
// probe answers as its open does and leaves nothing.
#include "platform/ReplacingFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "SystemFiles.h"
#include "platform/FileSystem.h"
#include "support/TableRoot.h"

namespace {

using Names = std::set<std::string>;

// A file whose step `failing` fails, as if the system had refused it.
class FaultyFile : public ReplacingFile {
 public:
    using ReplacingFile::Step;
    explicit FaultyFile(Step failing) : failing_(failing) {}

 private:
    bool FailsOnPurpose(Step step) override { return step == failing_; }
    Step failing_;
};

TEST(ReplacingFileTest, FailuresAndAbandonLeaveTheTargetAsItWas) {
    TableRoot root;
    const std::string target = root.PathOf("out/t.csv");
    using Step = FaultyFile::Step;
    const struct { const char* name; Step step; } steps[] = {
        {"write", Step::kWrite}, {"close", Step::kClose}, {"move", Step::kMove}};
    for (const bool existed : {true, false}) {
        std::filesystem::remove_all(root.PathOf("out"));
        std::filesystem::create_directory(root.PathOf("out"));
        if (existed) root.WriteFile("out/t.csv", "earlier\n");
        const Names before = root.Files("out");
        const std::string earlier = root.ReadFile("out/t.csv");
        std::string why;
        for (const auto& s : steps) {
            SCOPED_TRACE(std::string(s.name) + (existed ? " over a file" : " of a new file"));
            FaultyFile file(s.step);
            ASSERT_EQ(file.Open(target, &why), 0) << why;
            EXPECT_EQ(file.Write("new\n", &why), s.step == Step::kWrite ? -1 : 0);
            why.clear();
            EXPECT_EQ(file.Commit(&why), -1);
            EXPECT_FALSE(why.empty());
            EXPECT_FALSE(file.IsOpen());
            EXPECT_EQ(root.Files("out"), before);
            EXPECT_EQ(root.ReadFile("out/t.csv"), earlier);
        }
        {
            ReplacingFile gone;
            ASSERT_EQ(gone.Open(target, &why), 0) << why;
            EXPECT_EQ(gone.Write("new\n", &why), 0);
        }
        OutputFile given;
        ASSERT_EQ(given.Open(target), "");
        given.Write("new\n");
        given.Abandon();
        EXPECT_EQ(given.Close(), "the file is not open");
        EXPECT_EQ(root.Files("out"), before);
        EXPECT_EQ(root.ReadFile("out/t.csv"), earlier);
        ASSERT_EQ(given.Open(target), "");
        given.Write("new\n");
        EXPECT_EQ(given.Close(), "");
        EXPECT_EQ(root.ReadFile("out/t.csv"), "new\n");
    }
}

TEST(ReplacingFileTest, TemporaryFileSaysWhatItIs) {
    TableRoot root;
    root.WriteFile("out/t.csv", "earlier\n");
    ReplacingFile file;
    std::string why;
    ASSERT_EQ(file.Open(root.PathOf("out/t.csv"), &why), 0) << why;
    Names names = root.Files("out");
    names.erase("t.csv");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(ReplacingFile::IsTemporaryName(*names.begin())) << *names.begin();
    ASSERT_EQ(file.Commit(&why), 0) << why;
    EXPECT_EQ(root.Files("out"), Names{"t.csv"});

    Names made;
    for (std::uint64_t seed = 0; seed < 1000; ++seed) {
        const std::string name = ReplacingFile::TemporaryName(seed);
        EXPECT_TRUE(ReplacingFile::IsTemporaryName(name)) << name;
        made.insert(name);
    }
    EXPECT_EQ(made.size(), 1000u);
    EXPECT_EQ(made.begin()->size(), 17u);
    for (const char* name : {"~qvkdc-abc12.tmp", "~qvkdc-abc1234.tmp", "~qvkdc-ABC123.tmp", "~qvkdc-abc_12.tmp",
                             "~qvkdc-abc123.csv", "qvkdc-abc1234.tmp", "~qvkdc-abc123.tmp.csv"}) {
        EXPECT_FALSE(ReplacingFile::IsTemporaryName(name)) << name;
    }
}

// A folder of a name near the longest path Windows takes: there the name of
// the temporary file, not the target's, may be the one too long.
TEST(ReplacingFileTest, ProbeAnswersAsTheOpenDoesAndLeavesNothing) {
    TableRoot root;
    FileSystem* fs = FileSystem::Default();
    root.WriteFile("out/old.csv", "earlier\n");
    root.WriteFile("out/sub/f", "");
    const std::string held = root.WriteFile("out/held.csv", "earlier\n");
    std::unique_ptr<TextWriter> holder;
    ASSERT_EQ(fs->OpenForWrite(held, &holder), 0);
    const std::string deep = "out/" + std::string(242 - root.Path().size(), 'd') + "/";
    std::filesystem::create_directories(root.PathOf(deep));
    const struct { std::string path; int writable; } rows[] = {
        {"out/new.csv", 1}, {"out/old.csv", 1}, {"out/sub", 0}, {"none/x.csv", 0},
        {"out/held.csv", 0}, {"out/" + std::string(300, 'n') + ".csv", 0}, {deep + "a.csv", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const Names before = root.Files("out");
        std::string why;
        const int probe = fs->ProbeWrite(root.PathOf(row.path), &why);
        EXPECT_EQ(probe == 0, why.empty()) << why;
        if (row.writable >= 0) {
            EXPECT_EQ(probe == 0, row.writable == 1);
        }
        std::unique_ptr<TextWriter> writer;
        EXPECT_EQ(fs->OpenForWrite(root.PathOf(row.path), &writer), probe);
        writer.reset();
        EXPECT_EQ(root.Files("out"), before);
    }
    EXPECT_EQ(root.ReadFile("out/old.csv"), "earlier\n");
}

}  // namespace
