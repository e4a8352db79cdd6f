// ScopedLocale: switches the C locale of the test process for one scope and
// restores the previous one on exit.
#ifndef QVKDC_TESTS_SUPPORT_SCOPEDLOCALE_H
#define QVKDC_TESTS_SUPPORT_SCOPEDLOCALE_H

#include <cstdlib>
#include <string>

class ScopedLocale {
 public:
    // Tries setlocale(LC_ALL, name); ok() tells whether it took.
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool ok() const { return ok_; }
    // The decimal point of the locale now in force.
    static std::string DecimalPoint();

 private:
    std::string previous_;
    bool ok_;
};

// A locale with a decimal comma, by the name the C run time knows it.
#if defined(_WIN32)
#define QVKDC_DECIMAL_COMMA_LOCALE "German_Germany.1252"
#else
#define QVKDC_DECIMAL_COMMA_LOCALE "de_DE.UTF-8"
#endif

// Switches to the decimal comma locale. Where it is not installed the
// calling test is skipped with a message, or fails when the environment
// variable CI is set (CI generates the locale).
#define QVKDC_ENTER_DECIMAL_COMMA_LOCALE(guard)                              \
    ScopedLocale guard(QVKDC_DECIMAL_COMMA_LOCALE);                          \
    if (!guard.ok()) {                                                       \
        if (std::getenv("CI") != nullptr) {                                  \
            FAIL() << "locale " QVKDC_DECIMAL_COMMA_LOCALE                   \
                      " is missing (locale-gen it)";                         \
        }                                                                    \
        GTEST_SKIP() << "locale " QVKDC_DECIMAL_COMMA_LOCALE                 \
                        " is not installed; "                                \
                        "run locale-gen to test under a decimal comma";      \
    }                                                                        \
    ASSERT_EQ(ScopedLocale::DecimalPoint(), ",")

#endif  // QVKDC_TESTS_SUPPORT_SCOPEDLOCALE_H
