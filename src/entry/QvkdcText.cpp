#include "entry/QvkdcText.h"

#include <charconv>

namespace {
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
}  // namespace

std::string_view QvkdcTrim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

std::string_view QvkdcTrim(const char* text) {
    return QvkdcTrim(std::string_view(text));
}

void QvkdcAppendIndex3(int value, std::string* out) {
    char digits[16];
    const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    const auto res = std::to_chars(digits, digits + sizeof digits, magnitude);
    const std::size_t len = static_cast<std::size_t>(res.ptr - digits);
    if (value < 0) out->push_back('-');
    if (len < 3) out->append(3 - len, '0');
    out->append(digits, len);
}
