// Hostile input from every side: table and option files whose bytes an
// editor or a spreadsheet may really produce, model files the loader must
// refuse, and exceptions deep inside a run. Files are held in memory
// (MemoryFiles) unless the platform's own reading is what is tested.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "MemoryFiles.h"
#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcIsExistFile.h"
#include "host/Qvlbw.h"
#include "host/Zrl.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"

namespace {

using Lines = std::vector<std::string>;

const char kTables[] = "\\MIRVANE\\CAM\\KR\\Tables\\";
const char kOptionFile[] = "\\MIRVANE\\user\\cam\\nccust\\rc_pln2usr.ini";
const char kOut[] = "out\\F.csv";
const char kRunFailed[] = "-\t-\tThe CSV export failed; the trace names the cause.";

// One plan with one process; columns N (integer), Mode (selection) and Z
// (text), and Extra when the option file asks for it.
const char kModel[] = R"({"plans": [{"id": [1, 0, 0, 1], "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "200": 1, "300": "z"}}]}]})";
const char* const kTableText[][2] = {
    {"ExteriorTable", "N\titemN|Mode\titemMode|Mode:on\tselOn|Z\titemZ|Extra\titemX|"},
    {"ProcessParametersTable", "itemN\t100\t1|itemMode\t200\t2|itemZ\t300\t3|itemX\t100\t4|"},
    {"ParameterSettingTable",
     "itemN\tReal\t\t\tInteger|itemMode\tSelect\t\t|itemZ\tString\t\t|itemX\tReal\t\t|"},
    {"SelectionToIntTable", "selOn\t1|"},
    {"VariableTable", "TS\t\takw_tls_nm|"},
    {"PlanCSVTable", "1\titemN|2\titemMode|3\titemZ|"},
};
const char kCsv[] = "N,Mode,Z\n7,on,\"\"\"z\"\"\"\n";

class RobustTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        LoadModel(kModel);
        QvsimTraceAll(1, 1);
    }
    void TearDown() override {
        EXPECT_EQ(ZrlCurrentGet(), nullptr) << "a trace frame was left open";
        HostTest::TearDown();
    }

    // The six tables, each "|" replaced by lineEnd, and the option file.
    static void AddTables(MemoryFiles* files, const std::string& lineEnd) {
        for (const auto& table : kTableText) {
            std::string text = table[1];
            for (std::size_t p = 0; (p = text.find('|', p)) != std::string::npos; p += lineEnd.size()) {
                text.replace(p, 1, lineEnd);
            }
            files->Add(std::string(kTables) + table[0] + ".tsv", text);
        }
    }
    // Exports the plan from files; the status, and the CSV file in *csv.
    static int Export(MemoryFiles* files, std::string* csv = nullptr) {
        files->Serve();
        ScopedFileSystem scope(files);
        ModelId plan{};
        QvsimPlanId(0, &plan);
        const int count = 1;
        int status = 99;
        QvkdcCreOutputData(&count, &plan, "out", "F", &status);
        const auto it = files->Files().find(kOut);
        if (csv != nullptr) *csv = it != files->Files().end() ? it->second : "<none>";
        return status;
    }
    static int RunFailedMessages() {
        int n = 0;
        for (int i = 0; i < QvsimMsgCount(); ++i) n += std::string(QvsimMsgAt(i)) == kRunFailed;
        return n;
    }
};

TEST_F(RobustTest, TablesWithAnyLineEndExportTheSame) {
    for (const char* lineEnd : {"\n", "\r\n", "\r", "\r\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(lineEnd));
        MemoryFiles files;
        AddTables(&files, lineEnd);
        std::string csv;
        EXPECT_EQ(Export(&files, &csv), 0);
        EXPECT_EQ(csv, kCsv);
    }
}

TEST_F(RobustTest, BadTableIsNamedAndFailsTheRun) {
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("1\0\t\0i\0\r\0\n\0", 10);
    const struct {
        const char* table;
        std::string text;
        const char* trace;
    } cases[] = {
        {"PlanCSVTable", utf16,
         "ReadTable: \\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv is UTF-16 text; save it as "
         "8-bit text\n  [ERR] : NeccesaryItemTabel Open Error\n"},
        {"ExteriorTable", "\xFE\xFF", "[ERR] : ExternalNameTable Open Error\n"},
        // A short row is named by its number even when its first cell is
        // empty.
        {"PlanCSVTable", "1\titemN\n\"\"\n", "[ERR] : Short row 2 in PlanCSVTable: \n"},
        {"PlanCSVTable", "1\titemN\r2\r", "[ERR] : Short row 2 in PlanCSVTable: 2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        QvsimTraceClear();
        MemoryFiles files;
        AddTables(&files, "\n");
        files.Add(std::string(kTables) + c.table + ".tsv", c.text);
        std::string csv;
        EXPECT_EQ(Export(&files, &csv), -1);
        EXPECT_EQ(csv, "<none>");
        EXPECT_TRUE(TraceHas(c.trace)) << QvsimTraceText();
        EXPECT_EQ(RunFailedMessages(), 1);
    }
}

// A title is what a C string of the line holds; an editor's byte-order
// marks neither lose the first title nor add garbage columns.
TEST_F(RobustTest, OptionFileTitlesAreTheTextBeforeANul) {
    const struct {
        std::string option;
        const char* titleLine;
        const char* trace;
    } cases[] = {
        {std::string("Extra\0Z\nN\0\n", 12), "N,Mode,Z,Extra\n", ""},
        {std::string("\0Extra\n", 7), "N,Mode,Z\n", ""},
        {"\xEF\xBB\xBF" "Extra\r\n", "N,Mode,Z,Extra\n", ""},
        {std::string("\xFF\xFE" "E\0x\0t\0r\0a\0\r\0\n\0", 16), "N,Mode,Z\n",
         "[INF] : rc_pln2usr.ini is UTF-16 text; save it as 8-bit text\n"},
        {std::string("\xFE\xFF\0E\0x\0t\0r\0a\0\n", 15), "N,Mode,Z\n",
         "[INF] : rc_pln2usr.ini is UTF-16 text; save it as 8-bit text\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.titleLine);
        QvsimTraceClear();
        MemoryFiles files;
        AddTables(&files, "\n");
        files.Add(kOptionFile, c.option);
        std::string csv;
        EXPECT_EQ(Export(&files, &csv), 0);
        EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), c.titleLine);
        EXPECT_TRUE(TraceHas(c.trace));
    }
}

// Files that throw where a run tests (0), reads (1) or writes (2) a file.
class ThrowingFiles : public MemoryFiles {
 public:
    ThrowingFiles(int at, bool badAlloc) : at_(at), badAlloc_(badAlloc) {}
    bool Exists(std::string_view path) override {
        Throw(0);
        return MemoryFiles::Exists(path);
    }
    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        Throw(1);
        return MemoryFiles::OpenForRead(path, reader);
    }
    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override {
        Throw(2);
        return MemoryFiles::OpenForWrite(path, writer);
    }

 private:
    void Throw(int at) const {
        if (at == at_ && badAlloc_) throw std::bad_alloc();
        if (at == at_) throw std::runtime_error("file system");
    }
    int at_;
    bool badAlloc_;
};

TEST_F(RobustTest, ExceptionInARunFailsItLikeAnyFailure) {
    for (int at = 0; at < 3; ++at) {
        for (const bool badAlloc : {true, false}) {
            SCOPED_TRACE(at * 2 + badAlloc);
            QvsimTraceClear();
            ThrowingFiles files(at, badAlloc);
            AddTables(&files, "\n");
            EXPECT_EQ(Export(&files), -1);
            EXPECT_TRUE(TraceHas(badAlloc ? "[ERR] : Out of memory\n"
                                          : "[ERR] : Unexpected exception\n"));
            EXPECT_TRUE(TraceHas("oStatusP = -1\n<< ::QvkdcCreOutputData [577685]\n"));
            EXPECT_EQ(RunFailedMessages(), 1);
        }
    }
    ThrowingFiles files(0, true);
    ScopedFileSystem scope(&files);
    ModelId plan{};
    const int count = 1;
    int status = 99;
    QvkdcIsExistFile(&count, &plan, "out", "F", &status);
    EXPECT_EQ(status, -1);
    EXPECT_TRUE(TraceHas("[ERR] : Out of memory\noStatusP = -1\n<< ::QvkdcIsExistFile [577710]\n"));
}

// Lines are cut by length: a NUL byte neither hides a line end nor empties
// the line (the Windows build reads in text mode through the same code).
TEST(RobustLineReader, NulBytesAreOrdinaryBytesOfTheirLine) {
    const std::string longLine(700, 'x');
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {std::string("a\0b\r\nc\n", 7), {std::string("a\0b", 3), "c"}},
        {std::string("\0\nnext\n", 7), {std::string(1, '\0'), "next"}},
        {std::string("\0", 1), {std::string(1, '\0')}},
        {std::string("x\0\r\ny", 5), {std::string("x\0", 2), "y"}},
        {longLine + std::string("\0", 1) + longLine + "\r\nz", {longLine + std::string("\0", 1) + longLine, "z"}},
    };
    TableRoot dir;
    for (const auto& c : cases) {
        std::unique_ptr<LineReader> reader;
        ASSERT_TRUE(FileSystem::Default()->OpenForRead(dir.WriteFile("lines.ini", c.bytes), &reader).ok());
        Lines lines;
        std::string line;
        while (reader->ReadLine(&line) == 1) lines.push_back(line);
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.bytes.substr(0, 12));
    }
}

// The platform's null device exists but is no file: neither side reads it,
// and the library says what it is.
TEST(RobustFiles, DeviceIsNotReadAsAFile) {
#ifdef _WIN32
    const char* device = "NUL";
#else
    const char* device = "/dev/null";
#endif
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(FileSystem::Default()->OpenForRead(device, &reader).ToString(), "is a device, not a file");
    CQvlbwTableA table;
    EXPECT_EQ(table.ReadTable(device), -1);
}

}  // namespace
