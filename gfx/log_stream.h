// A copy of every log line, for tools and tests.
#pragma once

#include <cstdio>

// When not null, gfx_log also writes each line it produces here, in order, exactly as formatted.
extern FILE *gfx_log_stream;
