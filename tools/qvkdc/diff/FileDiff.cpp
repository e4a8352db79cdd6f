#include "diff/FileDiff.h"

#include "diff/CsvOnDisk.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

namespace {

using ProcessKey = std::tuple<int, int, int, int>;

ProcessKey KeyOf(const ModelId& id) { return {id.objid, id.aplsec, id.insid, id.entid}; }

RowPlace PlaceOf(const FileRow& row, std::size_t index) {
    return RowPlace{static_cast<int>(index) + 1, row.hasProcess, row.process};
}

// Whether old column j and new column i hold the same cells, row by row,
// not all of them empty.
bool SameCells(const PlanCsv& old, std::size_t j, const PlanCsv& now, std::size_t i) {
    if (old.rows.size() != now.rows.size()) return false;
    bool value = false;
    for (std::size_t r = 0; r < now.rows.size(); ++r) {
        if (old.rows[r].Cell(j) != now.rows[r].Cell(i)) return false;
        value = value || !now.rows[r].Cell(i).empty();
    }
    return value;
}

// For each new column, the index of its old column; -1: added. By
// identity when both files have them, then a column left over on both
// sides by its title. Else (a file from disk) by title, then (when
// byContent) a column left over on both sides with the same cells is one
// renamed.
std::vector<int> MatchColumns(const PlanCsv& old, const PlanCsv& now, bool byContent) {
    std::vector<int> match(now.columns.size(), -1);
    const bool byIdentity = !old.columns.empty() && !old.columns[0].identity.empty() && !now.columns.empty() &&
                            !now.columns[0].identity.empty();
    std::unordered_map<std::string, std::vector<int>> byKey;  // identity or title -> old columns, last first
    for (std::size_t i = old.columns.size(); i-- > 0;) {
        byKey[byIdentity ? old.columns[i].identity : old.columns[i].title].push_back(static_cast<int>(i));
    }
    std::vector<bool> taken(old.columns.size());
    const auto pair = [&](std::size_t i, std::size_t j) {
        match[i] = static_cast<int>(j);
        taken[j] = true;
    };
    for (std::size_t i = 0; i < now.columns.size(); ++i) {
        auto it = byKey.find(byIdentity ? now.columns[i].identity : now.columns[i].title);
        if (it == byKey.end() || it->second.empty()) continue;
        pair(i, static_cast<std::size_t>(it->second.back()));
        it->second.pop_back();
    }
    // A column whose item changed but whose title did not is the one the
    // file's readers know.
    for (std::size_t i = 0; byIdentity && i < now.columns.size(); ++i) {
        for (std::size_t j = 0; match[i] < 0 && j < old.columns.size(); ++j) {
            if (!taken[j] && old.columns[j].title == now.columns[i].title) pair(i, j);
        }
    }
    if (byIdentity || !byContent) return match;
    for (std::size_t i = 0; i < now.columns.size(); ++i) {
        for (std::size_t j = 0; match[i] < 0 && j < old.columns.size(); ++j) {
            if (!taken[j] && SameCells(old, j, now, i)) pair(i, j);
        }
    }
    return match;
}

// The old file, read from disk, split as the new file suggests.
PlanCsv SplitAgainst(const PlanCsv& old, const PlanCsv& now) {
    PlanCsv split;
    split.name = old.name;
    std::vector<std::string_view> hints;
    for (const FileColumn& c : now.columns) hints.push_back(c.title);
    for (std::string_view title : SplitCsvLine(old.header, hints)) {
        split.columns.push_back(FileColumn{std::string(title), std::string(), -1});
    }
    const std::vector<int> match = MatchColumns(split, now, false);
    std::vector<int> newOf(split.columns.size(), -1);
    for (std::size_t i = 0; i < match.size(); ++i) {
        if (match[i] >= 0) newOf[static_cast<std::size_t>(match[i])] = static_cast<int>(i);
    }
    for (std::size_t r = 0; r < old.rows.size(); ++r) {
        hints.assign(split.columns.size(), std::string_view());
        for (std::size_t j = 0; r < now.rows.size() && j < newOf.size(); ++j) {
            if (newOf[j] >= 0) hints[j] = now.rows[r].Cell(static_cast<std::size_t>(newOf[j]));
        }
        FileRow& row = split.rows.emplace_back();
        for (std::string_view cell : SplitCsvLine(old.rows[r].Cell(0), hints)) row.Add(cell);
    }
    return split;
}

// The matched new columns whose old columns are not in the order of the
// others: those outside a longest run of old indexes that rises.
std::vector<std::size_t> MovedColumns(const std::vector<int>& match, const std::vector<bool>& compared) {
    std::vector<std::size_t> cols;  // the matched new columns, in order
    for (std::size_t i = 0; i < match.size(); ++i) {
        if (match[i] >= 0 && compared[i]) cols.push_back(i);
    }
    // Patience sorting: tails[k] ends the best rising run of length k + 1.
    std::vector<std::size_t> tails, before(cols.size(), SIZE_MAX);
    for (std::size_t k = 0; k < cols.size(); ++k) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), match[cols[k]],
                                         [&](std::size_t t, int v) { return match[cols[t]] < v; });
        if (at != tails.begin()) before[k] = *(at - 1);
        if (at == tails.end()) {
            tails.push_back(k);
        } else {
            *at = k;
        }
    }
    std::vector<bool> kept(cols.size());
    for (std::size_t k = tails.empty() ? SIZE_MAX : tails.back(); k != SIZE_MAX; k = before[k]) kept[k] = true;
    std::vector<std::size_t> moved;
    for (std::size_t k = 0; k < cols.size(); ++k) {
        if (!kept[k]) moved.push_back(cols[k]);
    }
    return moved;
}

// For each new row, the index of its old row; -1: added.
std::vector<int> MatchRows(const PlanCsv& old, const PlanCsv& now) {
    std::vector<int> match(now.rows.size(), -1);
    const auto known = [](const PlanCsv& file) {
        return std::all_of(file.rows.begin(), file.rows.end(), [](const FileRow& r) { return r.hasProcess; });
    };
    const bool byProcess = known(old) && known(now);
    if (!byProcess) {
        for (std::size_t i = 0; i < now.rows.size() && i < old.rows.size(); ++i) match[i] = static_cast<int>(i);
        return match;
    }
    std::map<ProcessKey, std::vector<int>> byKey;  // last first
    for (std::size_t i = old.rows.size(); i-- > 0;) byKey[KeyOf(old.rows[i].process)].push_back(static_cast<int>(i));
    for (std::size_t i = 0; i < now.rows.size(); ++i) {
        auto it = byKey.find(KeyOf(now.rows[i].process));
        if (it == byKey.end() || it->second.empty()) continue;
        match[i] = it->second.back();
        it->second.pop_back();
    }
    return match;
}

// Keeps what the page shows of file in *change.
void KeepShown(const PlanCsv& file, FileChange* change) {
    if (file.unsplit) {
        for (std::string_view title : SplitCsvLine(file.header, {})) change->titles.emplace_back(title);
    } else {
        for (const FileColumn& c : file.columns) change->titles.push_back(c.title);
    }
    for (std::size_t r = 0; r < file.rows.size() && r < kShownRows; ++r) {
        FileRow& row = change->shown.emplace_back();
        if (!file.unsplit) {
            row.text = file.rows[r].text;
            row.ends = file.rows[r].ends;
            continue;
        }
        for (std::string_view cell : SplitCsvLine(file.rows[r].Cell(0), {})) row.Add(cell);
    }
}

}  // namespace

const char* FileChangeName(FileChangeKind kind) {
    switch (kind) {
        case FileChangeKind::kSame:
            return "same";
        case FileChangeKind::kChanged:
            return "changed";
        case FileChangeKind::kAdded:
            return "added";
        case FileChangeKind::kRemoved:
            break;
    }
    return "removed";
}

FileChange CompareFiles(const PlanCsv* old, const PlanCsv* now, const CellCauses& causes,
                        const std::set<std::string>& ignored) {
    FileChange change;
    if (old == nullptr || now == nullptr) {
        const PlanCsv& only = old == nullptr ? *now : *old;
        change.name = only.name;
        change.change = old == nullptr ? FileChangeKind::kAdded : FileChangeKind::kRemoved;
        change.rows = static_cast<int>(only.rows.size());
        KeepShown(only, &change);
        return change;
    }
    if (old->unsplit) {
        const PlanCsv split = SplitAgainst(*old, *now);
        return CompareFiles(&split, now, causes, ignored);
    }
    change.name = now->name;
    change.rows = static_cast<int>(now->rows.size());
    KeepShown(*now, &change);
    const auto isIgnored = [&](const std::string& title) { return ignored.count(title) > 0; };

    const std::vector<int> columns = MatchColumns(*old, *now, true);
    std::vector<bool> compared(columns.size());
    std::vector<bool> oldMatched(old->columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string& title = now->columns[i].title;
        if (columns[i] < 0) {
            if (!isIgnored(title)) change.addedColumns.push_back(title);
            continue;
        }
        const std::string& before = old->columns[static_cast<std::size_t>(columns[i])].title;
        oldMatched[static_cast<std::size_t>(columns[i])] = true;
        compared[i] = !isIgnored(title) && !isIgnored(before);
        if (compared[i] && before != title) change.renamedColumns.emplace_back(before, title);
    }
    for (std::size_t i = 0; i < old->columns.size(); ++i) {
        if (!oldMatched[i] && !isIgnored(old->columns[i].title)) change.removedColumns.push_back(old->columns[i].title);
    }
    for (std::size_t i : MovedColumns(columns, compared)) change.movedColumns.push_back(now->columns[i].title);

    const std::vector<int> rows = MatchRows(*old, *now);
    std::vector<bool> oldRowMatched(old->rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const FileRow& after = now->rows[r];
        if (rows[r] < 0) {
            change.addedRows.push_back(PlaceOf(after, r));
            continue;
        }
        oldRowMatched[static_cast<std::size_t>(rows[r])] = true;
        const FileRow& before = old->rows[static_cast<std::size_t>(rows[r])];
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (!compared[c]) continue;
            const std::size_t oc = static_cast<std::size_t>(columns[c]);
            const std::string_view a = before.Cell(oc);
            const std::string_view b = after.Cell(c);
            if (a == b) continue;
            CellChange cell;
            cell.row = PlaceOf(after, r);
            cell.column = now->columns[c].title;
            cell.before = std::string(a);
            cell.after = std::string(b);
            cell.emptied = !a.empty() && b.empty();
            static const CellOrigin kNone;
            const CellOrigin& origin = c < after.origins.size() ? after.origins[c] : kNone;
            const CellOrigin* was = oc < before.origins.size() ? &before.origins[oc] : nullptr;
            causes.Find(old->columns[oc], was, now->columns[c], origin, &cell.causes, &cell.reason);
            if (!cell.emptied) cell.reason.clear();
            change.cells.push_back(std::move(cell));
        }
    }
    for (std::size_t r = 0; r < old->rows.size(); ++r) {
        if (!oldRowMatched[r]) change.removedRows.push_back(PlaceOf(old->rows[r], r));
    }
    const bool same = change.addedColumns.empty() && change.removedColumns.empty() &&
                      change.renamedColumns.empty() && change.movedColumns.empty() && change.addedRows.empty() &&
                      change.removedRows.empty() && change.cells.empty();
    change.change = same ? FileChangeKind::kSame : FileChangeKind::kChanged;
    return change;
}
