// Records for which Wine is no oracle, by the rules gdi-rules.md documents (a predicate on the
// record, never a list of cases).
#pragma once

#include "gfx/state.h"

// Null when Wine's pixels are expected to be the stand-in's; else why they are not.
const char *wine_exception(const DrawRecord &record);

// Whether the outline walk of an ellipse in a W x H box (W, H >= 3) reaches the box's last row.
// Wine stops the walk once it passes the middle column; for some tall, narrow boxes that comes
// before the last row, and Wine then fills the rows it never reached with garbage.
bool ellipse_walk_reaches_last_row(int64_t width, int64_t height);
