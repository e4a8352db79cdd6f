// Fuzz target: the user option file, bytes -> lines -> option titles.
//
// After each input: the lines do not depend on where the file's blocks end
// and hold no line feed, and every title the column build takes from the
// option file (a column, or no item of that title) is new (not repeated,
// not a PlanCSVTable column's title), not empty, and holds no NUL byte, no
// "#" and no white space at either end; the repeated ones are told as such.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "qvhostsim/qvhostsim.h"
#include "CnvTblFiles.h"
#include "ExamineTables.h"

namespace {

constexpr char kColumnTitle[] = "Taken";
constexpr std::string_view kSpace = " \t\r\n\v\f";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QvsimReset();
    QvsimTraceAll(1, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t block = size > 0 ? 1 + data[size - 1] % 13 : 1;
    const std::vector<std::string> lines = ReadAllLines(bytes, 0);
    FuzzCheck(lines == ReadAllLines(bytes, block), "lines do not depend on block ends");
    std::size_t feeds = 0;
    for (const char c : bytes) feeds += c == '\n' ? 1 : 0;
    const bool open = size > 0 && bytes.back() != '\n';
    FuzzCheck(lines.size() == feeds + (open ? 1 : 0), "one line per line feed, and the last");
    for (const std::string& line : lines) {
        FuzzCheck(line.find('\n') == std::string::npos, "a line holds no line feed");
    }

    // One PlanCSVTable column, of the title kColumnTitle.
    MemoryFiles files(block);
    files.Add(kOptionFilePath, bytes);
    const std::string item = std::string(kColumnTitle) + "\titem\n";
    for (const CnvTblIndex table : {kExteriorTableFile, kPlanCSVTableFile}) {
        files.Add(kCnvTblFiles[table].path, table == kPlanCSVTableFile ? "1\titem\n" : item);
    }
    files.Add(kCnvTblFiles[kProcessParametersTableFile].path, "item\t1\t0\n");
    files.Add(kCnvTblFiles[kParameterSettingTableFile].path, "item\tString\t\t\n");
    files.Add(kCnvTblFiles[kVariableTableFile].path, "T\tx\takw_tls_nm\n");
    files.Serve();
    ScopedFileSystem scope(&files);
    ExaminedTables tables;
    tables.Build();
    FuzzCheck(tables.FailedStep() == FailStep::kNone, "the tables are built");
    FuzzCheck(tables.OptionFile().ok(), "an option file that exists is read");
    // In file order: a title told as repeated follows its first line.
    std::vector<CnvOptionTrail> trails = tables.OptionTitles();
    std::stable_sort(trails.begin(), trails.end(),
                     [](const CnvOptionTrail& a, const CnvOptionTrail& b) { return a.line < b.line; });
    std::set<std::string> seen{kColumnTitle};
    for (const CnvOptionTrail& trail : trails) {
        const std::string& title = trail.title;
        if (trail.fate == OptionFate::kRepeated || trail.fate == OptionFate::kStandard) {
            FuzzCheck(seen.count(title) == 1, "a title told as repeated was seen before");
            continue;
        }
        FuzzCheck(!title.empty() && title.find_first_of(std::string("#\0", 2)) == std::string::npos,
                  "a title is not empty and holds no NUL and no #");
        FuzzCheck(kSpace.find(title.front()) == std::string_view::npos &&
                      kSpace.find(title.back()) == std::string_view::npos,
                  "a title has no white space at its ends");
        FuzzCheck(seen.insert(title).second, "a title is new");
    }
    QvsimTraceClear();
    return 0;
}
