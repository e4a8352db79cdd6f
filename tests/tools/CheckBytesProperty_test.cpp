// `qvkdc check` on generated table sets with one fault planted in the bytes
// of one line: a finding of the fault's code must point at that line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TextEncoding.h"
#include "check/Checker.h"
#include "check/LineBytes.h"
#include "support/HostFixture.h"

namespace {

using C = FindingCode;

struct Table {
    const char* name;
    std::vector<std::string> lines;  // without their line ends
};

// A clean set of n columns: items with titles, keys and value types, and
// one selection column with two choices.
std::vector<Table> Generate(int n) {
    std::vector<Table> t = {{"ExteriorTable", {}},       {"ProcessParametersTable", {}},
                            {"ParameterSettingTable", {}}, {"SelectionToIntTable", {}},
                            {"VariableTable", {"TS\t\takw_tls_nm"}}, {"PlanCSVTable", {}}};
    for (int i = 0; i < n; ++i) {
        const std::string item = "itemP" + std::to_string(i);
        t[0].lines.push_back("Title " + std::to_string(i) + '\t' + item);
        t[1].lines.push_back(item + '\t' + std::to_string(1000 + i) + '\t' + std::to_string(i + 1));
        t[2].lines.push_back(item + (i % 2 == 0 ? "\tReal\t\t" : "\tString\t\t"));
        t[5].lines.push_back(std::to_string(i + 1) + '\t' + item);
    }
    t[0].lines.insert(t[0].lines.end(), {"Mode\titemMode", "Mode:on\tselOn", "Mode:off\tselOff"});
    t[1].lines.push_back("itemMode\t2000\t99");
    t[2].lines.push_back("itemMode\tSelect\t\t");
    t[3].lines = {"selOn\t1", "selOff\t0"};
    t[5].lines.push_back(std::to_string(n + 1) + "\titemMode");
    return t;
}

struct Planted {
    std::size_t table;
    int line;  // from 1
    FindingCode code;
};

// Plants one fault of a kind chosen by rng into a line of a table.
Planted Plant(std::mt19937* rng, std::vector<Table>* set) {
    for (;;) {
        const std::size_t table = (*rng)() % set->size();
        Table& t = (*set)[table];
        if (table == 4) continue;  // the tool-set form's one row
        const std::size_t at = (*rng)() % t.lines.size();
        std::string& line = t.lines[at];
        const std::size_t tab = line.find('\t');
        const int kind = static_cast<int>((*rng)() % 6);
        FindingCode code = C::kStrayByte;
        switch (kind) {
            case 0:  // the editor's spaces for tabs
                for (std::size_t p = line.find('\t'); p != std::string::npos; p = line.find('\t', p)) {
                    line.replace(p, 1, "   ");
                }
                code = C::kSpacedCells;
                break;
            case 1:  // two files joined
                line.insert(tab + 1, "\xEF\xBB\xBF");
                break;
            case 2:  // a no-break space of windows-1252 at the end of the first cell
                line.insert(tab, "\xA0");
                break;
            case 3:  // a lone CR for the line's end
                if (at + 1 == t.lines.size()) continue;
                line += '\r';
                break;
            case 4:  // UTF-8 in a windows-1252 file
                line.insert(tab, " \xC3\xA9");
                code = C::kEncoding;
                break;
            default:  // a key with a thousands separator
                if (table != 1) continue;
                line.insert(tab + 2, ",");
                code = C::kNotANumber;
                break;
        }
        return {table, static_cast<int>(at) + 1, code};
    }
}

using CheckBytesPropertyTest = HostTest;

TEST_F(CheckBytesPropertyTest, TellsAPlantedFaultAtItsLine) {
    // QVKDC_BYTES_SEED replays a failed run.
    const char* replay = std::getenv("QVKDC_BYTES_SEED");
    const unsigned seed = replay != nullptr ? static_cast<unsigned>(std::stoul(replay)) : std::random_device()();
    std::mt19937 rng(seed);
    std::string error;
    const std::unique_ptr<TextEncoding> page = TextEncoding::Open("windows-1252", &error);
    ASSERT_NE(page, nullptr) << error;
    for (int round = 0; round < 40; ++round) {
        std::vector<Table> set = Generate(3 + static_cast<int>(rng() % 30));
        const Planted p = Plant(&rng, &set);
        for (const Table& t : set) {
            std::string text;
            for (const std::string& line : t.lines) text += line.back() == '\r' ? line : line + '\n';
            Root().WriteFile(std::string("MIRVANE/CAM/KR/Tables/") + t.name + ".tsv", text);
        }
        Checker checker("", "", page.get());
        checker.Run();
        const std::string file = std::string(set[p.table].name) + ".tsv";
        bool found = false;
        std::string told;
        for (const Finding& f : checker.Findings().All()) {
            found = found || (f.code == p.code && f.line == p.line && f.file.size() >= file.size() &&
                              f.file.compare(f.file.size() - file.size(), file.size(), file) == 0);
            told += f.file + ':' + std::to_string(f.line) + " [" + FindingCodeName(f.code) + "] " + f.message + '\n';
        }
        EXPECT_TRUE(found) << "seed " << seed << ", round " << round << ": " << FindingCodeName(p.code) << " at "
                           << file << ':' << p.line << "; told:\n"
                           << told;
    }
}

// The first kKept lines of a kind are told one by one, the last of them
// with how many more lines are alike.
TEST_F(CheckBytesPropertyTest, ManyFaultsOfAKindAreCounted) {
    std::vector<Table> set = Generate(LineBytes::kKept + 1);
    for (std::string& line : set[1].lines) line.replace(line.find('\t'), 1, "   ");
    for (std::size_t k = 0; k < set.size(); ++k) {
        std::string text;
        // In the third table, lone CRs end the first kKept + 1 lines.
        for (std::size_t i = 0; i < set[k].lines.size(); ++i) {
            text += set[k].lines[i] + (k == 2 && i <= LineBytes::kKept ? '\r' : '\n');
        }
        Root().WriteFile(std::string("MIRVANE/CAM/KR/Tables/") + set[k].name + ".tsv", text);
    }
    ASSERT_GT(set[2].lines.size(), LineBytes::kKept + 1);
    Checker checker("", "");
    checker.Run();
    int spaced = 0, lone = 0;
    std::string last, lastLone;
    for (const Finding& f : checker.Findings().All()) {
        if (f.code == C::kStrayByte && f.message.find("CR without LF") != std::string::npos) {
            ++lone;
            lastLone = f.message;
        }
        if (f.code != C::kSpacedCells) continue;
        ++spaced;
        last = f.message;
    }
    EXPECT_EQ(spaced, LineBytes::kKept);
    EXPECT_NE(last.find("; 2 more lines of the file are alike"), std::string::npos) << last;
    EXPECT_EQ(lone, LineBytes::kKept);
    EXPECT_NE(lastLone.find("; 1 more line of the file is alike"), std::string::npos) << lastLone;
}

}  // namespace

// The faults of a text do not depend on where the blocks it is read in end:
// every split of it into two or three blocks gives the faults of the whole.
TEST(LineBytesTest, FaultsDoNotDependOnTheBlocks) {
    std::string error;
    const std::unique_ptr<TextEncoding> page = TextEncoding::Open("windows-1252", &error);
    ASSERT_NE(page, nullptr) << error;
    const std::string text =
        "a\tb\r\nitemA   Real\r\nx\xA0\ty\rz\tw\n\xEF\xBB\xBFq\tr\nT \xC3\xA9\tu\r\nlast\tone\r";
    LineRules rules;
    rules.cellsNeeded = 2;
    rules.encoding = page.get();
    const auto faults = [&](const std::vector<std::size_t>& cuts) {
        LineBytes lines;
        lines.Start(rules);
        std::size_t from = 0;
        for (std::size_t cut : cuts) {
            lines.Feed(text.data() + from, cut - from);
            from = cut;
        }
        lines.Feed(text.data() + from, text.size() - from);
        lines.Finish();
        std::string told;
        for (const ByteFault& f : lines.Faults()) {
            told += std::to_string(f.kind) + '@' + std::to_string(f.line) + ':' + std::to_string(f.column) + ' ';
        }
        return told;
    };
    const std::string whole = faults({});
    // Spaced cells, a no-break space, a lone CR, a mark inside, UTF-8 text.
    EXPECT_EQ(whole, "0@2:6 2@3:2 3@3:0 1@5:1 4@6:3 ");
    {
        // Beyond U+10FFFF is no UTF-8.
        const std::unique_ptr<TextEncoding> utf8 = TextEncoding::Open("utf-8", &error);
        ASSERT_NE(utf8, nullptr) << error;
        LineRules utf8Rules = rules;
        utf8Rules.encoding = utf8.get();
        LineBytes lines;
        lines.Start(utf8Rules);
        const std::string beyond = "x\xF4\x90\x80\x80y\tz\n";
        lines.Feed(beyond.data(), beyond.size());
        lines.Finish();
        ASSERT_EQ(lines.Faults().size(), 1u);
        EXPECT_EQ(lines.Faults()[0].kind, ByteFault::kUndecodable);
        EXPECT_EQ(lines.Faults()[0].column, 2);
    }
    for (std::size_t i = 0; i <= text.size(); ++i) {
        EXPECT_EQ(faults({i}), whole) << "one cut at " << i;
        for (std::size_t j = i; j <= text.size(); j += 3) EXPECT_EQ(faults({i, j}), whole) << i << ", " << j;
    }
}
