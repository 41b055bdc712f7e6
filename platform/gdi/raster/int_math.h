// Exact integer helpers for the rasterizer: products of pixel coordinates need more than 64 bits.
#pragma once

#include <cstdint>

namespace raster {

// __extension__ keeps -Wpedantic quiet about the compiler's 128-bit integer.
__extension__ typedef __int128 int128;

// Rounds num / den towards +infinity and -infinity; den > 0.
inline int128 ceil_div(int128 num, int128 den) {
    int128 q = num / den;
    if (num % den != 0 && num > 0) q++;
    return q;
}
inline int128 floor_div(int128 num, int128 den) {
    int128 q = num / den;
    if (num % den != 0 && num < 0) q--;
    return q;
}

inline int64_t abs64(int64_t v) {
    return v < 0 ? -v : v;
}

} // namespace raster
