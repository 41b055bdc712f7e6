// Capturing the records the package's drawing calls build, instead of painting them.
#pragma once

#include "tools/conformance/corpus.h"

#include <functional>
#include <vector>

// The records that `draw` builds through the drawing calls, with their texts, in order; nothing
// is painted meanwhile. The record observer installed before is installed again afterwards.
std::vector<CorpusRecord> capture_records(const std::function<void()> &draw);
