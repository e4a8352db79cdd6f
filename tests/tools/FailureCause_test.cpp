// Why a file the export could not open cannot be written, asked again
// after the run: a missing folder, a folder in the way, or a file the
// operating system takes now though it refused it then.
#include <gtest/gtest.h>

#include <string>

#include "export/FailureCause.h"
#include "support/HostFixture.h"

namespace {

using FailureCauseTest = HostTest;

TEST_F(FailureCauseTest, WhyAFileCannotBeWritten) {
    Root().WriteFile("folder/file.csv", "x");
    const struct {
        const char* path;  // below the root
        const char* why;   // what is told; null: that the folder "none" does not exist
    } cases[] = {
        {"none/a.csv", nullptr},
        {"folder", "a folder of that name is in the way"},
        {"folder/file.csv", "the operating system refused it then, but gives no reason now"},
        {"folder/new.csv", "the operating system refused it then, but gives no reason now"},
    };
    for (const auto& c : cases) {
        const std::string why =
            c.why != nullptr ? c.why : "the folder " + Root().PathOf("none") + " does not exist";
        EXPECT_EQ(WhyNotWritable(Root().PathOf(c.path)), why) << c.path;
    }
}

}  // namespace
