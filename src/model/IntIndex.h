// IntIndex: the position of the first entry of each int value in a list
// that only grows, found without a walk over the list.
//
// While the values lie close together (their range at most four times
// their number, plus 64) the positions are kept in a table indexed by the
// value's distance from the smallest one; otherwise in an open-addressing
// table (linear probing, at most half full, Fibonacci hashing) of value and
// position pairs. Either way a lookup reads one or two neighbouring
// entries, where a node-based hash map would follow pointers through
// memory.
#ifndef QVKDC_MODEL_INTINDEX_H
#define QVKDC_MODEL_INTINDEX_H

#include <cstddef>
#include <cstdint>
#include <vector>

class IntIndex {
 public:
    // Files position under value, unless value has a position already.
    // REQUIRES: position >= 0.
    void Add(int value, int position);
    // The position filed under value, or -1.
    int Find(int value) const {
        if (dense_) {
            const uint64_t i = static_cast<uint64_t>(static_cast<int64_t>(value) - base_);
            return i < table_.size() ? table_[i] : -1;
        }
        for (std::size_t i = Home(value);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& s = slots_[i];
            if (s.position < 0 || s.value == value) return s.position;
        }
    }

 private:
    struct Slot {
        int value;
        int position;  // -1: empty
    };
    std::size_t Home(int value) const {
        return static_cast<std::size_t>((static_cast<uint32_t>(value) * 0x9E3779B1u) >> shift_);
    }
    bool AddDense(int value, int position);
    void AddHashed(int value, int position);
    void Grow();

    std::size_t count_ = 0;
    bool dense_ = true;
    int64_t base_ = 0;            // the value of table_[0]
    std::vector<int32_t> table_;  // position by value - base_; -1: none
    std::vector<Slot> slots_;     // power-of-two size
    unsigned shift_ = 32;         // 32 - log2(slots_.size())
};

#endif  // QVKDC_MODEL_INTINDEX_H
