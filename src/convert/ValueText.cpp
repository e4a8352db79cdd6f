#include "convert/ValueText.h"

#include <charconv>
#include <cmath>

namespace {

// Longest "%.6f" text of a double: sign, 309 integer digits, point, six
// decimals.
constexpr std::size_t kRealTextMax = 1 + 309 + 1 + 6;

void Enclose(std::string& ioText, std::size_t quotes) {
    TrimText(ioText);
    if (ioText.empty()) return;
    ioText.insert(0, quotes, '"');
    ioText.append(quotes, '"');
}

}  // namespace

std::string_view TrimView(std::string_view iText) {
    std::size_t first = 0;
    std::size_t last = iText.size();
    while (first < last && IsTrimSpace(iText[first])) ++first;
    while (last > first && IsTrimSpace(iText[last - 1])) --last;
    return iText.substr(first, last - first);
}

void TrimText(std::string& ioText) {
    std::size_t last = ioText.size();
    while (last > 0 && IsTrimSpace(ioText[last - 1])) --last;
    ioText.resize(last);
    std::size_t first = 0;
    while (first < last && IsTrimSpace(ioText[first])) ++first;
    ioText.erase(0, first);
}

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
