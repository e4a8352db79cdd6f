// The check's report to a standard output that takes it only in part: the
// system's reason on standard error and exit code 5, whatever the format.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "session/HostSession.h"
#include "support/HostFixture.h"

namespace {

class CheckReportPosix : public HostTest {};

TEST_F(CheckReportPosix, FullStandardOutputIsTold) {
    const TableRoot& dir = Root();  // the current folder, for run.err
    for (const char* format : {"json", "html", "text"}) {
        const std::string command = std::string("exec \"" QVKDC_CLI_PATH "\" check --root \"" QVKDC_SHOP_ROOT
                                                "\" --format ") +
                                    format + " > /dev/full 2> run.err < /dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << format;
        EXPECT_EQ(WEXITSTATUS(status), kExitOutput) << format;
        EXPECT_EQ(dir.ReadFile("run.err"),
                  std::string("qvkdc: standard output: cannot be written: ") + std::strerror(ENOSPC) + "\n")
            << format;
    }
}

}  // namespace
