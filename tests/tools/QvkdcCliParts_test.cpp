// Parts of qvkdc that decide what it tells: the nearest valid name, and the
// outcome of each plan as told by the call log of a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/PlanOutcome.h"
#include "cli/Suggest.h"
#include "check/TextForms.h"
#include "support/HostFixture.h"

namespace {

TEST(Suggest, NearestNameOnlyWhenCloseEnough) {
    const std::vector<std::string> names = {"export", "exists", "tables", "help"};
    const struct {
        const char* word;
        const char* nearest;
    } cases[] = {
        {"exprot", "export"},  // a swap is one edit
        {"exist", "exists"},   {"tabels", "tables"}, {"expor", "export"},
        {"hlep", "help"},      {"export", "export"},
        {"ex", ""},            // two edits, but most of a short word
        {"hxxp", ""},          // two edits, half of the word
        {"xyzzy", ""},         {"", ""},
        {"exits", "exists"},   // the first of equally near names
    };
    for (const auto& c : cases) EXPECT_EQ(Nearest(c.word, Views(names), kCommandLineRule), c.nearest) << c.word;
    EXPECT_EQ(EditDistance("--modle", "--model"), 1);
    EXPECT_EQ(EditDistance("ab", "ba"), 1);
    EXPECT_EQ(EditDistance("kitten", "sitting"), 3);
    EXPECT_EQ(EditDistance("", "abc"), 3);
}

TEST(Suggest, NearestTitleIgnoresCaseAndUnitsAndStaysLinear) {
    const std::string huge(1 << 20, 'S');
    const std::vector<std::string_view> titles = {"Spindle speed (rpm)", "Spindle direction", "Coolant", huge};
    const struct {
        std::string word;
        const char* nearest;
    } cases[] = {
        {"Spindle sped (rpm)", "Spindle speed (rpm)"},
        {"Spindel speed", "Spindle speed (rpm)"},  // the title without its unit
        {" spindle DIRECTION ", "Spindle direction"},
        {"Colant", "Coolant"},
        {"Feed", ""},
        {std::string(kNearestLongest + 1, 'S'), ""},  // no title is that long
        {huge, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Nearest(c.word, titles, kTableRule), c.nearest) << c.word.substr(0, 20);
    // A long text in a message is cut, with its length.
    EXPECT_EQ(Quoted(std::string(kQuotedLongest + 1, 'a')),
              "\"" + std::string(kQuotedShown, 'a') + "...\" (" + std::to_string(kQuotedLongest + 1) + " bytes)");
    EXPECT_EQ(Quoted("a\tb"), "\"a\\tb\"");
}

// A key cell is a decimal int, blanks around it allowed, up to the bounds
// of an int.
TEST(TextForms, DecimalIntsWithinTheBoundsOfAnInt) {
    const struct {
        const char* text;
        bool isInt;
    } cases[] = {
        {"2147483647", true}, {"2147483648", false}, {"-2147483648", true}, {"-2147483649", false},
        {" +12 ", true},      {"1 2", false},        {"-", false},          {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsDecimalInt(c.text), c.isInt) << c.text;
}

class PlanOutcomes : public HostTest {};

QvsimCall Call(const char* call, int objid, int result, int value) {
    return QvsimCall{call, ModelId{objid, 0, 0, 1}, result, value};
}

TEST_F(PlanOutcomes, EachPlanFromItsCalls) {
    const std::vector<ModelId> plans = {{1, 0, 0, 1}, {2, 0, 0, 1}, {1, 0, 0, 1}, {3, 0, 0, 1},
                                        {4, 0, 0, 1}, {5, 0, 0, 1}};
    const std::vector<QvsimCall> calls = {
        Call("QdgmRetLstRO", 1, 0, 2),     Call("QdgmInqNctyp", 11, 0, 2411),
        Call("QdgmInqNctyp", 12, 0, 2411), Call("QdgmRetLstRO", 2, -1, 0),
        Call("QdgmRetLstRO", 1, 0, 2),     Call("QdgmInqNctyp", 11, 0, 2411),
        Call("QdgmInqNctyp", 12, 0, 2411), Call("QdgmRetLstRO", 3, 0, 0),
        Call("QdgmRetLstRO", 4, 0, 3),     Call("QdgmInqNctyp", 41, 0, 2411),
        Call("QdgmInqNctyp", 42, 0, 2418), Call("QvlbuGetMaId", 4, 0, 0),
        Call("QdgmRetLstRO", 5, 0, 1),     Call("QdgmInqNctyp", 51, -1, 0)};
    struct Expected {
        Outcome outcome;
        int rows;
        int processObjid;  // 0: no process
        int type;
    };
    const Expected ok[] = {{Outcome::kWritten, 2, 0, 0},     {Outcome::kNoProcesses, 0, 0, 0},
                           {Outcome::kWritten, 2, 0, 0},     {Outcome::kNoRows, 0, 0, 0},
                           {Outcome::kRejected, 0, 42, 2418}, {Outcome::kWritten, 1, 0, 0}};
    const Expected failed[] = {{Outcome::kWritten, 2, 0, 0},     {Outcome::kNoProcesses, 0, 0, 0},
                               {Outcome::kWritten, 2, 0, 0},     {Outcome::kNoRows, 0, 0, 0},
                               {Outcome::kRejected, 0, 42, 2418}, {Outcome::kFailed, 0, 51, 0}};
    for (const int status : {0, -1}) {
        const std::vector<PlanOutcome> got =
            TellPlanOutcomes(plans.data(), static_cast<int>(plans.size()), calls, status);
        ASSERT_EQ(got.size(), plans.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            const Expected& e = status == 0 ? ok[i] : failed[i];
            EXPECT_EQ(got[i].index, static_cast<int>(i));
            EXPECT_EQ(got[i].id.objid, plans[i].objid) << i;
            EXPECT_EQ(got[i].outcome, e.outcome) << status << " " << i;
            EXPECT_EQ(got[i].rows, e.rows) << status << " " << i;
            EXPECT_EQ(got[i].hasProcess ? got[i].process.objid : 0, e.processObjid) << i;
            EXPECT_EQ(got[i].processType, e.type) << i;
        }
    }
}

TEST_F(PlanOutcomes, AFailureBeforeThePlansReachesNone) {
    const std::vector<ModelId> plans = {{1, 0, 0, 1}, {2, 0, 0, 1}};
    for (const PlanOutcome& p : TellPlanOutcomes(plans.data(), 2, {}, -1)) {
        EXPECT_EQ(p.outcome, Outcome::kNotReached);
    }
    const std::vector<PlanOutcome> one =
        TellPlanOutcomes(plans.data(), 2, {Call("QdgmRetLstRO", 1, 0, 3)}, -1);
    EXPECT_EQ(one[0].outcome, Outcome::kFailed);
    EXPECT_EQ(one[1].outcome, Outcome::kNotReached);
}

}  // namespace
