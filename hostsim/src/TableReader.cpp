// CQvlbwTableA: the rows of one table file (TsvTable), a row cursor, and per
// key column an index from cell text to the first row holding that text,
// built on the first lookup by that column and kept until the next read.
//
// Every call of ReadTable, FindRow, MoveFirst and GetNextRow is counted, and
// a ReadTable can be made to fail (Faults). A ReadTable that fails leaves the
// reader without data, whatever it held before. A lookup or walk that finds
// no row empties the row buffer.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Faults.h"
#include "TsvTable.h"
#include "host/Qvlbw.h"

namespace {

// The whole file at path into bytes; false when it cannot be opened or read
// to its end (a folder at path cannot be read) or too large for a table.
// Reads in one go when the size is known, then on in chunks until the end.
bool ReadFileBytes(const char* path, std::string* bytes) {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) return false;
    std::size_t used = 0;
    bytes->clear();
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        // A folder may report any size; no table is larger than kMaxBytes.
        const long size = std::ftell(file.get());
        if (size > 0 && static_cast<unsigned long>(size) > TsvTable::kMaxBytes) return false;
        if (size > 0) bytes->resize(static_cast<std::size_t>(size));
        std::rewind(file.get());
    }
    for (;;) {
        if (used == bytes->size()) bytes->resize(used + (1 << 16));
        const std::size_t want = bytes->size() - used;
        const std::size_t n = std::fread(&(*bytes)[used], 1, want, file.get());
        used += n;
        if (n < want) break;
    }
    bytes->resize(used);
    return std::ferror(file.get()) == 0;
}

}  // namespace

class CQvlbwTableImpl {
 public:
    int Read(const char* path) {
        Drop();
        if (qvsim::TheFaults().Hit(qvsim::HostCall::kReadTable)) return -1;
        std::string bytes;
        if (path == nullptr || !ReadFileBytes(path, &bytes)) return -1;
        if (table_.Parse(bytes) != 0) return -1;
        indexes_.resize(static_cast<std::size_t>(table_.MaxCellCount()));
        read_ = true;
        return 0;
    }

    int FindRow(int keyCol, const char* key, CQvlbwStringArray* row) {
        if (!read_) return Miss(row, -2);
        if (keyCol < 1 || keyCol > table_.MaxCellCount() || key == nullptr) return Miss(row, 0);
        const Index& index = IndexOf(keyCol - 1);
        const auto it = index.find(std::string_view(key));
        if (it == index.end()) return Miss(row, 0);
        Fill(it->second, row);
        return 1;
    }

    void MoveFirst() {
        next_ = 0;
        current_ = -1;
    }

    int GetNextRow(CQvlbwStringArray* row) {
        current_ = -1;
        if (!read_ || row == nullptr || next_ >= table_.RowCount()) return Miss(row, 0);
        current_ = next_++;
        Fill(current_, row);
        return 1;
    }

    int CurRowLine() const { return current_ >= 0 ? table_.RowLine(current_) : 0; }

    int RowCount() const { return read_ ? table_.RowCount() : 0; }
    int ColCount() const { return read_ ? table_.MaxCellCount() : 0; }
    int IsRead() const { return read_ ? 1 : 0; }

 private:
    using Index = std::unordered_map<std::string_view, int>;

    void Drop() {
        read_ = false;
        next_ = 0;
        current_ = -1;
        indexes_.clear();
        table_.Clear();
    }

    const Index& IndexOf(int col) {
        std::unique_ptr<Index>& slot = indexes_[static_cast<std::size_t>(col)];
        if (!slot) {
            slot = std::make_unique<Index>();
            const int rows = table_.RowCount();
            slot->reserve(static_cast<std::size_t>(rows));
            for (int r = 0; r < rows; ++r) {
                if (col < table_.CellCount(r)) slot->try_emplace(table_.Cell(r, col), r);
            }
        }
        return *slot;
    }

    void Fill(int r, CQvlbwStringArray* row) const {
        if (row == nullptr) return;
        row->RemoveAll();
        const int cells = table_.CellCount(r);
        for (int c = 0; c < cells; ++c) {
            const std::string_view cell = table_.Cell(r, c);
            row->Add(cell.data(), static_cast<int>(cell.size()));
        }
    }

    static int Miss(CQvlbwStringArray* row, int result) {
        if (row != nullptr) row->RemoveAll();
        return result;
    }

    TsvTable table_;
    bool read_ = false;
    int next_ = 0;  // index of the row GetNextRow delivers next
    int current_ = -1;  // index of the row GetNextRow delivered last, or -1
    std::vector<std::unique_ptr<Index>> indexes_;  // per column, 0-based
};

// The pointer member is part of the class layout the library sees, so the
// reader owns its Impl by hand.
CQvlbwTableA::CQvlbwTableA() : impl_(new CQvlbwTableImpl) {}
CQvlbwTableA::~CQvlbwTableA() { delete impl_; }
int CQvlbwTableA::ReadTable(const char* path) { return impl_->Read(path); }
int CQvlbwTableA::GetRowCount() { return impl_->RowCount(); }
int CQvlbwTableA::GetColCount() { return impl_->ColCount(); }
int CQvlbwTableA::IsRead() { return impl_->IsRead(); }
int CQvlbwTableA::GetCurRowLine() const { return impl_->CurRowLine(); }
int CQvlbwTableA::FindRow(int keyCol, const char* key, CQvlbwStringArray* row) {
    qvsim::TheFaults().Hit(qvsim::HostCall::kFindRow);
    return impl_->FindRow(keyCol, key, row);
}
void CQvlbwTableA::MoveFirst() {
    qvsim::TheFaults().Hit(qvsim::HostCall::kMoveFirst);
    impl_->MoveFirst();
}
int CQvlbwTableA::GetNextRow(CQvlbwStringArray* row) {
    qvsim::TheFaults().Hit(qvsim::HostCall::kGetNextRow);
    return impl_->GetNextRow(row);
}
