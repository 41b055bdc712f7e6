// A small fixed pseudo-random generator (SplitMix64). The corpus is drawn from it rather than
// from the standard library's distributions, whose results differ between implementations:
// every build makes the same corpus from the same seed.
#pragma once

#include <cstdint>

struct Prng {
    uint64_t state;

    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A value from lo to hi, both included (lo <= hi).
    int32_t between(int32_t lo, int32_t hi) {
        uint64_t span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
        return int32_t(int64_t(lo) + int64_t(next() % span));
    }
    // True with the given chance in percent.
    bool chance(int percent) { return next() % 100 < uint64_t(percent); }
};
