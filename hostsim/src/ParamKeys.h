// ParamKeys: the parameter keys of a process, in the order the model file
// gives them, with an index from key to position.
//
// Processes whose keys are the same, in the same order, share one
// ParamKeys; each process keeps only its values, in key order. A lookup is
// one probe of a small open-addressing table, almost always.
#ifndef QVHOSTSIM_PARAMKEYS_H
#define QVHOSTSIM_PARAMKEYS_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qvsim {

class ParamKeys {
 public:
    // Takes the keys; false (and no keys) when one is given twice, with
    // *duplicate set to the position of its second occurrence.
    bool Assign(const std::vector<int32_t>& keys, std::size_t* duplicate);

    const std::vector<int32_t>& Keys() const { return keys_; }
    // Position of key, or -1.
    int Find(int32_t key) const {
        if (slots_.empty()) return -1;
        for (std::size_t i = Hash(key, shift_);; i = (i + 1) & mask_) {
            const int32_t pos = slots_[i];
            if (pos < 0 || keys_[static_cast<std::size_t>(pos)] == key) return pos;
        }
    }

 private:
    // Fibonacci hashing: the top bits of the key times 2^32 / phi.
    static std::size_t Hash(int32_t key, unsigned shift) {
        return static_cast<std::size_t>((static_cast<uint32_t>(key) * 0x9E3779B1u) >> shift);
    }
    std::vector<int32_t> keys_;
    std::vector<int32_t> slots_;  // position of the key, or -1; power-of-two size
    std::size_t mask_ = 0;
    unsigned shift_ = 32;
};

}  // namespace qvsim

#endif  // QVHOSTSIM_PARAMKEYS_H
