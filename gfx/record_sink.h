// The draw records the drawing calls build, for tools and tests.
#pragma once

#include "gfx/state.h"

// When not null, each drawing call hands the record it builds to this function instead of
// painting it into the canvas. A text record's block lives only during the call.
extern void (*gfx_record_sink)(const DrawRecord *record);
