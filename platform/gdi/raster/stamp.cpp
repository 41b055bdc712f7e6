// Round stamps: a table of spans for the usual widths, the ellipse rows for the others.
#include "platform/gdi/raster/stamp.h"
#include "platform/gdi/raster/ellipse_rows.h"

namespace raster {

namespace {

// The stamps of all table widths one after another: w rows for width w, after the
// 2 + 3 + ... + (w-1) = (w-2)(w+1)/2 rows of the narrower ones.
struct StampTable {
    static constexpr int ROWS = (MAX_TABLE_STAMP + 2) * (MAX_TABLE_STAMP - 1) / 2;
    int16_t left[ROWS];
    int16_t right[ROWS];

    static int first_row(int w) { return (w - 2) * (w + 1) / 2; }

    StampTable() {
        for (int w = 2; w <= MAX_TABLE_STAMP; w++) {
            int base = first_row(w);
            for (int k = 0; k < w; k++) left[base + k] = 1, right[base + k] = 0;
            for_each_outline_row(-(w / 2), -(w / 2), w, w, -w, w, [&](const OutlineRow &r) {
                left[base + r.y + w / 2] = int16_t(r.left_first);
                right[base + r.y + w / 2] = int16_t(r.right_first);
            });
        }
    }
};

const StampTable &stamp_table() {
    static const StampTable table;
    return table;
}

} // namespace

StampRows stamp_rows(int w) {
    const StampTable &t = stamp_table();
    int base = StampTable::first_row(w);
    return StampRows{w, t.left + base, t.right + base};
}

void fill_stamp(const Clip &c, Point64 p, int64_t w, uint32_t color) {
    const int64_t top = p.y - w / 2, left = p.x - w / 2;
    if (top >= c.bottom || top + w <= c.top || left >= c.right || left + w <= c.left) return;
    if (w <= MAX_TABLE_STAMP) {
        StampRows rows = stamp_rows(int(w));
        int64_t k0 = std::max<int64_t>(0, c.top - top), k1 = std::min<int64_t>(w, c.bottom - top);
        for (int64_t k = k0; k < k1; k++)
            fill_span(c, top + k, p.x + rows.left[k], p.x + rows.right[k], color);
        return;
    }
    for_each_outline_row(left, top, w, w, c.top, c.bottom - 1, [&](const OutlineRow &r) {
        fill_span(c, r.y, r.left_first, r.right_first, color);
    });
}

} // namespace raster
