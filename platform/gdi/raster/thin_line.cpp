// One-pixel lines: the grid-intersection rule, clipped by computing the visible steps.
#include "platform/gdi/raster/thin_line.h"
#include "platform/gdi/raster/int_math.h"

namespace raster {

namespace {

// The line as steps i = 0 ... n-1 along the major axis; the minor coordinate of step i is
// minor0 + ceil((2*i*d - n) / (2n)), which rounds i*d/n to nearest with halves going down.
struct Steps {
    int64_t major0, minor0;
    int64_t major_sign; // +1 or -1
    int64_t n;          // |major delta| > 0
    int64_t d;          // signed minor delta, |d| <= n

    int64_t minor_at(int64_t i) const {
        return minor0 + int64_t(ceil_div(int128(2) * i * d - n, int128(2) * n));
    }
};

// First step in [lo, hi] whose minor coordinate passes `ok`, for a predicate that is false
// then true along the steps; hi + 1 when none does.
template <typename Ok>
int64_t first_step(const Steps &s, int64_t lo, int64_t hi, Ok ok) {
    int64_t a = lo, b = hi + 1;
    while (a < b) {
        int64_t mid = a + (b - a) / 2;
        if (ok(s.minor_at(mid)))
            b = mid;
        else
            a = mid + 1;
    }
    return a;
}

// Narrows [lo, hi] to the steps whose minor coordinate lies in [min_lo, min_hi].
void clip_minor(const Steps &s, int64_t min_lo, int64_t min_hi, int64_t &lo, int64_t &hi) {
    if (lo > hi) return;
    if (s.d >= 0) { // minor coordinate grows with i
        lo = first_step(s, lo, hi, [&](int64_t v) { return v >= min_lo; });
        hi = first_step(s, lo, hi, [&](int64_t v) { return v > min_hi; }) - 1;
    } else {
        lo = first_step(s, lo, hi, [&](int64_t v) { return v <= min_hi; });
        hi = first_step(s, lo, hi, [&](int64_t v) { return v < min_lo; }) - 1;
    }
}

} // namespace

void thin_line(const Clip &c, Point64 p0, Point64 p1, uint32_t color) {
    int64_t dx = p1.x - p0.x, dy = p1.y - p0.y;
    if (dx == 0 && dy == 0) return;
    if (dy == 0) {
        if (dx > 0)
            fill_span(c, p0.y, p0.x, p1.x - 1, color);
        else
            fill_span(c, p0.y, p1.x + 1, p0.x, color);
        return;
    }

    bool x_major = abs64(dx) > abs64(dy);
    Steps s;
    s.major0 = x_major ? p0.x : p0.y;
    s.minor0 = x_major ? p0.y : p0.x;
    int64_t major_delta = x_major ? dx : dy;
    s.major_sign = major_delta > 0 ? 1 : -1;
    s.n = abs64(major_delta);
    s.d = x_major ? dy : dx;

    // Visible steps along the major axis.
    int64_t maj_lo = x_major ? c.left : c.top, maj_hi = (x_major ? c.right : c.bottom) - 1;
    int64_t min_lo = x_major ? c.top : c.left, min_hi = (x_major ? c.bottom : c.right) - 1;
    int64_t lo = 0, hi = s.n - 1;
    if (s.major_sign > 0) {
        lo = std::max(lo, maj_lo - s.major0);
        hi = std::min(hi, maj_hi - s.major0);
    } else {
        lo = std::max(lo, s.major0 - maj_hi);
        hi = std::min(hi, s.major0 - maj_lo);
    }
    if (lo > hi) return;
    // The minor coordinates lie between those of the two end points; search only when some
    // of them can fall outside the clip.
    int64_t minor1 = x_major ? p1.y : p1.x;
    if (std::min(s.minor0, minor1) < min_lo || std::max(s.minor0, minor1) > min_hi) {
        clip_minor(s, min_lo, min_hi, lo, hi);
        if (lo > hi) return;
    }

    // Walk the visible steps; num = 2*i*d - n = q * 2n - r with 0 <= r < 2n.
    const int64_t two_n = 2 * s.n, two_d = 2 * s.d;
    int128 num = int128(2) * lo * s.d - s.n;
    int64_t q = int64_t(ceil_div(num, two_n));
    int64_t r = int64_t(int128(q) * two_n - num);
    int64_t major = s.major0 + s.major_sign * lo;
    int64_t minor = s.minor0 + q;
    const int64_t major_step = x_major ? s.major_sign : s.major_sign * c.stride;
    const int64_t minor_unit = x_major ? c.stride : 1;
    // An index rather than a pointer: after the last pixel it may point outside the block.
    uint32_t *const pixels = c.pixels;
    int64_t at = x_major ? minor * c.stride + major : major * c.stride + minor;
    int64_t count = hi - lo + 1;
    if (two_d >= 0) {
        for (int64_t k = 0; k < count; k++) {
            pixels[at] = color;
            at += major_step;
            r -= two_d;
            if (r < 0) {
                r += two_n;
                at += minor_unit;
            }
        }
    } else {
        for (int64_t k = 0; k < count; k++) {
            pixels[at] = color;
            at += major_step;
            r -= two_d;
            if (r >= two_n) {
                r -= two_n;
                at -= minor_unit;
            }
        }
    }
}

} // namespace raster
