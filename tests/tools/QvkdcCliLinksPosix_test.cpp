// A symbolic link to nothing, and a loop of links, where a table, the option
// file, the model or an output file should be: each command that meets it
// says what it is, with the system's reason. As on Windows, whose existence
// tests see the link itself, the entry exists: a table counts as present and
// the export fails at its import (not "missing", and not "only the option
// columns" for PlanCSVTable); the option file adds no columns; an output
// file exists.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "support/HostFixture.h"
#include "support/RunQvkdc.h"

namespace {

const char kTables[] = "MIRVANE/CAM/KR/Tables/";
const char kOptionFile[] = "MIRVANE/user/cam/nccust/rc_pln2usr.ini";

const char kModel[] = R"({"plans": [{"id": [1, 0, 0, 1], "name": "First", "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7}}]}]})";

struct Met {
    std::vector<std::string> args;
    int exitCode;
    std::string told;  // on stdout or stderr; {why} stands for the reason
};

struct LinkCase {
    const char* name;
    std::string file;  // below the root, made a link
    std::vector<Met> runs;
};

std::vector<std::string> Export() { return {"export", "--model", "model.json", "--out", "out", "--overwrite"}; }

const std::vector<LinkCase>& Cases() {
    const std::string plan = std::string(kTables) + "PlanCSVTable.tsv";
    const std::string variable = std::string(kTables) + "VariableTable.tsv";
    static const std::vector<LinkCase> cases = {
        {"PlanCSVTable",
         plan,
         {{{"check"}, 1,
           plan + ":1: error: the file is there but cannot be read ({why}); the export fails at it with "
                  "\"[ERR] : NeccesaryItemTabel Open Error\" [unreadable]"},
          {Export(), 1, "PlanCSVTable.tsv: {why}\n"},
          {{"tables"}, 1, "PlanCSVTable.tsv: {why}\n"}}},
        {"VariableTable",
         variable,
         {{{"check"}, 1,
           variable + ":1: error: the file is there but cannot be read ({why}); the export fails at it with "
                      "\"[ERR] : VariableTable Open Error\" [unreadable]"},
          {Export(), 1, "VariableTable.tsv: {why}\n"},
          {{"tables"}, 1, "VariableTable.tsv: {why}\n"}}},
        {"OptionFile",
         kOptionFile,
         {{{"check"}, 0,
           std::string(kOptionFile) +
               ":1: warning: the file is there but cannot be read ({why}); the export adds no option columns "
               "[unreadable]"},
          {Export(), 0, "rc_pln2usr.ini: {why}; no option column is added\n"},
          {{"tables"}, 0, "rc_pln2usr.ini: {why}; no option column is added\n"}}},
        {"Model",
         "model.json",
         {{{"check", "--model", "model.json"}, 2, "qvkdc: model.json: cannot be read: {why}\n"},
          {Export(), 2, "qvkdc: model.json: cannot be read: {why}\n"},
          {{"exists", "--model", "model.json", "--out", "out"}, 2, "qvkdc: model.json: cannot be read: {why}\n"}}},
        {"OutputFile",
         "out/OUT.csv",
         {{{"exists", "--model", "model.json", "--out", "out", "--name", "OUT"}, 0,
           "these output files exist:\n  out/OUT.csv\n"},
          {{"export", "--model", "model.json", "--out", "out", "--name", "OUT"}, 3,
           "nothing was exported: these output files exist (--overwrite replaces them):\n  out/OUT.csv\n"}}},
    };
    return cases;
}

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

class CliLinks : public HostTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(CliLinks, EachCommandTellsWhatIsThere) {
    const LinkCase& c = GetParam();
    // A link to a name that is not there, and a link to itself.
    const struct {
        const char* target;
        std::string why;
    } links[] = {{"nothing-here", "is a link to nothing"}, {"", std::strerror(ELOOP)}};
    for (const auto& link : links) {
        Root().WriteTables(TableRoot::Example());
        Root().WriteOptionFile("Extra\n");
        Root().WriteFile("model.json", kModel);
        Root().WriteFile("out/.keep", "");
        const std::string path = Root().PathOf(c.file);
        std::filesystem::remove(path);
        const std::string target = *link.target != '\0' ? link.target : std::filesystem::path(path).filename().string();
        ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
        for (const Met& run : c.runs) {
            std::string told = run.told;
            const std::size_t why = told.find("{why}");
            if (why != std::string::npos) told.replace(why, 5, link.why);
            const Ran r = RunQvkdc(Root(), run.args);
            const std::string what = run.args[0] + " (" + link.why + ")";
            EXPECT_EQ(r.exitCode, run.exitCode) << what << ": " << r.err;
            EXPECT_NE((r.out + r.err).find(told), std::string::npos) << what << ": " << r.out << r.err;
            // Nothing is written past a table the export cannot read.
            if (run.exitCode != 0) {
                EXPECT_EQ(Root().Files("out").count("First.csv"), 0u) << what;
            }
        }
        std::filesystem::remove(path);
    }
}

INSTANTIATE_TEST_SUITE_P(Links, CliLinks, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<LinkCase>& p) { return std::string(p.param.name); });

}  // namespace
