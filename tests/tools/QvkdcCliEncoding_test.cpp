// The reports in UTF-8 whatever the code page of the texts: a title of the
// tables and a plan name of the model, in windows-1252, windows-1251 and
// shift_jis, through check's JSON and HTML reports and export's JSON report;
// a path separator in a plan name is what the platform's file calls take
// for one (0x5C as the second byte of a shift_jis character is one on
// Linux, not on Windows in a double-byte code page); which code page names
// the model and --encoding take.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>

#include "check/FindingCodes.h"
#include "examine/FileSystem.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"

namespace {

struct EncodingCase {
    const char* name;           // of the test
    const char* modelEncoding;  // the host's code page, as the model file names it
    const char* option;         // --encoding; "" for the model's
    std::string title;          // a title of ExteriorTable, in the host's bytes
    const char* planUtf8;       // a plan name as the model file holds it (UTF-8)
    const char* outName;        // --name of the export ("" names the file after the plan)
    const char* titleShown;     // the title in the reports
    const char* planShown;      // the plan name in the reports
    const char* planBytes;      // the plan name in the host's bytes
};

const EncodingCase kCases[] = {
    {"windows1252", "windows-1252", "", "Caf\xE9", "Caf\xC3\xA9", "", "Caf\xC3\xA9", "Caf\xC3\xA9", "Caf\xE9"},
    {"windows1251", "windows-1251", "", "\xD1\xEA\xEE\xF0\xEE\xF1\xF2\xFC", "\xD0\x9F\xD0\xBB\xD0\xB0\xD0\xBD", "",
     "\xD0\xA1\xD0\xBA\xD0\xBE\xD1\x80\xD0\xBE\xD1\x81\xD1\x82\xD1\x8C", "\xD0\x9F\xD0\xBB\xD0\xB0\xD0\xBD", "\xCF\xEB\xE0\xED"},
    // 表 is 0x95 0x5C.
    {"shiftJis", "shift_jis", "", "\x95\x5C", "\xE8\xA1\xA8", "OUT", "\xE8\xA1\xA8", "\xE8\xA1\xA8", "\x95\x5C"},
    // The same bytes read as windows-1252: a bullet and a backslash.
    {"shiftJisReadAs1252", "shift_jis", "windows-1252", "\x95\x5C", "\xE8\xA1\xA8", "OUT", "\xE2\x80\xA2\\", "\xE2\x80\xA2\\", "\x95\x5C"},
    // A lead byte without its second byte converts to nothing: shown escaped.
    {"byteThatDoesNotConvert", "shift_jis", "", "A\x81", "P", "OUT", "A\\x81", "P", "P"},
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }

class CliEncodingTest : public HostTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(CliEncodingTest, ReportsAreUtf8) {
    const EncodingCase& c = GetParam();
    TableRoot::Tables tables = TableRoot::Example();
    tables.exterior[0][0] = c.title;  // the title of itemN, the first column
    tables.exterior[2][0] = "Mode:ab";
    Root().WriteTables(tables);
    Root().WriteFile("model.json", R"({"encoding": ")" + std::string(c.modelEncoding) +
                                       R"(", "plans": [{"id": [1, 0, 0, 1], "name": ")" + c.planUtf8 +
                                       R"(", "processes": [{"id": [11, 0, 0, 1], "type": 2411}]}]})");
    std::vector<std::string> check = {"check", "--model", "model.json", "--format", "json"};
    if (*c.option != '\0') check.insert(check.end(), {"--encoding", c.option});

    const Ran json = RunQvkdc(Root(), check);
    ASSERT_EQ(json.exitCode, 0) << json.err << json.out;
    const nlohmann::json report = nlohmann::json::parse(json.out);
    EXPECT_EQ(report["run"]["encoding"], *c.option != '\0' ? c.option : c.modelEncoding);
    EXPECT_EQ(report["columns"][0]["title"], c.titleShown);
    bool separator = false;
    for (const auto& f : report["findings"]) separator |= f["code"] == FindingCodeName(FindingCode::kPathInName);
    EXPECT_EQ(separator, FileSystem::Default()->NameStart(c.planBytes) != 0);

    check[4] = "html";
    const Ran html = RunQvkdc(Root(), check);
    ASSERT_EQ(html.exitCode, 0) << html.err;
    EXPECT_NE(html.out.find("<td>" + std::string(c.titleShown) + "</td>"), std::string::npos);

    std::vector<std::string> exportArgs = {"export", "--model", "model.json", "--out", "out", "--name", c.outName,
                                           "--overwrite", "--quiet", "--report", "report.json"};
    if (*c.option != '\0') exportArgs.insert(exportArgs.end(), {"--encoding", c.option});
    Root().WriteFile("out/.keep", "");
    const Ran exported = RunQvkdc(Root(), exportArgs);
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const nlohmann::json written = nlohmann::json::parse(Root().ReadFile("report.json"));
    EXPECT_EQ(written["plans"][0]["name"], c.planShown);
    const std::string file = written["plans"][0]["file"];
    const std::string fileName = *c.outName != '\0' ? std::string(c.outName) : std::string(c.planShown);
    EXPECT_EQ(file.substr(file.size() - fileName.size() - 4), fileName + ".csv") << file;
}

INSTANTIATE_TEST_SUITE_P(CodePages, CliEncodingTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EncodingCase>& p) { return std::string(p.param.name); });

// A code page name, in the model's "encoding" and in --encoding alike: a
// host's code page in any spelling is taken, by check and export; any other
// name is refused with one line and exit 2, before anything is written.
using CliCodePageNames = HostTest;

TEST_F(CliCodePageNames, OfTheModelAndOfTheOptionAlike) {
    const std::pair<std::string, bool> rows[] = {  // the name, taken
        {"1252", true}, {"65001", true}, {"utf-8", true}, {"utf-16", false}, {"UTF-16BE", false},
        {"utf-32", false}, {"ucs-2", false}, {"", false},
    };
    Root().WriteTables(TableRoot::CleanExample());
    Root().WriteFile("out/.keep", "");
    const std::string plan = R"("plans": [{"id": [1, 0, 0, 1], "name": "ab"}]})";
    Root().WriteFile("plain.json", "{" + plan);
    for (const auto& [name, taken] : rows) {
        Root().WriteFile("coded.json", R"({"encoding": ")" + name + "\", " + plan);
        const std::vector<std::string> runs[] = {
            {"check", "--model", "coded.json"},
            {"export", "--model", "coded.json", "--out", "out", "--quiet"},
            {"check", "--model", "plain.json", "--encoding", name},
            {"export", "--model", "plain.json", "--out", "out", "--quiet", "--encoding", name},
        };
        for (const std::vector<std::string>& args : runs) {
            std::filesystem::remove(Root().PathOf("out/ab.csv"));
            const Ran r = RunQvkdc(Root(), args);
            const std::string what = name + ": " + args[0] + " " + args[2];
            EXPECT_EQ(r.exitCode, taken ? 0 : 2) << what << ": " << r.err;
            if (taken) continue;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << ": " << r.err;
            EXPECT_NE(r.err.find(name.empty() ? "empty" : "\"" + name + "\""), std::string::npos) << r.err;
            EXPECT_EQ(Root().Files("out"), std::set<std::string>{".keep"}) << what;
        }
    }
}

}  // namespace
