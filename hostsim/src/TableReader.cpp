// CQvlbwTableA: the rows of one table file (TsvTable), a row cursor, and per
// key column an index from cell text to the first row holding that text,
// built on the first lookup by that column and kept until the next read.
//
// ReadTable gets the file's bytes from the table source (TableSource.h): the
// file system, where only a regular file can be read, or the source the
// control interface set. A file that starts with a UTF-16 byte-order mark is
// refused; while the main trace switch is on, the trace says why.
//
// Every call of ReadTable, FindRow, MoveFirst and GetNextRow is counted, and
// a ReadTable can be made to fail (Faults). A ReadTable that fails leaves the
// reader without data, whatever it held before. A lookup or walk that finds
// no row empties the row buffer.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Faults.h"
#include "Guarded.h"
#include "TableSource.h"
#include "TsvTable.h"
#include "host/Qvlbw.h"
#include "host/Zrl.h"

namespace {

// True when bytes start with a UTF-16 byte-order mark (either byte order).
bool IsUtf16(std::string_view bytes) {
    const std::string_view mark = bytes.substr(0, 2);
    return mark == "\xFF\xFE" || mark == "\xFE\xFF";
}

}  // namespace

class CQvlbwTableImpl {
 public:
    int Read(const char* path) {
        Drop();
        if (qvsim::TheFaults().Hit(qvsim::HostCall::kReadTable)) return -1;
        std::string storage;
        std::string_view bytes;
        if (path == nullptr ||
            !qvsim::ReadTableFile(path, TsvTable::kMaxBytes, &storage, &bytes)) {
            return -1;
        }
        if (IsUtf16(bytes)) {
            if (ZrlMainSw == 1) {
                ZrlChr((std::string("ReadTable: ") + path +
                        " is UTF-16 text; save it as 8-bit text").c_str());
            }
            return -1;
        }
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

    void MoveFirst() { next_ = 0; }

    int GetNextRow(CQvlbwStringArray* row) {
        if (!read_ || row == nullptr || next_ >= table_.RowCount()) return Miss(row, 0);
        Fill(next_++, row);
        return 1;
    }

    int RowCount() const { return read_ ? table_.RowCount() : 0; }
    int ColCount() const { return read_ ? table_.MaxCellCount() : 0; }
    int IsRead() const { return read_ ? 1 : 0; }

 private:
    using Index = std::unordered_map<std::string_view, int>;

    void Drop() {
        read_ = false;
        next_ = 0;
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
    std::vector<std::unique_ptr<Index>> indexes_;  // per column, 0-based
};

// The pointer member is part of the class layout the library sees, so the
// reader owns its Impl by hand.
CQvlbwTableA::CQvlbwTableA() : impl_(new CQvlbwTableImpl) {}
CQvlbwTableA::~CQvlbwTableA() { delete impl_; }
// A table that does not fit in memory cannot be read.
int CQvlbwTableA::ReadTable(const char* path) {
    return qvsim::Guarded(-1, [&] { return impl_->Read(path); });
}
int CQvlbwTableA::GetRowCount() { return impl_->RowCount(); }
int CQvlbwTableA::GetColCount() { return impl_->ColCount(); }
int CQvlbwTableA::IsRead() { return impl_->IsRead(); }
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
