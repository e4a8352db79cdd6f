// The one list of finding codes against what uses it: every code has a name
// of its own and is met by a row of the check's tests, those rows expect no
// severity the list does not give, docs/check.md shows the list as `qvkdc
// help --findings` prints it, and the findings list mutes, ignores and
// counts as `check` tells it.
#include <gtest/gtest.h>

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

using C = FindingCode;

TEST(FindingCodes, EveryCodeIsMetByATestRowAsItIsListed) {
    for (const FindingCodeEntry& entry : AllFindingCodes()) {
        EXPECT_EQ(FindFindingCode(entry.name), &entry) << entry.name << ": its name is no other code's";
        EXPECT_EQ(TestedFindings().count(entry.code), 1u) << entry.name << ": no test row expects it";
        EXPECT_STRNE(entry.fix, "") << entry.name;
    }
    for (const auto& [code, severities] : TestedFindings()) {
        for (const Severity s : severities) {
            EXPECT_TRUE(FindingCodeOf(code).severities.Has(s)) << FindingCodeName(code) << ": " << SeverityName(s);
        }
    }
    // A severity given twice is listed once.
    EXPECT_EQ(SeveritySet({Severity::kWarning, Severity::kWarning, Severity::kNote}).Text(), "warning / note");
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
    EXPECT_EQ(doc.substr(start, end - start), table.str()) << "cmake --build build --target findings-table writes it";
}

// Followers and ignored codes are left out, errors never; counts in
// English; a severity its code does not allow is counted, listed or not.
TEST(FindingList, MutesAndIgnoresButNoError) {
    FindingList list;
    list.Ignore({C::kNoKey});
    list.MuteColumn(0);
    list.MuteColumn(2, C::kNoTitle);
    list.MuteLine("b", 7);
    for (const Severity severity : {Severity::kWarning, Severity::kError}) {
        list.Add(severity, "a", 2, "follower", C::kNoTitle, 0);
        list.Add(severity, "b", 7, "follower", C::kOrphanChoice);
        list.Add(severity, "c", 1, "accepted", C::kNoKey);
    }
    list.Add(Severity::kNote, "c", 2, "told", C::kMissingParam, 1);
    list.Add(Severity::kWarning, "c", 3, "follower", C::kNoTitle, 2);
    list.Add(Severity::kNote, "c", 4, "told, misfiled", C::kNoValueType, 2);
    EXPECT_EQ(list.Summary(), "3 errors, 0 warnings, 2 notes, 1 ignored");
    EXPECT_EQ(list.Misfiled(), 4) << "the errors and the note of four codes whose findings are warnings only";
}

using CheckIgnoreTest = HostTest;

TEST_F(CheckIgnoreTest, TakesKnownWarningsOnly) {
    TableRoot& root = Root();
    TableRoot::Tables t = TableRoot::CleanExample();
    t.exterior.push_back({"Nope:x", "selX"});  // one orphan-choice warning
    root.WriteTables(t);
    const std::string orphan = FindingCodeName(C::kOrphanChoice);
    const Ran strict =
        RunQvkdc(root, {"check", "--strict", "--ignore", orphan, "--ignore", FindingCodeName(C::kNoKey)});
    EXPECT_EQ(strict.exitCode, 0) << strict.out;
    EXPECT_EQ(strict.out, "0 errors, 0 warnings, 0 notes, 1 ignored\n");
    const Ran json = RunQvkdc(root, {"check", "--format", "json", "--ignore", orphan});
    EXPECT_EQ(nlohmann::json::parse(json.out)["ignored"], 1) << json.out;
    // A name one letter off is refused with the code it likely means.
    const Ran typo = RunQvkdc(root, {"check", "--ignore", orphan.substr(1)});
    EXPECT_EQ(typo.exitCode, 2);
    EXPECT_NE(typo.err.find("did you mean " + orphan + "?"), std::string::npos) << typo.err;
    const Ran error = RunQvkdc(root, {"check", "--ignore", FindingCodeName(C::kShortRow)});
    EXPECT_EQ(error.exitCode, 2) << error.err;
}

}  // namespace
