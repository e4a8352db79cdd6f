// CQvlbwTableA: the rows of one table file (TsvTable), a row cursor, and per
// key column an index from cell text to the first row holding that text,
// built on the first lookup by that column and kept until the next read.
// An index is one open-addressing table (linear probing, at most half full)
// of cell hash and row, so building it allocates once and a lookup reads
// one or two neighbouring slots and the cells they point at.
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
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Faults.h"
#include "Guarded.h"
#include "TableSource.h"
#include "TsvTable.h"
#include "host/Qvlbw.h"
#include "host/Zrl.h"
#include "examine/ByteOrderMark.h"

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
        if (StartsWithUtf16Mark(bytes)) {
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
        found_ = -1;
        if (!read_) return Miss(row, -2);
        if (keyCol < 1 || keyCol > table_.MaxCellCount() || key == nullptr) return Miss(row, 0);
        found_ = IndexOf(keyCol - 1).Find(table_, keyCol - 1, key);
        if (found_ < 0) return Miss(row, 0);
        Fill(found_, row);
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
    int FoundRowLine() const { return found_ >= 0 ? table_.RowLine(found_) : 0; }

    int RowCount() const { return read_ ? table_.RowCount() : 0; }
    int ColCount() const { return read_ ? table_.MaxCellCount() : 0; }
    int IsRead() const { return read_ ? 1 : 0; }

 private:
    // Cell text of one column -> first row that holds it.
    class Index {
     public:
        Index(const TsvTable& table, int col) {
            const int rows = table.RowCount();
            std::size_t size = 16;
            while (size < static_cast<std::size_t>(rows) * 2) size *= 2;
            slots_.assign(size, Slot{0, -1});
            for (int r = 0; r < rows; ++r) {
                if (col >= table.CellCount(r)) continue;
                const std::string_view cell = table.Cell(r, col);
                const uint32_t hash = Hash(cell);
                for (std::size_t i = hash & (size - 1);; i = (i + 1) & (size - 1)) {
                    Slot& s = slots_[i];
                    if (s.row < 0) {
                        s = Slot{hash, r};
                        break;
                    }
                    if (s.hash == hash && table.Cell(s.row, col) == cell) break;  // not the first
                }
            }
        }
        int Find(const TsvTable& table, int col, std::string_view key) const {
            const uint32_t hash = Hash(key);
            const std::size_t mask = slots_.size() - 1;
            for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
                const Slot& s = slots_[i];
                if (s.row < 0) return -1;
                if (s.hash == hash && table.Cell(s.row, col) == key) return s.row;
            }
        }

     private:
        struct Slot {
            uint32_t hash;
            int row;  // -1: empty
        };
        // FNV-1a, then mixed so that the low bits used for the slot depend
        // on every byte.
        static uint32_t Hash(std::string_view text) {
            uint32_t h = 2166136261u;
            for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
            h ^= h >> 15;
            h *= 0x2C1B3C6Du;
            h ^= h >> 12;
            return h;
        }
        std::vector<Slot> slots_;
    };

    void Drop() {
        read_ = false;
        next_ = 0;
        current_ = -1;
        found_ = -1;
        indexes_.clear();
        table_.Clear();
    }

    const Index& IndexOf(int col) {
        std::unique_ptr<Index>& slot = indexes_[static_cast<std::size_t>(col)];
        if (!slot) slot = std::make_unique<Index>(table_, col);
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
    int found_ = -1;    // index of the row FindRow found last, or -1
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
int CQvlbwTableA::GetCurRowLine() const { return impl_->CurRowLine(); }
int CQvlbwTableA::GetFoundRowLine() const { return impl_->FoundRowLine(); }
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
