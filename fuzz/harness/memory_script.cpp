#include "fuzz/harness/memory_script.h"

#include "gfx/observe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/types.h>

namespace harness {

namespace {

// One open stream of the script.
struct Stream {
    MemoryScript *script;
    size_t position = 0;
};

ssize_t read_script(void *cookie, char *buffer, size_t size) {
    Stream &s = *static_cast<Stream *>(cookie);
    if (s.position >= s.script->readable) return -1;
    size_t left = s.position < s.script->content.size() ? s.script->content.size() - s.position : 0;
    size_t count = std::min({size, left, s.script->readable - s.position});
    std::memcpy(buffer, s.script->content.data() + s.position, count);
    s.position += count;
    return ssize_t(count);
}

ssize_t write_script(void *cookie, const char *buffer, size_t size) {
    Stream &s = *static_cast<Stream *>(cookie);
    std::string &content = s.script->content;
    size_t room = content.size() < s.script->writable ? s.script->writable - content.size() : 0;
    if (room == 0) return -1;
    size_t count = std::min(size, room);
    content.append(buffer, count);
    return ssize_t(count);
}

int close_script(void *cookie) {
    delete static_cast<Stream *>(cookie);
    return 0;
}

FILE *open_script(bool writing, void *context) {
    auto *script = static_cast<MemoryScript *>(context);
    if (writing) script->content.clear();
    cookie_io_functions_t functions = {};
    functions.read = writing ? nullptr : read_script;
    functions.write = writing ? write_script : nullptr;
    functions.close = close_script;
    auto *stream = new Stream{script};
    FILE *file = fopencookie(stream, writing ? "w" : "r", functions);
    if (!file) delete stream;
    return file;
}

} // namespace

void MemoryScript::install() {
    redirect_script(open_script, this);
}

} // namespace harness
