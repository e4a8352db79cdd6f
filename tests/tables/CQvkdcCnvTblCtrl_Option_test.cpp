#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "support/CnvTblFixture.h"

namespace {

using Titles = std::vector<std::string>;

class OptionTest : public CnvTblFixture {
 protected:
    Titles Read(const std::string& file, int expected = 0) {
        root.WriteOptionFile(file);
        Titles titles;
        EXPECT_EQ(tables.GetOptionCol(titles), expected);
        return titles;
    }
};

TEST_F(OptionTest, CommentsBlanksAndRepeatsAreDropped) {
    struct Case {
        const char* what;
        const char* file;
        Titles titles;
    } const cases[] = {
        {"blanks and a repeat", "  TitleA\t\n# comment\n\nTitleA\n", {"TitleA"}},
        {"comment after a title", "TitleA#note\n#TitleB\n  # x\n", {"TitleA"}},
        {"inner blanks stay", " Title  A \n", {"Title  A"}},
        {"case makes titles differ", "TitleA\ntitlea\nTITLEA\n",
         {"TitleA", "titlea", "TITLEA"}},
        {"CR LF and other white space", "TitleA\r\n\v\fTitleB \f\r\n",
         {"TitleA", "TitleB"}},
        {"last line without line end", "TitleA\nTitleB", {"TitleA", "TitleB"}},
        {"blank before the hash", "TitleA #x\nTitleA\n", {"TitleA"}},
        {"hash only", "#\n##\n", {}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Read(c.file), c.titles);
    }
}

TEST_F(OptionTest, TitlesOfTheColumnTableAreDropped) {
    tables.GetColTbl()->AddColRow(1, "TitleA", "itemA", "", "", 0, 0, "", "");
    tables.GetColTbl()->AddColRow(1, "", "itemE", "", "", 0, 0, "", "");
    tables.GetColTbl()->AddColRow(1, "TitleC", "itemC", "", "", 0, 0, "", "");
    EXPECT_EQ(Read("TitleC\nTitleB\n TitleA\nitemA\n"),
              (Titles{"TitleB", "itemA"}));
    EXPECT_FALSE(TraceHas("[INF]"));
}

TEST_F(OptionTest, MissingFileIsNoFailure) {
    Titles titles;
    EXPECT_EQ(tables.GetOptionCol(titles), 1);
    EXPECT_TRUE(titles.empty());
    EXPECT_TRUE(TraceHas("[INF] : rc_pln2usr.ini Open failed"));
}

// Serves the option file from a list of lines, then a read error.
class BrokenOptionFile : public FileSystem {
 public:
    explicit BrokenOptionFile(std::deque<std::string> lines)
        : lines_(std::move(lines)) {}
    std::string NativePath(std::string_view path) override {
        return std::string(path);
    }
    bool Exists(std::string_view) override { return true; }
    int OpenForRead(std::string_view path,
                    std::unique_ptr<LineReader>* reader) override {
        if (path != "\\MIRVANE\\user\\cam\\nccust\\rc_pln2usr.ini") return -1;
        *reader = std::make_unique<Reader>(lines_);
        return 0;
    }
    int OpenForWrite(std::string_view, std::unique_ptr<TextWriter>*) override {
        return -1;
    }
    int Remove(std::string_view) override { return -1; }

 private:
    class Reader : public LineReader {
     public:
        explicit Reader(std::deque<std::string> lines)
            : lines_(std::move(lines)) {}
        int ReadLine(std::string* line) override {
            if (lines_.empty()) return -1;
            *line = lines_.front();
            lines_.pop_front();
            return 1;
        }

     private:
        std::deque<std::string> lines_;
    };
    std::deque<std::string> lines_;
};

TEST_F(OptionTest, ReadErrorKeepsTheTitlesTakenSoFar) {
    BrokenOptionFile fs({"TitleA", "# c", "TitleB"});
    ScopedFileSystem use(&fs);
    Titles titles;
    EXPECT_EQ(tables.GetOptionCol(titles), 0);
    EXPECT_EQ(titles, (Titles{"TitleA", "TitleB"}));
}

}  // namespace
