// `qvkdc check --model --out --name` against `qvkdc export` with the same
// options: one row per kind of output name the export fails at, and a
// property over generated names that check finds no error exactly when the
// export finishes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "check/Checker.h"
#include "entry/QvkdcCreOutputData.h"
#include "examine/FileSystem.h"
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

// Plan i on line i + 1, where the findings about it point.
std::string Model(const std::vector<std::string>& plans) {
    std::string json = R"({"encoding": "shift_jis", "plans": [)";
    for (std::size_t i = 0; i < plans.size(); ++i) json += (i > 0 ? ",\n" : "") + PlanJson(int(i), plans[i]);
    return json + "]}";
}

// The findings of a JSON report.
nlohmann::json Findings(const Ran& checked) {
    const nlohmann::json report = nlohmann::json::parse(checked.out, nullptr, false);
    EXPECT_FALSE(report.is_discarded()) << checked.out << checked.err;
    return report.is_discarded() ? nlohmann::json::array() : report["findings"];
}

class CheckNamesTest : public HostTest {
 protected:
    // The example tables, the folder "out" with a folder "sub" and a file
    // "f" in it.
    void SetUp() override {
        HostTest::SetUp();
        Root().WriteTables(TableRoot::CleanExample());
        Root().WriteFile("out/f", "");
        std::filesystem::create_directory(Root().PathOf("out/sub"));
    }
};

using C = FindingCode;

struct NameCase {
    const char* what;
    std::string plan;  // the members of plan 1 (plan 0 is "Good")
    std::string name;  // --name
    const char* out;   // --out
    bool fails;        // whether the check errs and the export fails
    FindingCode code;  // of the error
    int at;            // the plan it names; -1: none, the run as a whole
};

const bool kNamesTested =
    TestRowsExpect({C::kCannotWrite, C::kPathTooLong, C::kNoPlanName, C::kOutFolder, C::kFileExists});

TEST_F(CheckNamesTest, CheckErrsAtThePlanWhereTheExportFails) {
    const bool sjisSeparates = FileSystem::Default()->NameStart("\x95\x5C") != 0;
    const NameCase rows[] = {
        {"slash in a plan name", R"("name": "sub2/P")", "", "out", true, C::kCannotWrite, 1},
        {"backslash in a plan name", R"("name": "sub2\\P")", "", "out", true, C::kCannotWrite, 1},
        {"separator in --name", R"("name": "P")", "a/b", "out", true, C::kCannotWrite, 0},
        {"name too long for the file system", R"("name": "P")", std::string(300, 'n'), "out", true, C::kCannotWrite,
         0},
        {"path over 511", R"("name": "P")", std::string(520, 'n'), "out", true, C::kPathTooLong, 0},
        {"plan name the model cannot give", R"("name": "P", "faults": ["QdgmRetIdnamLN"])", "", "out", true,
         C::kNoPlanName, 1},
        {"a file where a folder should be", R"("name": "P")", "f/x", "out", true, C::kCannotWrite, 0},
        {"--out is a file", R"("name": "P")", "", "out/f", true, C::kOutFolder, -1},
        {"shift_jis 0x5C", R"("name": ")" + std::string(kHyo) + "\"", "", "out", sjisSeparates, C::kCannotWrite, 1},
    };
    for (const NameCase& row : rows) {
        SCOPED_TRACE(row.what);
        Root().WriteFile("model.json", Model({R"("name": "Good")", row.plan}));
        const std::vector<std::string> call = {"--model", "model.json", "--out", row.out, "--name", row.name};
        std::vector<std::string> check = {"check", "--format", "json"};
        check.insert(check.end(), call.begin(), call.end());
        std::vector<std::string> exportArgs = {"export", "--overwrite", "--quiet"};
        exportArgs.insert(exportArgs.end(), call.begin(), call.end());
        const Ran checked = RunQvkdc(Root(), check);
        const Ran exported = RunQvkdc(Root(), exportArgs);
        EXPECT_EQ(checked.exitCode, row.fails ? 1 : 0) << checked.err;
        EXPECT_EQ(exported.exitCode != 0, row.fails) << exported.err;
        if (!row.fails) continue;
        // The first error, at the line of the plan it names.
        const nlohmann::json findings = Findings(checked);
        const auto first = std::find_if(findings.begin(), findings.end(),
                                        [](const nlohmann::json& f) { return f["severity"] == "error"; });
        ASSERT_NE(first, findings.end()) << checked.out;
        EXPECT_EQ((*first)["code"], FindingCodeName(row.code)) << *first;
        EXPECT_EQ((*first)["line"], row.at < 0 ? 1 : row.at + 1) << *first;
    }
}

TEST_F(CheckNamesTest, ExistingFilesAreNotesAndOldOutIsRefused) {
    Root().WriteFile("model.json", Model({R"("name": "Good")"}));
    Root().WriteFile("out/OUT.csv", "old\n");
    const Ran checked =
        RunQvkdc(Root(), {"check", "--format", "json", "--model", "model.json", "--out", "out", "--name", "OUT"});
    EXPECT_EQ(checked.exitCode, 0);
    const nlohmann::json findings = Findings(checked);
    const auto exists = std::find_if(findings.begin(), findings.end(), [](const nlohmann::json& f) {
        return f["code"] == FindingCodeName(C::kFileExists);
    });
    ASSERT_NE(exists, findings.end()) << checked.out;
    EXPECT_EQ((*exists)["severity"], "note");
    EXPECT_EQ((*exists)["line"], 1);  // about the run, not a plan
    EXPECT_NE((*exists)["message"].get<std::string>().find("OUT.csv\""), std::string::npos) << *exists;
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
