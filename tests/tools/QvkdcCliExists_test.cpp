// `qvkdc exists` from end to end, and the command line's refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/RunProcess.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class CliTest : public ::testing::Test {
 protected:
    void SetUp() override {
        fs::create_directories(dir_ / "out");
        Write("model.json", R"({"plans": [
            {"id": [1, 0, 0, 1], "name": "First"},
            {"id": [2, 0, 0, 1], "name": "Second"}]})");
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    ProcessResult Run(std::vector<std::string> args) {
        return RunProcess(QvkdcCliPath(), args);
    }
    TempDir tmp_;
    const fs::path dir_{tmp_.Path()};
};

TEST_F(CliTest, ExistsAnswersZeroThenOne) {
    ProcessResult r = Run({"exists", "--model", Path("model.json"), "--out", Path("out"),
                           "--name", "OUT"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "status: 0\n");

    Write("out/OUT001.csv", "x\n");
    r = Run({"exists", "--model", Path("model.json"), "--out", Path("out"), "--name", "OUT"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "status: 1\n");

    // Plan 1 alone: one plan, so the name carries no number.
    r = Run({"exists", "--model", Path("model.json"), "--out", Path("out"), "--name", "OUT",
             "--plans", "1"});
    EXPECT_EQ(r.out, "status: 0\n");
}

TEST_F(CliTest, ExistsWithRootAndPlanNamesAndTrace) {
    fs::create_directories(dir_ / "root" / "rel");
    Write("root/rel/Second.csv", "x\n");
    const ProcessResult r =
        Run({"exists", "--model", Path("model.json"), "--out", "rel", "--plans", "0,1",
             "--root", Path("root"), "--trace", Path("trace.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "status: 1\n");
    std::ifstream in(dir_ / "trace.txt");
    const std::string trace((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(trace.rfind(">> ::QvkdcIsExistFile [577710]\n", 0), 0u) << trace;
    EXPECT_NE(trace.find("  oOutPath = rel\\Second.csv\n"), std::string::npos) << trace;
}

TEST_F(CliTest, EmptyPlanListChecksNothing) {
    Write("out/OUT.csv", "x\n");
    const ProcessResult r = Run({"exists", "--model", Path("model.json"), "--out",
                                 Path("out"), "--name", "OUT", "--plans", ""});
    EXPECT_EQ(r.out, "status: 0\n");
}

TEST_F(CliTest, BadInputIsRefusedWithExitTwo) {
    Write("bad.json", "{ not json");
    Write("short.json", R"({"plans": [{"id": [1, 2, 3]}]})");
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{"exists", "--model", Path("bad.json"), "--out", "o"}, "bad.json"},
        {{"exists", "--model", Path("short.json"), "--out", "o"}, "plans[0].id"},
        {{"exists", "--model", Path("missing.json"), "--out", "o"}, "missing.json"},
        {{"exists", "--model", Path("model.json"), "--out", "o", "--plans", "0,x"}, "--plans"},
        {{"exists", "--model", Path("model.json"), "--out", "o", "--plans", "2"}, "--plans"},
        {{"exists", "--out", "o"}, "--model"},
        {{"frobnicate"}, ""},
    };
    for (const auto& c : cases) {
        const ProcessResult r = Run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args[0] << " " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("status:"), std::string::npos);
    }
}

}  // namespace
