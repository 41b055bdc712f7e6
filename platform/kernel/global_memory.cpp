// Movable memory blocks: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree, GlobalSize.
#include "platform/kernel/global_memory.h"
#include "platform/handle_table.h"
#include "platform/win.h"

#include <memory>
#include <new>

namespace {

struct Block {
    std::unique_ptr<char[]> bytes;
    SIZE_T size = 0;
    int lock_count = 0;
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
