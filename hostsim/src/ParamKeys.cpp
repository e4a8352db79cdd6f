#include "ParamKeys.h"

namespace qvsim {

bool ParamKeys::Assign(const std::vector<int32_t>& keys, std::size_t* duplicate) {
    keys_.clear();
    slots_.clear();
    std::size_t size = 8;
    unsigned shift = 29;
    while (size < keys.size() * 2) {
        size *= 2;
        --shift;
    }
    std::vector<int32_t> slots(size, -1);
    const std::size_t mask = size - 1;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        std::size_t i = Hash(keys[k], shift);
        while (slots[i] >= 0) {
            if (keys[static_cast<std::size_t>(slots[i])] == keys[k]) {
                *duplicate = k;
                return false;
            }
            i = (i + 1) & mask;
        }
        slots[i] = static_cast<int32_t>(k);
    }
    keys_ = keys;
    slots_.swap(slots);
    mask_ = mask;
    shift_ = shift;
    return true;
}

}  // namespace qvsim
