#include "entry/QvkdcText.h"

#include <charconv>

void QvkdcAppendIndex3(int value, std::string* out) {
    char digits[16];
    const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    const auto res = std::to_chars(digits, digits + sizeof digits, magnitude);
    const std::size_t len = static_cast<std::size_t>(res.ptr - digits);
    if (value < 0) out->push_back('-');
    if (len < 3) out->append(3 - len, '0');
    out->append(digits, len);
}
