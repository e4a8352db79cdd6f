#include "model/IntIndex.h"

#include <algorithm>

void IntIndex::Add(int value, int position) {
    if (dense_ && AddDense(value, position)) return;
    if (dense_) {
        // Too far apart: every position moves to the hash table.
        dense_ = false;
        const std::vector<int32_t> table = std::move(table_);
        table_.clear();
        count_ = 0;
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i] >= 0) AddHashed(static_cast<int>(base_ + static_cast<int64_t>(i)), table[i]);
        }
    }
    AddHashed(value, position);
}

// False when value would make the table too sparse.
bool IntIndex::AddDense(int value, int position) {
    const int64_t v = value;
    if (table_.empty()) {
        base_ = v;
        table_.assign(16, -1);
    }
    const int64_t size = static_cast<int64_t>(table_.size());
    if (v < base_ || v >= base_ + size) {
        // Room on the side that was overrun, as much again as the table has,
        // so that a run of values in either direction grows it rarely.
        const int64_t first = std::min(base_, v < base_ ? v - size : base_);
        const int64_t last = std::max(base_ + size, v >= base_ + size ? v + size : base_ + size);
        if (last - first > 4 * static_cast<int64_t>(count_ + 1) + 64) return false;
        std::vector<int32_t> grown(static_cast<std::size_t>(last - first), -1);
        std::copy(table_.begin(), table_.end(), grown.begin() + (base_ - first));
        table_.swap(grown);
        base_ = first;
    }
    int32_t& slot = table_[static_cast<std::size_t>(v - base_)];
    if (slot < 0) {
        slot = position;
        ++count_;
    }
    return true;
}

void IntIndex::AddHashed(int value, int position) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    for (std::size_t i = Home(value);; i = (i + 1) & (slots_.size() - 1)) {
        Slot& s = slots_[i];
        if (s.position < 0) {
            s = Slot{value, position};
            ++count_;
            return;
        }
        if (s.value == value) return;
    }
}

void IntIndex::Grow() {
    std::vector<Slot> old;
    old.swap(slots_);
    const std::size_t size = old.empty() ? 16 : old.size() * 2;
    slots_.assign(size, Slot{0, -1});
    shift_ = 32;
    for (std::size_t n = size; n > 1; n /= 2) --shift_;
    count_ = 0;
    for (const Slot& s : old) {
        if (s.position >= 0) AddHashed(s.value, s.position);
    }
}
