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

// The canvas font's character height (em) in pixels for a text record's point size: the point
// size itself, but 0 asks GDI for its default 16-pixel cell, an em of 14.
int text_em(const DrawRecord &record);

// Whether Wine draws a text record anti-aliased: it renders grey wherever the font's gasp table
// asks for it, at ems of 8 pixels or less and of 18 or more for Liberation Sans. The stand-in
// draws every size in one bit.
bool wine_draws_text_grey(const DrawRecord &record);

// How a text record drawn by Wine and by the stand-in is compared.
enum TextComparison {
    TEXT_SAME_PIXELS, // drawn in one bit by both: every pixel must agree
    TEXT_BOXES,       // drawn grey by Wine: boxes must agree, by the rule text_rule states
    TEXT_UNJUDGED,    // too small to have a shape: differing pixels are only counted
};
TextComparison text_comparison(const DrawRecord &record);

// The rule for each kind of comparison, in a sentence or two, for the report.
const char *text_rule(TextComparison comparison);
