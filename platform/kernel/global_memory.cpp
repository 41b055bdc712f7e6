// Movable memory blocks: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree, GlobalSize.
#include "platform/kernel/global_memory.h"
#include "platform/handle_table.h"
#include "platform/win.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

struct Block {
    std::unique_ptr<char[]> bytes;
    SIZE_T size = 0;
    int lock_count = 0;

    Block() = default;
    Block(Block &&) = default;
    Block &operator=(Block &&) = default;
    // A copy has bytes of its own (save_memory keeps copies).
    Block(const Block &other) { *this = other; }
    Block &operator=(const Block &other) {
        if (this == &other) return *this;
        bytes.reset(other.bytes ? new char[other.size > 0 ? other.size : 1] : nullptr);
        if (other.bytes) std::copy_n(other.bytes.get(), other.size, bytes.get());
        size = other.size;
        lock_count = other.lock_count;
        return *this;
    }
};

platform::HandleTable<Block> &blocks() {
    static platform::HandleTable<Block> table{platform::HandleKind::Memory};
    return table;
}

int failures_to_inject = 0;

Block *find(HGLOBAL handle) {
    return blocks().find(reinterpret_cast<uintptr_t>(handle));
}

} // namespace

namespace kernel {

void fail_next_allocations(int count) {
    failures_to_inject = count;
}

int live_blocks() {
    int count = 0;
    blocks().for_each([&](uintptr_t, Block &) { count++; });
    return count;
}

void reset_memory() {
    blocks().clear();
    failures_to_inject = 0;
}

namespace {
platform::HandleTable<Block>::Saved saved_blocks;
int saved_failures = 0;
} // namespace

void save_memory() {
    saved_blocks = blocks().save();
    saved_failures = failures_to_inject;
}

void restore_memory() {
    blocks().restore(saved_blocks);
    failures_to_inject = saved_failures;
}

} // namespace kernel

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (failures_to_inject > 0) {
        failures_to_inject--;
        return nullptr;
    }
    Block block;
    block.size = bytes;
    // Even an empty block gets storage, so that locking it gives a usable pointer.
    block.bytes.reset(new (std::nothrow) char[bytes > 0 ? bytes : 1]);
    if (!block.bytes) return nullptr;
    if (flags & GMEM_ZEROINIT)
        for (SIZE_T i = 0; i < bytes; i++) block.bytes[i] = 0;
    return reinterpret_cast<HGLOBAL>(blocks().add(std::move(block)));
}

LPVOID GlobalLock(HGLOBAL handle) {
    Block *block = find(handle);
    if (!block) return nullptr;
    block->lock_count++;
    return block->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL handle) {
    Block *block = find(handle);
    if (!block || block->lock_count == 0) return FALSE;
    block->lock_count--;
    return block->lock_count > 0;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
    // Windows returns null on success and the handle on failure.
    return blocks().remove(reinterpret_cast<uintptr_t>(handle)) ? nullptr : handle;
}

SIZE_T GlobalSize(HGLOBAL handle) {
    Block *block = find(handle);
    return block ? block->size : 0;
}
