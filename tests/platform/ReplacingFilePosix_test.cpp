// What the replacement of a file meets only on POSIX: modes and owners,
// symbolic links, pipes.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ReplacingFile.h"
#include "support/TableRoot.h"

namespace {

namespace fs = std::filesystem;

// Replaces the file at path with bytes. Returns the reason of a failure.
std::string Replace(const std::string& path, const std::string& bytes) {
    ReplacingFile file;
    std::string why;
    if (file.Open(path, &why) == 0 && file.Write(bytes, &why) == 0) file.Commit(&why);
    return why;
}

struct stat StatOf(const std::string& path) {
    struct stat st = {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// The new file has the mode and the owner of the one it replaces; a new
// file has 0666 less the umask, as any file the process creates.
TEST(ReplacingFilePosixTest, ModeAndOwnerOfTheReplacedFile) {
    TableRoot root;
    const std::string old = root.WriteFile("old.csv", "earlier\n");
    ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
    const bool root_user = ::geteuid() == 0;
    if (root_user) {
        ASSERT_EQ(::chown(old.c_str(), 1234, 4321), 0);
    }
    const mode_t mask = ::umask(027);
    EXPECT_EQ(Replace(old, "new\n"), "");
    EXPECT_EQ(Replace(root.PathOf("new.csv"), "new\n"), "");
    ::umask(mask);
    EXPECT_EQ(StatOf(old).st_mode & 07777, 0640u);
    EXPECT_EQ(StatOf(root.PathOf("new.csv")).st_mode & 07777, 0640u);
    if (root_user) {
        EXPECT_EQ(StatOf(old).st_uid, 1234u);
        EXPECT_EQ(StatOf(old).st_gid, 4321u);
    }
    EXPECT_EQ(root.ReadFile("old.csv"), "new\n");
}

// A link is followed to the file it leads to, which is replaced (made, for
// a link to nothing) in its own folder; the link stays. A loop of links and
// a pipe without a reader fail at once, and the probe says so as well.
TEST(ReplacingFilePosixTest, LinksAreFollowedPipesNotWaitedFor) {
    TableRoot root;
    root.WriteFile("real/r.csv", "earlier\n");
    fs::create_directory(root.PathOf("out"));
    fs::create_symlink("../real/r.csv", root.PathOf("out/link.csv"));
    fs::create_symlink(root.PathOf("real/made.csv"), root.PathOf("out/nothing.csv"));
    fs::create_symlink("loop2.csv", root.PathOf("out/loop1.csv"));
    fs::create_symlink("loop1.csv", root.PathOf("out/loop2.csv"));
    ASSERT_EQ(::mkfifo(root.PathOf("out/pipe.csv").c_str(), 0600), 0);
    const auto out = root.Files("out");

    EXPECT_EQ(Replace(root.PathOf("out/link.csv"), "new\n"), "");
    EXPECT_EQ(Replace(root.PathOf("out/nothing.csv"), "made\n"), "");
    EXPECT_EQ(root.ReadFile("real/r.csv"), "new\n");
    EXPECT_EQ(root.ReadFile("real/made.csv"), "made\n");
    EXPECT_TRUE(fs::is_symlink(root.PathOf("out/link.csv")));
    EXPECT_EQ(root.Files("real"), (std::set<std::string>{"r.csv", "made.csv"}));
    for (const char* name : {"out/loop1.csv", "out/pipe.csv"}) {
        std::string why;
        EXPECT_EQ(FileSystem::Default()->ProbeWrite(root.PathOf(name), &why), -1) << name;
        EXPECT_EQ(Replace(root.PathOf(name), "new\n"), why) << name;
    }
    EXPECT_EQ(root.Files("out"), out);
}

}  // namespace
