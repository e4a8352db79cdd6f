// A pipe where a table or the option file should be: both sides refuse it
// at once instead of waiting forever for a writer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "host/Qvlbw.h"
#include "platform/FileSystem.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

// Runs open, which must not wait for a writer of the pipe at path. If it
// does, the test fails and a writer comes and goes to let it return.
int WithoutWaiting(const std::string& path, const std::function<int()>& open) {
    std::future<int> result = std::async(std::launch::async, open);
    if (result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "opening the pipe " << path << " waits for a writer";
        ::close(::open(path.c_str(), O_WRONLY));
    }
    return result.get();
}

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

}  // namespace
