// Reading back the records the package's drawing calls write to gfx_record_stream.
#pragma once

#include "tools/conformance/corpus.h"

#include <cstdio>
#include <string>
#include <vector>

// Reads records from the stream's position up to `end` (a position ftell gave) and appends them.
// False, with an error, when a record is cut short or would run past `end`.
bool read_records(FILE *stream, long end, std::vector<CorpusRecord> &records, std::string &error);
