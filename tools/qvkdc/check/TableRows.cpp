#include "check/TableRows.h"

#include "host/Qvlbw.h"

const std::string& TableRow::Cell(int col) const {
    static const std::string kEmpty;
    return col >= 1 && col <= CellCount() ? cells[static_cast<std::size_t>(col - 1)] : kEmpty;
}

int TableRows::Read(const std::string& nativePath) {
    rows_.clear();
    indexes_.clear();
    CQvlbwTableA reader;
    const int rc = reader.ReadTable(nativePath.c_str());
    if (rc != 0) return rc;
    CQvlbwStringArray row;
    reader.MoveFirst();
    while (reader.GetNextRow(&row) != 0) {
        TableRow r;
        r.line = reader.GetCurRowLine();
        for (int i = 0; i < row.GetSize(); ++i) r.cells.emplace_back(row.GetAt(i));
        rows_.push_back(std::move(r));
    }
    return 0;
}

const TableRows::Index& TableRows::IndexOf(int keyCol) const {
    const auto found = indexes_.find(keyCol);
    if (found != indexes_.end()) return found->second;
    Index& index = indexes_[keyCol];
    for (const TableRow& r : rows_) {
        if (r.CellCount() >= keyCol) index.try_emplace(r.Cell(keyCol), &r);
    }
    return index;
}

const TableRow* TableRows::Find(int keyCol, std::string_view key) const {
    if (keyCol < 1) return nullptr;
    const Index& index = IndexOf(keyCol);
    const auto it = index.find(key);
    return it != index.end() ? it->second : nullptr;
}
