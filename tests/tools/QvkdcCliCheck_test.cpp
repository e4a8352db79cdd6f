// `qvkdc check` from end to end: the demo shop's deliberate mistakes, the
// exit codes, --out and --format json.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "check/FindingCodes.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"

namespace {

// "FILE:LINE: severity ... [code]" of each finding line, the file without
// its folders; then the summary line.
std::vector<std::string> Outline(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(": ");
        const std::size_t code = line.rfind(" [");
        if (colon == std::string::npos || code == std::string::npos) {
            lines.push_back(line);
            continue;
        }
        const std::string place = line.substr(0, colon);
        const std::size_t severityEnd = line.find(':', colon + 2);
        lines.push_back(place.substr(place.find_last_of("/\\") + 1) + ' ' +
                        line.substr(colon + 2, severityEnd - colon - 2) + line.substr(code));
    }
    return lines;
}

using CliCheckTest = HostTest;

TEST_F(CliCheckTest, DemoShopShowsOnlyItsDeliberateMistakes) {
    const std::string shop = QVKDC_SHOP_ROOT;
    const Ran r = RunQvkdc(Root(), {"check", "--root", shop, "--model", shop + "model.json"});
    EXPECT_EQ(r.exitCode, 1) << r.err;  // the comma of a choice: a malformed file
    std::vector<std::string> warnings;
    for (const std::string& line : Outline(r.out)) {
        // The count of each code ("by code:", then its lines indented) follows the findings.
        const bool byCode = line == "by code:" || line.rfind("  ", 0) == 0;
        if (!byCode && line.find(" note [") == std::string::npos) warnings.push_back(line);
    }
    const auto warning = [](const char* place, FindingCode code) {
        return std::string(place) + " warning [" + FindingCodeName(code) + ']';
    };
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            warning("ParameterSettingTable.tsv:29", FindingCode::kNoTextForm),
                            warning("ProcessParametersTable.tsv:38", FindingCode::kNoKey),
                            warning("rc_pln2usr.ini:10", FindingCode::kStandardTitle),
                            warning("rc_pln2usr.ini:12", FindingCode::kRepeatedTitle),
                            warning("rc_pln2usr.ini:14", FindingCode::kUnknownTitle),
                            "ExteriorTable.tsv:83 error [unquoted-text]",
                            "1 error, 5 warnings, 17 notes",
                        }));
}

TEST_F(CliCheckTest, ErrorsExitOneAndJsonGoesToTheOutFile) {
    TableRoot::Tables tables = TableRoot::Example();
    tables.selectionToInt.pop_back();  // "Mode:off" has no value: the export stops there
    tables.parameterSetting[2][2] = "o";  // Z: blank, not repeated
    tables.exterior[0][0] = "N \"1\"";     // a quote in the first column's title
    Root().WriteTables(tables);
    // "K:\\" would end its quoted argument in a backslash.
    std::string dir = Root().Path();
    if (dir.back() != '/' && dir.back() != '\\') dir += '/';
    dir.back() = '/';
    const std::string report = dir + "report.json";
    const Ran r = RunQvkdc(Root(), {"check", "--root", dir, "--format", "json", "--report", report});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    // "Mode:a,b", filed before the stop, also holds a comma: the title's
    // quote and the choice's comma would make a malformed file.
    EXPECT_EQ(r.out, "3 errors, 0 warnings, 0 notes\n");
    const nlohmann::json json = nlohmann::json::parse(Root().ReadFile("report.json"));
    EXPECT_EQ(json["errors"], 3);
    ASSERT_EQ(json["findings"].size(), 3u);
    EXPECT_EQ(json["findings"][0]["code"], FindingCodeName(FindingCode::kMissingChoiceValue));
    EXPECT_EQ(json["findings"][0]["line"], 4);
    EXPECT_TRUE(json["findings"][0]["column"].is_null());
    // Columns are numbered from 1.
    EXPECT_EQ(json["findings"][1]["column"], 1);
    EXPECT_EQ(json["findings"][2]["column"], 2);
    // The columns as the export builds them, with where each came from.
    ASSERT_EQ(json["columns"].size(), 3u);
    const nlohmann::json& mode = json["columns"][1];
    EXPECT_TRUE(json["columns"][2]["choices"].empty()) << "Z has no choices of its own";
    EXPECT_EQ(mode["title"], "Mode");
    EXPECT_EQ(mode["valueType"], (nlohmann::json{{"keyword", "Select"}, {"code", 1003}}));
    EXPECT_EQ(mode["choices"], nlohmann::json::parse(
                                   R"([{"value": 1, "text": "a,b", "item": "selAB", "shadowed": false,
                                        "at": ")" + dir + R"(MIRVANE/CAM/KR/Tables/ExteriorTable.tsv:3"}])"));
    EXPECT_EQ(mode["at"]["key"], dir + "MIRVANE/CAM/KR/Tables/ProcessParametersTable.tsv:2");
    for (const auto& [column, blank] : {std::pair<int, bool>{1, false}, {2, true}}) {
        EXPECT_EQ(json["columns"][column]["flags"]["blank"], blank) << column;
        EXPECT_EQ(json["columns"][column]["flags"]["repeat"], false) << column;
    }
}

TEST_F(CliCheckTest, StrictFailsOnWarningsAndHelpTellsCheckExitCodes) {
    const std::string shop = QVKDC_SHOP_ROOT;
    const Ran strict = RunQvkdc(Root(), {"check", "--root", shop, "--strict"});
    EXPECT_EQ(strict.exitCode, 1) << strict.err;  // the shop's deliberate warnings
    TableRoot::Tables tables = TableRoot::Example();
    Root().WriteTables(tables);
    EXPECT_EQ(RunQvkdc(Root(), {"check"}).exitCode, 1);  // the comma of "Mode:a,b"
    tables.exterior[2][0] = "Mode:a or b";
    tables.exterior.push_back({"Nope:x", "selX"});  // a choice of no item: a warning
    Root().WriteTables(tables);
    EXPECT_EQ(RunQvkdc(Root(), {"check", "--strict"}).exitCode, 1);
    EXPECT_EQ(RunQvkdc(Root(), {"check"}).exitCode, 0);
    tables.exterior.pop_back();
    Root().WriteTables(tables);
    const Ran clean = RunQvkdc(Root(), {"check", "--strict"});
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    const Ran help = RunQvkdc(Root(), {"help", "check"});
    EXPECT_NE(help.out.find("--strict"), std::string::npos);
    EXPECT_NE(help.out.find("(with --strict: no error and no warning)"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("library status"), std::string::npos) << "the export's exit codes";
}

TEST_F(CliCheckTest, RefusesAnUnknownFormatAndAMissingRoot) {
    EXPECT_EQ(RunQvkdc(Root(), {"check", "--format", "xml"}).exitCode, 2);
    EXPECT_EQ(RunQvkdc(Root(), {"check", "--root", "no/such/folder"}).exitCode, 2);
}

}  // namespace
