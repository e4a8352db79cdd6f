#include "convert/ValueText.h"

#include <charconv>
#include <cmath>

#include "model/TextTrim.h"

namespace {

// Longest "%.6f" text of a double: sign, 309 integer digits, point, six
// decimals.
constexpr std::size_t kRealTextMax = 1 + 309 + 1 + 6;

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
    if (iVal == nullptr) return;
    char buf[16];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, *iVal);
    oText.assign(buf, r.ptr);
}

void CnvRealVal(const double* iVal, std::string& oText) {
    oText.clear();
    if (iVal == nullptr || !std::isfinite(*iVal)) return;
    char buf[kRealTextMax + 8];
    const std::to_chars_result r = std::to_chars(
        buf, buf + sizeof buf, *iVal, std::chars_format::fixed, 6);
    if (r.ec != std::errc()) return;
    oText.assign(buf, r.ptr);
}

void EncloseQuot(std::string& ioText) { Enclose(ioText, 1); }

void EncloseDblQuot(std::string& ioText) { Enclose(ioText, 2); }
