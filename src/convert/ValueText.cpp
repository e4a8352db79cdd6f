#include "examine/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "examine/TextTrim.h"

namespace {

// Longest "%.6f" text of a double: sign, 309 integer digits, point, six
// decimals.
constexpr std::size_t kRealTextMax = 1 + 309 + 1 + 6;

__extension__ typedef unsigned __int128 Uint128;

// "00" to "99".
struct DigitPairs {
    char text[200];
    constexpr DigitPairs() : text() {
        for (int i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr DigitPairs kDigitPairs;

// Rounds fraction / 2^shift (fraction < 2^shift) to nearest millionths,
// ties to even. T holds fraction * 10^6.
template <typename T>
uint64_t Millionths(uint64_t fraction, int shift) {
    const T scaled = static_cast<T>(fraction) * 1000000u;
    const T half = static_cast<T>(1) << (shift - 1);
    const T rest = scaled & ((half << 1) - 1);
    uint64_t millionths = static_cast<uint64_t>(scaled >> shift);
    if (rest > half || (rest == half && (millionths & 1) != 0)) ++millionths;
    return millionths;
}

// "%.6f" of a finite v whose magnitude is below 2^63, with exact integer
// arithmetic: v is m * 2^e, and its millionths m * 10^6 * 2^e are rounded
// to nearest, ties to even, as the C library rounds. False for a larger v.
bool FixedSix(double v, char* buf, char** end) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t m = bits & ((uint64_t{1} << 52) - 1);
    int e = -1074;
    if (exponent != 0) {
        m |= uint64_t{1} << 52;
        e = exponent - 1075;
    }
    if (e > 10) return false;
    uint64_t whole = 0;
    uint64_t millionths = 0;
    if (e >= 0) {
        whole = m << e;
    } else {
        const int shift = -e;
        if (shift <= 44) {  // the fraction times 10^6 fits 64 bits
            whole = m >> shift;
            millionths = Millionths<uint64_t>(m & ((uint64_t{1} << shift) - 1), shift);
        } else if (shift < 64) {
            whole = m >> shift;
            millionths = Millionths<Uint128>(m & ((uint64_t{1} << shift) - 1), shift);
        } else if (shift < 128) {
            millionths = Millionths<Uint128>(m, shift);
        }
        if (millionths == 1000000) {
            ++whole;
            millionths = 0;
        }
    }
    char* p = buf;
    if ((bits >> 63) != 0) *p++ = '-';
    p = std::to_chars(p, p + 20, whole).ptr;
    *p++ = '.';
    const uint64_t high = millionths / 10000;
    const uint64_t low = millionths % 10000;
    std::memcpy(p, &kDigitPairs.text[2 * high], 2);
    std::memcpy(p + 2, &kDigitPairs.text[2 * (low / 100)], 2);
    std::memcpy(p + 4, &kDigitPairs.text[2 * (low % 100)], 2);
    *end = p + 6;
    return true;
}

void Enclose(std::string& ioText, std::size_t quotes) {
    const std::string_view kept = TrimSpace(ioText);
    const std::size_t first = static_cast<std::size_t>(kept.data() - ioText.data());
    ioText.resize(first + kept.size());
    ioText.erase(0, first);
    if (ioText.empty()) return;
    ioText.insert(0, quotes, '"');
    ioText.append(quotes, '"');
}

}  // namespace

void CnvIntVal(const int* iVal, std::string& oText) {
    oText.clear();
    AppendIntVal(iVal, oText);
}

void CnvRealVal(const double* iVal, std::string& oText) {
    oText.clear();
    AppendRealVal(iVal, oText);
}

void AppendIntVal(const int* iVal, std::string& ioText) {
    if (iVal == nullptr) return;
    char buf[16];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, *iVal);
    ioText.append(buf, r.ptr);
}

void AppendRealVal(const double* iVal, std::string& ioText) {
    if (iVal == nullptr || !std::isfinite(*iVal)) return;
    char buf[kRealTextMax + 8];
    char* end = nullptr;
    if (FixedSix(*iVal, buf, &end)) {
        ioText.append(buf, end);
        return;
    }
    const std::to_chars_result r = std::to_chars(
        buf, buf + sizeof buf, *iVal, std::chars_format::fixed, 6);
    if (r.ec == std::errc()) ioText.append(buf, r.ptr);
}

void AppendQuotedText(std::string_view iText, std::string& ioText) {
    const std::string_view text = TrimSpace(iText);
    if (text.empty()) return;
    ioText.append("\"\"\"", 3).append(text).append("\"\"\"", 3);
}

void AppendCommentText(std::string_view iText, std::string& ioText) {
    const std::size_t start = ioText.size();
    AppendQuotedText(iText, ioText);
    if (ioText.size() == start) return;
    const auto first = ioText.begin() + static_cast<std::ptrdiff_t>(start) + 3;
    const auto last = ioText.end() - 3;
    std::replace(first, last, '"', '_');
    std::replace(first, last, ',', '_');
}

void AppendToolCheckText(std::string_view iTSetForm, std::string_view iText,
                         std::string& ioScratch, std::string& ioText) {
    ioScratch.assign(iText);
    EncloseDblQuot(ioScratch);
    if (ioScratch.empty()) return;
    ioScratch.insert(0, 1, '=');
    ioScratch.insert(0, iTSetForm);
    EncloseQuot(ioScratch);
    ioText.append(ioScratch);
}

void EncloseQuot(std::string& ioText) { Enclose(ioText, 1); }

void EncloseDblQuot(std::string& ioText) { Enclose(ioText, 2); }
