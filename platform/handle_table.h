// Tables of objects addressed by handle values.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// The kinds of object the stand-in hands out handles for. The kind is part of every handle's
// value, so a handle of one kind is never taken for an object of another.
enum class HandleKind : uint8_t {
    Window = 1,
    DeviceContext,
    Pen,
    Brush,
    Font,
    Bitmap,
    Menu,
    Memory,
    Resource, // instances, icons, cursors: tokens with no object behind them
};

// Handle value layout: generation in the high 32 bits, kind in bits 24..31, slot index + 1 in
// bits 0..23. Zero is never a valid handle, and neither is -1 (GDI's error value).
inline HandleKind handle_kind(uintptr_t value) {
    return HandleKind((value >> 24) & 0xFF);
}

// Objects of one kind in slots. A removed object's slot is reused with a new generation, so the
// handles that named the old object no longer resolve: a stale handle finds nothing. Each slot
// has storage of its own that never moves, so an object stays at one address for its life,
// whatever is added or removed meanwhile.
template <typename T>
class HandleTable {
  public:
    explicit HandleTable(HandleKind kind) : kind_(kind) {}

    uintptr_t add(T object) {
        uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            index = uint32_t(slots_.size());
            slots_.push_back(std::make_unique<Slot>());
        }
        Slot &slot = *slots_[index];
        slot.generation++;
        slot.used = true;
        slot.object = std::move(object);
        return value_of(index, slot.generation);
    }

    T *find(uintptr_t value) {
        uint32_t index;
        if (!resolve(value, index)) return nullptr;
        return &slots_[index]->object;
    }

    bool remove(uintptr_t value) {
        uint32_t index;
        if (!resolve(value, index)) return false;
        slots_[index]->used = false;
        slots_[index]->object = T{};
        free_.push_back(index);
        return true;
    }

    // Calls f(handle, object) for every live object, in slot order.
    template <typename F>
    void for_each(F f) {
        for (uint32_t i = 0; i < slots_.size(); i++)
            if (slots_[i]->used) f(value_of(i, slots_[i]->generation), slots_[i]->object);
    }

    void clear() {
        for (uint32_t i = 0; i < slots_.size(); i++) {
            if (!slots_[i]->used) continue;
            slots_[i]->used = false;
            slots_[i]->object = T{};
            free_.push_back(i);
        }
    }

  private:
    struct Slot {
        uint32_t generation = 0;
        bool used = false;
        T object{};
    };

    uintptr_t value_of(uint32_t index, uint32_t generation) const {
        return (uintptr_t(generation) << 32) | (uintptr_t(kind_) << 24) | uintptr_t(index + 1);
    }

    bool resolve(uintptr_t value, uint32_t &index) const {
        if (handle_kind(value) != kind_) return false;
        uint32_t low = uint32_t(value & 0xFFFFFF);
        if (low == 0 || low > slots_.size()) return false;
        index = low - 1;
        const Slot &slot = *slots_[index];
        return slot.used && slot.generation == uint32_t(value >> 32);
    }

    HandleKind kind_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::vector<uint32_t> free_;
};

} // namespace platform
