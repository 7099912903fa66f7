// Property checks of the fuzz targets: a failed property prints what failed
// and aborts, which libFuzzer (and the corpus replay) reports as a finding
// with the input that caused it.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond)                                                                         \
    do {                                                                                         \
        if (!(cond)) {                                                                           \
            std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)

// An exception the code under test must never throw.
[[noreturn]] inline void fuzzUnexpected(const char* where, const std::string& what) {
    std::fprintf(stderr, "fuzz property failed: unexpected exception in %s: %.300s\n", where, what.c_str());
    std::abort();
}
