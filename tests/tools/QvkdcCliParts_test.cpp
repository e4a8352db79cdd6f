// Parts of qvkdc that decide what it tells: the nearest valid name, the
// forms of texts and numbers, a row as a CSV reader reads it, and the
// outcome of each plan as told by the call log of a run.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "export/LoggedPlanOutcomes.h"
#include "export/PlanOutcome.h"
#include "cli/CommandDocs.h"
#include "cli/Suggest.h"
#include "check/NameHints.h"
#include "check/TextForms.h"
#include "report/CsvFields.h"
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

// What a text written unquoted into a CSV cell does wrong, the worst first.
TEST(TextForms, UnquotedFlaws) {
    const struct {
        const char* text;
        const char* flaw;  // how the flaw begins; "" = none
    } cases[] = {
        {"plain text", ""}, {"a,b", "holds a comma"}, {"a\"b", "holds a double quote"},
        {"a\rb", "holds a line break"}, {"a\nb", "holds a line break"}, {"\"a,b\"", "holds a comma"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnquotedFlaw(c.text).substr(0, std::strlen(c.flaw)), c.flaw) << c.text;
}

// The hints of the indexed list are those of a search through all of it:
// the first of equally near names, a unit left out, letter case and blanks.
TEST(NameHintsTest, HintsAsASearchThroughTheWholeList) {
    std::vector<std::string> names = {"Spindle speed (rpm)", "Depth", "depth", "Feed rate (mm/min)", "Coolant",
                                      "Step down", "Step over", "A very long title of a column, longer than most"};
    for (int i = 0; i < 300; ++i) names.push_back("Setting " + std::to_string(i));
    NameHints hints;
    for (const std::string& n : names) hints.Add(n);
    for (const std::string word : {"Spindel speed", "DEPTH ", "Feed rat (mm/min)", "Colant", "Step dow", "Settin 12",
                                   "Setting 3000", "nothing like it", "A very long title of a column, longer than mst",
                                   "Stepover", "x"}) {
        EXPECT_EQ(hints.Hint(word), DidYouMean(word, Nearest(word, Views(names), kTableRule))) << word;
    }
    // Once the searches are spent, a name that differs in letter case or
    // blanks only is still hinted; a misspelt one no more.
    for (int i = 0; i < NameHints::kScans; ++i) hints.Hint("Colant");
    EXPECT_EQ(hints.Hint(" coolant"), DidYouMean(" coolant", "Coolant"));
    EXPECT_EQ(hints.Hint("Colant"), "");
}

// Numbers written in another convention than the one the export reads.
TEST(TextForms, NumberConventions) {
    const struct {
        const char* text;
        const char* convention;
    } cases[] = {
        {"1,000", "with thousands separators"}, {"12.345.678", "with thousands separators"},
        {"1 000", "with thousands separators"}, {"2,5", "with a decimal comma"},
        {"12,50", "with a decimal comma"},      {"2.5", "with a fraction"},
        {"5-", "with its sign after it"},       {"4294967296", "beyond the range of an int"},
        {"-99999999999", "beyond the range of an int"}, {"abc", ""}, {"1,0000", "with a decimal comma"},
        {"1a", ""},
        {"1234,5", "with a decimal comma"},     {"1234.5", "with a fraction"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberConvention(c.text), c.convention) << c.text;
    EXPECT_EQ(ControlFlaw("a\tb"), "holds a tab");
    EXPECT_EQ(ControlFlaw("a\x01"), "holds the control character 0x01");
    EXPECT_EQ(ControlFlaw("a\r\nb"), "");  // a line break is UnquotedFlaw's
    EXPECT_EQ(OptionLineFormat(" [Columns] "), "a section of an INI file");
    EXPECT_EQ(OptionLineFormat("Depth=1"), "a setting (key=value)");
    EXPECT_EQ(OptionLineFormat("Depth (mm)"), "");
    EXPECT_EQ(OptionLineFormat("=x"), "");
    EXPECT_EQ(OptionLineFormat("a=1"), "a setting (key=value)");
    EXPECT_EQ(OptionLineFormat("a="), "");
}

// A row of cells as a CSV reader reads it.
TEST(CsvFieldsTest, ValuesAndFieldsAsAReaderReadsThem) {
    const struct {
        std::vector<std::string_view> cells;
        int fields;
    } rows[] = {
        {{"a", "b"}, 2},          {{"a,b", "c"}, 3},         {{"\"a,b\"", "c"}, 2},
        {{"\"\"\"x\"\"\"", ""}, 2}, {{"a\nb", "c"}, 1},        {{"\"a\nb\"", "c"}, 2},
        {{"", "", ""}, 3},        {{"\"a\"\"\",b\"", "c"}, 3}, {{"x\"y", "z"}, 2},
    };
    for (const auto& r : rows) EXPECT_EQ(CsvFieldCount(r.cells), r.fields) << r.cells[0];
    std::string value;
    CsvValue("\"\"\"Face top\"\"\"", &value);
    EXPECT_EQ(value, "\"Face top\"");
    CsvValue("\"a,b\"", &value);
    EXPECT_EQ(value, "a,b");
    CsvValue("a\"b", &value);
    EXPECT_EQ(value, "a\"b");  // no quoted field: as it is
    EXPECT_TRUE(IsCsvField("\"a\"\"b\""));
    EXPECT_FALSE(IsCsvField("\"a\"b\""));
    EXPECT_FALSE(IsCsvField("a,b"));
    EXPECT_TRUE(IsCsvField("plain"));
    EXPECT_TRUE(IsCsvField("\"\""));
    CsvValue("\"\"", &value);
    EXPECT_EQ(value, "");
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
        {"\t7\r\n", true},     {"+", false},          {"9a", false},         {"a9", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsDecimalInt(c.text), c.isInt) << c.text;
}

// The two ways of keeping the outcomes, in memory for the check and in a
// temporary file for the export, told the same run give the same outcomes.
std::vector<PlanOutcome> Finished(PlanOutcomes* run, const QvkdcRunPlace& place, int status) {
    return run->Finish(place, status);
}
std::vector<PlanOutcome> Finished(LoggedPlanOutcomes* run, const QvkdcRunPlace& place, int status) {
    const PlanOutcomeLog log = run->Finish(place, status);
    EXPECT_EQ(log.Failed() != nullptr, status < 0 && place.plan >= 0);
    std::size_t written = 0;
    for (const PlanOutcome& o : log.All()) written += o.outcome == Outcome::kWritten;
    EXPECT_EQ(log.Written(), written);
    return log.All();
}

template <class Follower>
class PlanOutcomesTest : public testing::Test {};
using Followers = testing::Types<PlanOutcomes, LoggedPlanOutcomes>;
TYPED_TEST_SUITE(PlanOutcomesTest, Followers);

// What became of each plan, as the run tells it: the last plan fails at
// its first process, or is written.
TYPED_TEST(PlanOutcomesTest, EachPlanFromWhatTheRunTold) {
    const std::vector<ModelId> plans = {{1, 0, 0, 1}, {2, 0, 0, 1}, {1, 0, 0, 1}, {3, 0, 0, 1},
                                        {4, 0, 0, 1}, {5, 0, 0, 1}};
    const std::vector<int> numbers = {7, 3, 7, 0, 1, 2};
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
                               {Outcome::kRejected, 0, 42, 2418}, {Outcome::kFailed, 0, 51, 2411}};
    for (const int status : {0, -1}) {
        TypeParam run(plans.data(), static_cast<int>(plans.size()), numbers.data());
        QvkdcRunPlace place;
        const auto at = [&place](int plan, int process, int objid) {
            place.plan = plan;
            place.process = process;
            place.prcsId = ModelId{objid, 0, 0, 1};
            return place;
        };
        for (const int plan : {0, 2}) {
            run.Listed(plan, 2);
            run.Typed(at(plan, 0, 11), 2411, true);
            run.Typed(at(plan, 1, 12), 2411, true);
            run.Written(plan, "P" + std::to_string(plan) + ".csv", 2);
            if (plan == 0) run.Listed(1, -1);
        }
        run.Listed(3, 0);
        run.NoRows(3);
        run.Listed(4, 3);
        run.Typed(at(4, 0, 41), 2411, true);
        run.Typed(at(4, 1, 42), 2418, false);
        run.Rejected(4, false, "M", "C");
        run.Listed(5, 1);
        run.Typed(at(5, 0, 51), 2411, true);
        if (status == 0) {
            run.Written(5, "P5.csv", 1);
            place = QvkdcRunPlace();
        } else {
            place.step = FailStep::kQdgmGetPrcs;
        }
        const std::vector<PlanOutcome> got = Finished(&run, place, status);
        ASSERT_EQ(got.size(), plans.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            const Expected& e = status == 0 ? ok[i] : failed[i];
            EXPECT_EQ(got[i].index, static_cast<int>(i));
            EXPECT_EQ(got[i].number, numbers[i]);
            EXPECT_EQ(got[i].id.objid, plans[i].objid) << i;
            EXPECT_EQ(got[i].outcome, e.outcome) << status << " " << i;
            EXPECT_EQ(got[i].rows, e.rows) << status << " " << i;
            EXPECT_EQ(got[i].hasProcess ? got[i].process.objid : 0, e.processObjid) << i;
            EXPECT_EQ(got[i].processType, e.type) << i;
            EXPECT_EQ(got[i].path, e.outcome == Outcome::kWritten ? "P" + std::to_string(i) + ".csv" : "") << i;
            EXPECT_EQ(got[i].machineKnown, i != 4) << i;
        }
    }
}

// A failure before the first plan reaches none; one at a file concerns the
// plan and its file, not its process; a plan the run told nothing of
// before it was not reached.
TYPED_TEST(PlanOutcomesTest, AFailureTellsItsPlan) {
    const std::vector<ModelId> plans = {{1, 0, 0, 1}, {2, 0, 0, 1}, {3, 0, 0, 1}};
    {
        TypeParam none(plans.data(), 3, nullptr);
        for (const PlanOutcome& p : Finished(&none, QvkdcRunPlace(), -1)) {
            EXPECT_EQ(p.outcome, Outcome::kNotReached);
        }
    }
    TypeParam run(plans.data(), 3, nullptr);
    run.Listed(1, 3);
    QvkdcRunPlace place;
    place.plan = 1;
    place.process = 2;
    place.step = FailStep::kFileOpen;
    place.path = "out/P1.csv";
    const std::vector<PlanOutcome> got = Finished(&run, place, -1);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].outcome, Outcome::kNotReached);
    EXPECT_EQ(got[1].outcome, Outcome::kFailed);
    EXPECT_TRUE(got[1].failedAtFile);
    EXPECT_FALSE(got[1].hasProcess);
    EXPECT_EQ(got[1].path, "out/P1.csv");
    EXPECT_EQ(got[2].outcome, Outcome::kNotReached);
    EXPECT_EQ(got[2].number, 2);
}

// A manual's text in roff: an option's hyphens as minus signs wherever it
// stands, a word's hyphen left alone, code in bold and never hyphenated.
TEST(CommandDocsRoff, OptionsAsMinusSignsCodeInBold) {
    const struct {
        const char* text;
        const char* roff;
    } cases[] = {
        {"--model FILE", "\\-\\-model FILE"},
        {"a file (--out) or -q", "a file (\\-\\-out) or \\-q"},
        {"well-known", "well-known"},
        {"run `qvkdc well-known`", "run \\fB\\%qvkdc well\\-known\\fR"},
        {"back\\slash", "back\\eslash"},
        {".start", "\\&.start"},
        {"'quote", "\\&'quote"},
        {"`open", "\\fB\\%open\\fR"},
    };
    for (const auto& c : cases) EXPECT_EQ(RoffText(c.text), c.roff) << c.text;
}

}  // namespace
