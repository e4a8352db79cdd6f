#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "support/CnvTblFixture.h"
#include "support/FaultFileSystem.h"

namespace {

using Titles = std::vector<std::string>;
using OptionTest = CnvTblFixture;

TEST_F(OptionTest, CommentsBlanksRepeatsAndTakenTitlesAreDropped) {
    tables.GetColTbl()->AddColRow(1, "Taken", "itemT", "", "", 0, 0, "", "");
    tables.GetColTbl()->AddColRow(1, "", "itemE", "", "", 0, 0, "", "");
    struct Case {
        const char* file;
        Titles titles;
    } const cases[] = {
        {"  TitleA\t\n# comment\n\nTitleA\n", {"TitleA"}},
        {"TitleA#note\n#TitleB\n  # x\nTitleA #y\n", {"TitleA"}},
        {" Title  A \n", {"Title  A"}},
        {"TitleA\ntitlea\nTITLEA\n", {"TitleA", "titlea", "TITLEA"}},
        {"TitleA\r\n\v\fTitleB \f\r\nTitleC", {"TitleA", "TitleB", "TitleC"}},
        {"Taken\n Taken \nitemT\n", {"itemT"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        root.WriteOptionFile(c.file);
        Titles titles;
        EXPECT_EQ(tables.GetOptionCol(titles), 0);
        EXPECT_EQ(titles, c.titles) << c.file;
    }
    EXPECT_FALSE(TraceHas("[INF]"));
}

TEST_F(OptionTest, MissingFileIsNoFailure) {
    Titles titles;
    EXPECT_EQ(tables.GetOptionCol(titles), 1);
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(TraceBody(), (std::vector<std::string>{
                               "[INF] : rc_pln2usr.ini Open failed", "stat = 1"}));
}

TEST_F(OptionTest, ReadErrorKeepsTheTitlesTakenSoFar) {
    root.WriteOptionFile("TitleA\n# c\nTitleB\nTitleC\n");
    FaultFileSystem faults(FileSystem::Default());
    faults.FailNth(FaultFileSystem::kReadLine, 4);
    ScopedFileSystem use(&faults);
    Titles titles;
    EXPECT_EQ(tables.GetOptionCol(titles), 0);
    EXPECT_EQ(titles, (Titles{"TitleA", "TitleB"}));
    EXPECT_TRUE(TraceHas("[INF] : rc_pln2usr.ini Read failed"));
}

}  // namespace
