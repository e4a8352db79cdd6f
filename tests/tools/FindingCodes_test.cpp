// The one list of finding codes against what uses it: every code is met by
// a row of the check's tests, those rows expect no other code and no other
// severity than the list gives, docs/check.md shows the list as `qvkdc help
// --findings` prints it, and the findings list mutes, ignores and counts as
// `check` tells it.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/CommandDocs.h"
#include "check/FindingCodes.h"
#include "check/FindingList.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"
#include "support/TestedFindings.h"

namespace {

TEST(FindingCodes, EveryCodeIsMetByATestRowAsItIsListed) {
    for (const FindingCode& code : AllFindingCodes()) {
        EXPECT_EQ(TestedFindings().count(code.code), 1u) << code.code << ": no test row expects it";
        EXPECT_STRNE(code.fix, "") << code.code;
    }
    for (const auto& [code, severities] : TestedFindings()) {
        const FindingCode* entry = FindFindingCode(code);
        ASSERT_NE(entry, nullptr) << code << " is not in the list";
        for (const std::string& s : severities) EXPECT_NE(std::strstr(entry->severity, s.c_str()), nullptr) << code;
    }
}

TEST(FindingCodes, CheckDocShowsTheList) {
    std::ifstream in(std::string(QVKDC_SOURCE_DIR) + "docs/check.md", std::ios::binary);
    const std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ostringstream table;
    WriteFindingTable(table);
    // The table in the document: from its header to the first line that is
    // no table row.
    const std::size_t start = doc.find(table.str().substr(0, table.str().find('\n') + 1));
    ASSERT_NE(start, std::string::npos) << "docs/check.md has no findings table";
    std::size_t end = start;
    while (end < doc.size() && doc[end] == '|') end = doc.find('\n', end) + 1;
    EXPECT_EQ(doc.substr(start, end - start), table.str()) << "run `qvkdc help --findings` into docs/check.md";
}

// Followers and ignored codes are left out, errors never; counts in English.
TEST(FindingList, MutesAndIgnoresButNoError) {
    FindingList list;
    list.Ignore({"no-key"});
    list.MuteColumn(0);
    list.MuteLine("b", 7);
    for (const Severity severity : {Severity::kWarning, Severity::kError}) {
        list.Add(severity, "a", 2, "follower", "no-title", 0);
        list.Add(severity, "b", 7, "follower", "orphan-choice");
        list.Add(severity, "c", 1, "accepted", "no-key");
    }
    list.Add(Severity::kNote, "c", 2, "told", "no-title", 1);
    EXPECT_EQ(list.Summary(), "3 errors, 0 warnings, 1 note, 1 ignored");
}

using CheckIgnoreTest = HostTest;

TEST_F(CheckIgnoreTest, TakesKnownWarningsOnly) {
    TableRoot& root = Root();
    root.WriteTables(TableRoot::Example());  // "Mode:a,b": one unquoted-text warning
    const Ran strict = RunQvkdc(root, {"check", "--strict", "--ignore", "unquoted-text", "--ignore", "no-key"});
    EXPECT_EQ(strict.exitCode, 0) << strict.out;
    EXPECT_EQ(strict.out, "0 errors, 0 warnings, 0 notes, 1 ignored\n");
    const Ran json = RunQvkdc(root, {"check", "--format", "json", "--ignore", "unquoted-text"});
    EXPECT_EQ(nlohmann::json::parse(json.out)["ignored"], 1) << json.out;
    const Ran typo = RunQvkdc(root, {"check", "--ignore", "unquoted-txt"});
    EXPECT_EQ(typo.exitCode, 2);
    EXPECT_NE(typo.err.find("did you mean unquoted-text?"), std::string::npos) << typo.err;
    const Ran error = RunQvkdc(root, {"check", "--ignore", "short-row"});
    EXPECT_EQ(error.exitCode, 2);
    EXPECT_NE(error.err.find("short-row is an error"), std::string::npos) << error.err;
}

}  // namespace
