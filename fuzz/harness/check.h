// A broken promise found while fuzzing: says which and aborts, so that the fuzzer keeps the
// input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

// Marks a function the fuzzers' coverage and the sanitizers leave out: checks that look at
// every pixel would otherwise cost an instrumented comparison and a checked read each.
#if defined(__clang__)
#define HARNESS_UNTRACED __attribute__((no_sanitize("coverage", "address", "undefined")))
#else
#define HARNESS_UNTRACED
#endif

#define HARNESS_CHECK(condition, ...)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s: ", __FILE__, __LINE__, #condition);     \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fprintf(stderr, "\n");                                                            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
