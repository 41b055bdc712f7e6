// Exact integer helpers for the rasterizer: products of pixel coordinates need more than 64 bits.
#pragma once

#include <cstdint>

namespace raster {

// __extension__ keeps -Wpedantic quiet about the compiler's 128-bit integer.
__extension__ typedef __int128 int128;

// Rounds num / den towards +infinity and -infinity; den > 0. Most operands fit in 64 bits,
// where division is several times cheaper.
inline bool fits64(int128 v) {
    return v == int128(int64_t(v));
}
inline int128 ceil_div(int128 num, int128 den) {
    if (fits64(num) && fits64(den)) {
        const int64_t n = int64_t(num), d = int64_t(den);
        return n / d + (n % d != 0 && n > 0);
    }
    int128 q = num / den;
    if (num % den != 0 && num > 0) q++;
    return q;
}
inline int128 floor_div(int128 num, int128 den) {
    if (fits64(num) && fits64(den)) {
        const int64_t n = int64_t(num), d = int64_t(den);
        return n / d - (n % d != 0 && n < 0);
    }
    int128 q = num / den;
    if (num % den != 0 && num < 0) q--;
    return q;
}

inline int64_t abs64(int64_t v) {
    return v < 0 ? -v : v;
}

} // namespace raster
