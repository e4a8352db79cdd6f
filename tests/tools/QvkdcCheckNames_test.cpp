// `qvkdc check --model --out --name` against `qvkdc export` with the same
// options: one row per kind of output name the export fails at, and a
// property over generated names that check finds no error exactly when the
// export finishes.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "check/Checker.h"
#include "entry/QvkdcCreOutputData.h"
#include "inspect/FileSystem.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"
#include "support/TestedFindings.h"

namespace {

// 表 in UTF-8; in shift_jis it is 0x95 0x5C, a backslash as its second byte.
const char kHyo[] = "\xE8\xA1\xA8";

std::string Json(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

// Plan i of the model, named by the members given ("name": ..., "faults").
std::string PlanJson(int i, const std::string& members) {
    const std::string n = std::to_string(i + 1);
    return R"({"id": [)" + n + R"(, 0, 0, 1], )" + members + R"(, "processes": [{"id": [)" + n +
           R"(, 1, 0, 1], "type": 2411, "params": {"100": 1}}]})";
}

std::string Model(const std::vector<std::string>& plans) {
    std::string json = R"({"encoding": "shift_jis", "plans": [)";
    for (std::size_t i = 0; i < plans.size(); ++i) json += (i > 0 ? ", " : "") + PlanJson(int(i), plans[i]);
    return json + "]}";
}

class CheckNamesTest : public HostTest {
 protected:
    // The example tables, the folder "out" with a folder "sub" and a file
    // "f" in it.
    void SetUp() override {
        HostTest::SetUp();
        Root().WriteTables(TableRoot::Example());
        Root().WriteFile("out/f", "");
        std::filesystem::create_directory(Root().PathOf("out/sub"));
    }
};

struct NameCase {
    const char* what;
    std::string plan;  // the members of plan 1 (plan 0 is "Good")
    std::string name;  // --name
    const char* out;   // --out
    const char* code;  // of the error
    int at;            // the plan it names; -1: none
};

const bool kNamesTested =
    TestRowsExpect({" [cannot-write]", " [path-too-long]", " [no-plan-name]", " [out-folder]", " [file-exists]"});

TEST_F(CheckNamesTest, CheckErrsAtThePlanWhereTheExportFails) {
    const bool sjisSeparates = FileSystem::Default()->NameStart("\x95\x5C") != 0;
    const NameCase rows[] = {
        {"slash in a plan name", R"("name": "sub2/P")", "", "out", "cannot-write", 1},
        {"backslash in a plan name", R"("name": "sub2\\P")", "", "out", "cannot-write", 1},
        {"separator in --name", R"("name": "P")", "a/b", "out", "cannot-write", 0},
        {"name too long for the file system", R"("name": "P")", std::string(300, 'n'), "out", "cannot-write", 0},
        {"path over 511", R"("name": "P")", std::string(520, 'n'), "out", "path-too-long", 0},
        {"plan name the model cannot give", R"("name": "P", "faults": ["QdgmRetIdnamLN"])", "", "out",
         "no-plan-name", 1},
        {"a file where a folder should be", R"("name": "P")", "f/x", "out", "cannot-write", 0},
        {"--out is a file", R"("name": "P")", "", "out/f", "out-folder", -1},
        {"shift_jis 0x5C", R"("name": ")" + std::string(kHyo) + "\"", "", "out",
         sjisSeparates ? "cannot-write" : nullptr, 1},
    };
    for (const NameCase& row : rows) {
        SCOPED_TRACE(row.what);
        Root().WriteFile("model.json", Model({R"("name": "Good")", row.plan}));
        const std::vector<std::string> call = {"--model", "model.json", "--out", row.out, "--name", row.name};
        std::vector<std::string> check = {"check"};
        check.insert(check.end(), call.begin(), call.end());
        std::vector<std::string> exportArgs = {"export", "--overwrite", "--quiet"};
        exportArgs.insert(exportArgs.end(), call.begin(), call.end());
        const Ran checked = RunQvkdc(Root(), check);
        const Ran exported = RunQvkdc(Root(), exportArgs);
        if (row.code == nullptr) {
            EXPECT_EQ(checked.exitCode, 0) << checked.out;
            EXPECT_EQ(exported.exitCode, 0) << exported.err;
            continue;
        }
        EXPECT_EQ(checked.exitCode, 1) << checked.err;
        std::string first;
        std::istringstream lines(checked.out);
        for (std::string line; first.empty() && std::getline(lines, line);) {
            if (line.find(": error: ") != std::string::npos) first = line;
        }
        EXPECT_NE(first.find(std::string("[") + row.code + "]"), std::string::npos) << checked.out;
        if (row.at >= 0) {
            EXPECT_NE(first.find("error: plan " + std::to_string(row.at) + " "), std::string::npos) << first;
        }
        EXPECT_NE(exported.exitCode, 0) << exported.err;
    }
}

TEST_F(CheckNamesTest, ExistingFilesAreNotesAndOldOutIsRefused) {
    Root().WriteFile("model.json", Model({R"("name": "Good")"}));
    Root().WriteFile("out/OUT.csv", "old\n");
    const Ran checked = RunQvkdc(Root(), {"check", "--model", "model.json", "--out", "out", "--name", "OUT"});
    EXPECT_EQ(checked.exitCode, 0);
    EXPECT_NE(checked.out.find("OUT.csv\" exists; `qvkdc export` without --overwrite"), std::string::npos)
        << checked.out;
    EXPECT_NE(checked.out.find("[file-exists]"), std::string::npos) << checked.out;
    EXPECT_EQ(RunQvkdc(Root(), {"export", "--model", "model.json", "--out", "out", "--name", "OUT"}).exitCode, 3);
    const Ran old = RunQvkdc(Root(), {"check", "--out", "report.txt"});
    EXPECT_EQ(old.exitCode, 2);
    EXPECT_NE(old.err.find("--report FILE"), std::string::npos) << old.err;
}

// Names built of separators, "..", long and blank parts and a double-byte
// character, for two plans and --name: the check finds no error exactly
// when the export (the library's run on the real file system) finishes.
TEST_F(CheckNamesTest, NoErrorExactlyWhenTheExportFinishes) {
    const std::vector<std::string> parts = {"P", "sub", "nope", "..", ".", "f", kHyo, " ", "",
                                            std::string(120, 'a'), std::string(260, 'b')};
    const char* const separators[] = {"/", "\\"};
    std::mt19937 rng(20240611);
    const auto pick = [&rng](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const auto name = [&] {
        std::string text = parts[pick(parts.size())];
        for (std::size_t i = pick(3); i > 0; --i) {
            const std::string& part = parts[pick(parts.size())];
            if (part == ".." && text.find("..") != std::string::npos) continue;  // stay below the root
            text += separators[pick(2)] + part;
        }
        return text;
    };
    int finished = 0;
    for (int round = 0; round < 60; ++round) {
        const std::string plan0 = name();
        const std::string plan1 = name();
        const std::string outName = pick(2) == 0 ? std::string() : name();
        SCOPED_TRACE("plans \"" + plan0 + "\", \"" + plan1 + "\", --name \"" + outName + "\"");
        LoadModel(Model({"\"name\": \"" + Json(plan0) + "\"", "\"name\": \"" + Json(plan1) + "\""}));
        ExportCall call;
        call.outGiven = true;
        call.out = "out";
        call.name = outName;
        Checker checker("", "model.json", nullptr, call);
        checker.Run();
        std::vector<ModelId> plans(2);
        for (int i = 0; i < 2; ++i) QvsimPlanId(i, &plans[static_cast<std::size_t>(i)]);
        const int count = 2;
        int status = 0;
        QvkdcCreOutputData(&count, plans.data(), "out", outName.c_str(), &status);
        EXPECT_EQ(!checker.Findings().HasErrors(), status >= 0);
        finished += status >= 0;
    }
    // Both outcomes are met.
    EXPECT_GT(finished, 5);
    EXPECT_LT(finished, 55);
}

}  // namespace
