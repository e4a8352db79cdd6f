// FuzzCheck: the properties a fuzz target asserts after every input.
#ifndef QVKDC_FUZZ_FUZZCHECK_H
#define QVKDC_FUZZ_FUZZCHECK_H

#include <cstdio>
#include <cstdlib>

// Stops the run with what failed when ok is false; libFuzzer keeps the
// input as a crash.
inline void FuzzCheck(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

#endif  // QVKDC_FUZZ_FUZZCHECK_H
