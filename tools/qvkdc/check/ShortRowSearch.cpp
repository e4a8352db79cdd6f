#include "check/ShortRowSearch.h"

#include <memory>
#include <string_view>

#include "FileSystem.h"
#include "ReadableFile.h"
#include "qvhostsim/qvhostsim.h"

namespace {

// Offset in bytes of the end of line `line` (from 1): of its line end (LF,
// CR LF or a lone CR, as the table reader counts lines), or the end of the
// bytes; npos when there are fewer lines.
std::size_t LineEnd(std::string_view bytes, int line) {
    int at = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r') continue;
        if (at == line) return i;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        ++at;
    }
    return at == line ? bytes.size() : std::string_view::npos;
}

// Sets the table source for its lifetime.
class ServedTables {
 public:
    ServedTables(QvsimTableSource source, void* context) { QvsimSetTableSource(source, context); }
    ~ServedTables() { QvsimSetTableSource(nullptr, nullptr); }
    ServedTables(const ServedTables&) = delete;
    ServedTables& operator=(const ServedTables&) = delete;
};

}  // namespace

void ShortRowSearch::Run() {
    const CnvTblStop* first = build_.Stop();
    if (first == nullptr || first->kind != CnvTblStop::kShortRow) return;
    for (int i = 0; i < kCnvTblFileCount; ++i) native_[i] = FileSystem::Current()->NativePath(kCnvTblFiles[i].path);
    CnvTblStop stop = *first;
    for (int run = 0; run < kMostRuns && Mend(stop); ++run) {
        TableBuild mended;
        {
            const ServedTables served(&ShortRowSearch::Serve, this);
            mended.Run();
        }
        const CnvTblStop* next = mended.Stop();
        if (next == nullptr || next->kind != CnvTblStop::kShortRow) return;
        const bool again = next->table == stop.table && next->row.line == stop.row.line;
        // A row the padding did not mend ends the search; one that is read
        // further now is told once.
        if (again && next->cells <= stop.cells) return;
        stop = *next;
        if (!again) build_.AddLaterStop(stop);
    }
}

int ShortRowSearch::Serve(void* context, const char* path, const char** data, std::size_t* size) {
    auto* self = static_cast<ShortRowSearch*>(context);
    for (int i = 0; i < kCnvTblFileCount; ++i) {
        if (self->native_[i] != path) continue;
        const std::string* bytes = &self->mended_[i];
        if (!self->isMended_[i]) {
            if (!self->Load(i, &self->served_)) return -1;
            bytes = &self->served_;
        }
        *data = bytes->data();
        *size = bytes->size();
        return 0;
    }
    return -1;
}

bool ShortRowSearch::Load(int table, std::string* bytes) const {
    ReadableFile file;
    if (!file.Open(native_[table].c_str()).ok()) return false;
    bytes->clear();
    char block[ReadableFile::kBlockSize];
    std::ptrdiff_t n = 0;
    while ((n = file.Read(block, sizeof block)) > 0) bytes->append(block, static_cast<std::size_t>(n));
    return n == 0;
}

bool ShortRowSearch::Mend(const CnvTblStop& stop) {
    if (stop.row.line <= 0 || stop.cells <= stop.row.CellCount()) return false;
    for (const std::string& cell : stop.row.cells) {
        if (cell.find_first_of("\r\n") != std::string::npos) return false;
    }
    const int t = stop.table;
    if (!isMended_[t]) {
        if (!Load(t, &mended_[t])) return false;
        isMended_[t] = true;
    }
    const std::size_t end = LineEnd(mended_[t], stop.row.line);
    if (end == std::string_view::npos) return false;
    mended_[t].insert(end, static_cast<std::size_t>(stop.cells - stop.row.CellCount()), '\t');
    return true;
}
