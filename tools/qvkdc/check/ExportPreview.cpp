#include "check/ExportPreview.h"

#include <algorithm>
#include <utility>

ExportPreview::ExportPreview(int columns, int rows, std::size_t cells)
    : columns_(columns), rows_(rows), cellsLeft_(cells) {}

void ExportPreview::Start(int plan) {
    pendingPlan_ = plan;
    pending_ = Plan();
    // As many whole rows as the cells left allow.
    const std::size_t fit = cellsLeft_ / static_cast<std::size_t>(columns_);
    pending_.shown = static_cast<int>(std::min<std::size_t>(fit, static_cast<std::size_t>(rows_)));
}

bool ExportPreview::Keeps(int plan, int row) {
    if (plan != pendingPlan_) Start(plan);
    return row < pending_.shown;
}

void ExportPreview::Cell(int plan, int row, int column, std::string_view text, const CellNote& why) {
    const bool kept = Keeps(plan, row);
    pending_.rows = std::max(pending_.rows, row + 1);
    if (!kept) return;
    pending_.text.append(text);
    pending_.ends.push_back(pending_.text.size());
    if (why.Told()) pending_.notes.push_back(Note{row, column, why});
}

void ExportPreview::Written(int plan, std::string title, std::string file) {
    if (plan != pendingPlan_) return;
    pendingPlan_ = -1;
    Plan& p = pending_;
    p.shown = std::min(p.shown, p.rows);
    p.title = std::move(title);
    p.file = std::move(file);
    cellsLeft_ -= static_cast<std::size_t>(p.shown) * static_cast<std::size_t>(columns_);
    plans_.push_back(std::move(p));
    pending_ = Plan();
}
