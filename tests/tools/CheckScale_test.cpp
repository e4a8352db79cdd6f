// `qvkdc check` on a clean table set grown to 400,000 choice rows: what it
// says must be what it says of the same set at a small size (nothing), so
// that no rule misfires by size (a bound, a hash collision, a block end).
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "TextEncoding.h"
#include "check/Checker.h"
#include "support/HostFixture.h"

namespace {

// items selection columns of choices choices each, with their rows in
// every table, written under the test's root.
void WriteChoiceSet(const TableRoot& root, int items, int choices) {
    std::string exterior = "External name\tInternal name\n", keys, types, values, plan;
    for (int i = 0; i < items; ++i) {
        const std::string n = std::to_string(i);
        const std::string item = "itemS" + n;
        exterior += "Setting " + n + '\t' + item + '\n';
        for (int j = 0; j < choices; ++j) {
            const std::string c = std::to_string(j);
            exterior += "Setting " + n + ":Choice " + c + " of " + n + "\tsel_" + n + '_' + c + '\n';
            values += "sel_" + n + '_' + c + '\t' + c + '\n';
        }
        keys += item + '\t' + std::to_string(1000 + i) + '\t' + std::to_string(i + 1) + '\n';
        types += item + "\tSelect\t\t\n";
        plan += std::to_string(i + 1) + '\t' + item + '\n';
    }
    const std::string tables = "MIRVANE/CAM/KR/Tables/";
    root.WriteFile(tables + "ExteriorTable.tsv", exterior);
    root.WriteFile(tables + "ProcessParametersTable.tsv", keys);
    root.WriteFile(tables + "ParameterSettingTable.tsv", types);
    root.WriteFile(tables + "SelectionToIntTable.tsv", values);
    root.WriteFile(tables + "VariableTable.tsv", "TS\t\takw_tls_nm\n");
    root.WriteFile(tables + "PlanCSVTable.tsv", plan);
}

using CheckScaleTest = HostTest;

TEST_F(CheckScaleTest, ALargeCleanSetGivesWhatASmallOneGives) {
    std::string error;
    const std::unique_ptr<TextEncoding> page = TextEncoding::Open("windows-1252", &error);
    ASSERT_NE(page, nullptr) << error;
    const auto told = [&](int items, int choices) {
        WriteChoiceSet(Root(), items, choices);
        Checker checker("", "", page.get());
        checker.Run();
        std::set<std::string> codes;
        for (const Finding& f : checker.Findings().All()) {
            codes.insert(std::string(FindingCodeName(f.code)) + ": " + f.message);
        }
        return codes;
    };
    const std::set<std::string> small = told(4, 5);
    EXPECT_TRUE(small.empty()) << *small.begin();
    const std::set<std::string> large = told(1000, 400);  // 400,000 choice rows
    EXPECT_TRUE(large.empty()) << large.size() << " findings, the first: " << *large.begin();
}

}  // namespace
