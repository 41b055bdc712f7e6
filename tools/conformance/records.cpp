#include "tools/conformance/records.h"

#include "gfx/observe.h"

namespace {

// What a record was drawn as, named as the corpus names it: a filled oval in a square box is
// a circle.
const char *kind_of(const DrawRecord &r) {
    switch (r.shape) {
    case SHAPE_TRIANGLE: return "triangle";
    case SHAPE_RECTANGLE: return "rectangle";
    case SHAPE_OVAL: return r.width == 0 && r.x2 - r.x1 == r.y1 - r.y2 ? "circle" : "oval";
    case SHAPE_LINE: return "line";
    case SHAPE_PIXEL: return "pixel";
    default: return "text";
    }
}

// The record observer: keeps each record, its text held by value and its block forgotten.
void keep(const DrawRecord &record, const char *text, void *records) {
    CorpusRecord entry{record, text ? text : "", kind_of(record)};
    entry.record.text = nullptr;
    static_cast<std::vector<CorpusRecord> *>(records)->push_back(entry);
}

} // namespace

std::vector<CorpusRecord> capture_records(const std::function<void()> &draw) {
    std::vector<CorpusRecord> records;
    RecordObserver previous = record_observer;
    void *previous_context = record_observer_context;
    observe_records(keep, &records);
    draw();
    observe_records(previous, previous_context);
    return records;
}
