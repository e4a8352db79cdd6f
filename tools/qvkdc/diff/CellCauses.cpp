#include "diff/CellCauses.h"

#include <algorithm>
#include <utility>

#include "check/CellNote.h"
#include "cli/ShownText.h"

namespace {

std::string Quoted(const std::string& text) { return '"' + ShownText(text) + '"'; }

// A table's path below the root, as shown: "MIRVANE/CAM/KR/Tables/X.tsv".
std::string ShownPath(CnvTblIndex table) {
    std::string path = kCnvTblFiles[table].path + 1;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Whether two rows found for an item say the same: both missing, or both
// read with the same cells after the item's.
bool SameRow(const CnvTblRow& a, const CnvTblRow& b) {
    if (a.read != b.read) return false;
    const auto from = [](const CnvTblRow& r) { return r.cells.begin() + std::min<std::size_t>(1, r.cells.size()); };
    return std::equal(from(a), a.cells.end(), from(b), b.cells.end());
}

// The value type a ParameterSettingTable row gives, as written.
std::string TypeText(const CnvTblRow& row) {
    if (!row.read) return "none";
    const std::string& sub = row.Cell(5);
    return Quoted(row.Cell(2)) + (sub.empty() ? "" : " (" + Quoted(sub) + ")");
}

const ExaminedColumn* ColumnOf(const SideTables* tables, const FileColumn& column) {
    if (tables == nullptr || column.index < 0) return nullptr;
    return &tables->Columns()[static_cast<std::size_t>(column.index)];
}

}  // namespace

const char* DiffSideName(DiffSide side) { return side == DiffSide::kOld ? "old" : "new"; }

CellCauses::CellCauses(const SideTables* old, Root oldRoot, const SideTables& now, Root newRoot)
    : old_(old), now_(now), oldRoot_(std::move(oldRoot)), newRoot_(std::move(newRoot)) {}

void CellCauses::Add(DiffSide side, CnvTblIndex table, int line, const std::string& what,
                     std::vector<DiffCause>* causes) const {
    if (line <= 0) return;
    const Root& root = side == DiffSide::kOld ? oldRoot_ : newRoot_;
    const std::string below = ShownPath(table);
    const std::string folder = root.folder.empty() || root.folder.back() == '/' || root.folder.back() == '\\'
                                   ? root.folder
                                   : root.folder + '/';
    causes->push_back(DiffCause{side, root.shown + below, folder + below, line, what});
}

void CellCauses::Find(const FileColumn& oc, const CellOrigin* oo, const FileColumn& nc, const CellOrigin& no,
                      std::vector<DiffCause>* causes, std::string* reason) const {
    CellNote note;
    note.reason = no.reason;
    note.key = no.key;
    note.code = no.code;
    std::string brief;
    CellNoteText(note, &brief, reason);
    const ExaminedColumn* n = ColumnOf(&now_, nc);
    if (n == nullptr) return;
    const ExaminedColumn* o = oo != nullptr ? ColumnOf(old_, oc) : nullptr;
    if (o == nullptr) {
        MadeBy(*n, no, causes);
        return;
    }
    const std::string title = Quoted(n->ExName());
    if (o->ItName() != n->ItName()) {
        const std::string what =
            "changed the item of " + title + " from " + Quoted(o->ItName()) + " to " + Quoted(n->ItName());
        const CnvTblIndex table = n->trail.colFlg == CnvColFlg::kOption ? kExteriorTableFile : kPlanCSVTableFile;
        Add(DiffSide::kOld, table, (table == kPlanCSVTableFile ? o->trail.def : o->trail.titleRow).line, what,
            causes);
        Add(DiffSide::kNew, table, (table == kPlanCSVTableFile ? n->trail.def : n->trail.titleRow).line, what,
            causes);
    }
    if (!SameRow(o->trail.keyRow, n->trail.keyRow)) {
        const std::string what = o->prmKey != n->prmKey ? "changed the parameter of " + title + " from " +
                                                              std::to_string(o->prmKey) + " to " +
                                                              std::to_string(n->prmKey)
                                                        : "changed the ProcessParametersTable row of " + title;
        Add(DiffSide::kOld, kProcessParametersTableFile, o->trail.keyRow.line, what, causes);
        Add(DiffSide::kNew, kProcessParametersTableFile, n->trail.keyRow.line, what, causes);
    }
    if (!SameRow(o->trail.typeRow, n->trail.typeRow)) {
        const std::string before = TypeText(o->trail.typeRow);
        const std::string after = TypeText(n->trail.typeRow);
        const std::string what = before != after
                                     ? "changed the value type of " + title + " from " + before + " to " + after
                                     : "changed the ParameterSettingTable row of " + title;
        Add(DiffSide::kOld, kParameterSettingTableFile, o->trail.typeRow.line, what, causes);
        Add(DiffSide::kNew, kParameterSettingTableFile, n->trail.typeRow.line, what, causes);
    }
    ChoiceCauses(*o, *oo, *n, no, causes);
    if (causes->empty()) MadeBy(*n, no, causes);
}

void CellCauses::ChoiceCauses(const ExaminedColumn& o, const CellOrigin& oo, const ExaminedColumn& n,
                              const CellOrigin& no, std::vector<DiffCause>* causes) const {
    const std::vector<SideChoice>* oldChoices = old_->ChoicesOf(o.ItName());
    const std::vector<SideChoice>* newChoices = now_.ChoicesOf(n.ItName());
    const auto within = [](int choice, const std::vector<SideChoice>* choices) {
        return choice >= 0 && choices != nullptr && static_cast<std::size_t>(choice) < choices->size();
    };
    const bool had = within(oo.choice, oldChoices);
    const bool has = within(no.choice, newChoices);
    if (!had && !has) return;
    const std::string of = " of " + Quoted(n.ExName());
    const std::string code = "code " + std::to_string(has ? no.code : oo.code);
    if (had && has) {
        const SideChoice& a = (*oldChoices)[static_cast<std::size_t>(oo.choice)];
        const SideChoice& b = (*newChoices)[static_cast<std::size_t>(no.choice)];
        if (a.value == b.value && a.text != b.text) {
            const std::string what = "changed the text of " + code + of;
            Add(DiffSide::kOld, kExteriorTableFile, a.choiceLine, what, causes);
            Add(DiffSide::kNew, kExteriorTableFile, b.choiceLine, what, causes);
        } else if (a.value != b.value || a.text != b.text) {
            const std::string what = "changed the choice of " + code + of;
            Add(DiffSide::kOld, kSelectionToIntTableFile, a.valueLine, what, causes);
            Add(DiffSide::kNew, kSelectionToIntTableFile, b.valueLine, what, causes);
        }
        return;
    }
    if (had) {
        const SideChoice& a = (*oldChoices)[static_cast<std::size_t>(oo.choice)];
        const std::string what = "left " + code + of + " without a choice";
        Add(DiffSide::kOld, kExteriorTableFile, a.choiceLine, what, causes);
        Add(DiffSide::kOld, kSelectionToIntTableFile, a.valueLine, what, causes);
        return;
    }
    const SideChoice& b = (*newChoices)[static_cast<std::size_t>(no.choice)];
    const std::string what = "gave " + code + of + " a choice";
    Add(DiffSide::kNew, kExteriorTableFile, b.choiceLine, what, causes);
    Add(DiffSide::kNew, kSelectionToIntTableFile, b.valueLine, what, causes);
}

void CellCauses::MadeBy(const ExaminedColumn& n, const CellOrigin& no, std::vector<DiffCause>* causes) const {
    Add(DiffSide::kNew, kProcessParametersTableFile, n.trail.keyRow.line, "", causes);
    Add(DiffSide::kNew, kParameterSettingTableFile, n.trail.typeRow.line, "", causes);
    const std::vector<SideChoice>* choices = now_.ChoicesOf(n.ItName());
    if (no.choice >= 0 && choices != nullptr && static_cast<std::size_t>(no.choice) < choices->size()) {
        const SideChoice& c = (*choices)[static_cast<std::size_t>(no.choice)];
        Add(DiffSide::kNew, kExteriorTableFile, c.choiceLine, "", causes);
        Add(DiffSide::kNew, kSelectionToIntTableFile, c.valueLine, "", causes);
    }
}
