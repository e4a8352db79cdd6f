#include "support/ScopedLocale.h"

#include <clocale>

ScopedLocale::ScopedLocale(const char* name) : ok_(false) {
    const char* const cur = std::setlocale(LC_ALL, nullptr);
    previous_ = cur != nullptr ? cur : "C";
    ok_ = std::setlocale(LC_ALL, name) != nullptr;
}

ScopedLocale::~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }

std::string ScopedLocale::DecimalPoint() {
    const std::lconv* const lc = std::localeconv();
    return lc != nullptr && lc->decimal_point != nullptr ? lc->decimal_point
                                                          : "";
}
