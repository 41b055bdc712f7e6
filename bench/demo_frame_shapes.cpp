// The frame's drawing records, captured instead of painted (tools/conformance's capture).
#include "bench/demo_frame.h"
#include "tools/conformance/records.h"

namespace bench {

std::vector<CorpusRecord> capture_shapes(void (*draw)()) {
    return capture_records(draw);
}

} // namespace bench
