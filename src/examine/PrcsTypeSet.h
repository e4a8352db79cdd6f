// Type set A: the process types whose local coordinate axis is written and
// whose pitch value is read under key 1122 (all other types: 1274).
#ifndef QVKDC_EXAMINE_PRCSTYPESET_H
#define QVKDC_EXAMINE_PRCSTYPESET_H

#include <cstdint>

// Bit (code - 2411) of kPrcsTypeSetABits is set for every member code from
// 2411 to 2448; 2502 is the one member outside that range.
constexpr int kPrcsTypeSetAFirst = 2411;
constexpr int kPrcsTypeSetALast = 2448;
constexpr int kPrcsTypeSetAExtra = 2502;

namespace prcs_type_set_detail {
constexpr std::uint64_t Bit(int iCode) {
    return std::uint64_t{1} << (iCode - kPrcsTypeSetAFirst);
}
constexpr std::uint64_t Range(int iFirst, int iLast) {
    std::uint64_t bits = 0;
    for (int c = iFirst; c <= iLast; ++c) bits |= Bit(c);
    return bits;
}
}  // namespace prcs_type_set_detail

// 2411-2417, 2419-2422, 2437, 2438, 2441, 2442, 2446-2448.
constexpr std::uint64_t kPrcsTypeSetABits =
    prcs_type_set_detail::Range(2411, 2417) |
    prcs_type_set_detail::Range(2419, 2422) |
    prcs_type_set_detail::Range(2437, 2438) |
    prcs_type_set_detail::Range(2441, 2442) |
    prcs_type_set_detail::Range(2446, 2448);

// True when iNctyp, a process type code, is in type set A.
constexpr bool IsPrcsTypeSetA(int iNctyp) {
    if (iNctyp == kPrcsTypeSetAExtra) return true;
    if (iNctyp < kPrcsTypeSetAFirst || iNctyp > kPrcsTypeSetALast) return false;
    return (kPrcsTypeSetABits & prcs_type_set_detail::Bit(iNctyp)) != 0;
}

#endif  // QVKDC_EXAMINE_PRCSTYPESET_H
