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

// Handle values are as wide as a pointer, and hold a slot index + 1, the object's kind and the
// slot's generation:
//   64-bit: generation in the high 32 bits, kind in bits 24..31, slot index + 1 in bits 0..23;
//   32-bit: generation in bits 20..31 (it comes round after 4096 objects in one slot), kind in
//           bits 16..19, slot index + 1 in bits 0..15.
// Zero is never a valid handle (no slot 0), and neither is -1, GDI's error value (no kind has
// all its bits set).
template <typename Value>
struct HandleLayout {
    static constexpr bool WIDE = sizeof(Value) >= 8;
    static constexpr unsigned INDEX_BITS = WIDE ? 24 : 16;
    static constexpr unsigned KIND_BITS = WIDE ? 8 : 4;
    static constexpr unsigned GENERATION_SHIFT = INDEX_BITS + KIND_BITS;
    static constexpr uint32_t MAX_SLOTS = (uint32_t(1) << INDEX_BITS) - 1;
    static constexpr uint32_t GENERATION_MASK =
        uint32_t(~Value(0) >> GENERATION_SHIFT); // all ones in the generation's width

    static Value pack(uint32_t index, HandleKind kind, uint32_t generation) {
        return (Value(generation & GENERATION_MASK) << GENERATION_SHIFT) |
               (Value(kind) << INDEX_BITS) | Value(index + 1);
    }
    static HandleKind kind(Value value) {
        return HandleKind((value >> INDEX_BITS) & ((Value(1) << KIND_BITS) - 1));
    }
    // The slot index + 1; zero in no valid handle.
    static uint32_t slot(Value value) { return uint32_t(value & MAX_SLOTS); }
    static uint32_t generation(Value value) { return uint32_t(value >> GENERATION_SHIFT); }
};

inline HandleKind handle_kind(uintptr_t value) {
    return HandleLayout<uintptr_t>::kind(value);
}

// Objects of one kind in slots. A removed object's slot is reused with a new generation, so the
// handles that named the old object no longer resolve: a stale handle finds nothing. Each slot
// has storage of its own that never moves, so an object stays at one address for its life,
// whatever is added or removed meanwhile. Value is the handles' type (a pointer's width; another
// only in tests).
template <typename T, typename Value = uintptr_t>
class HandleTable {
    using Layout = HandleLayout<Value>;

  public:
    explicit HandleTable(HandleKind kind) : kind_(kind) {}

    // The new object's handle, or 0 when every slot a handle can name is taken.
    Value add(T object) {
        uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= Layout::MAX_SLOTS) return 0;
            index = uint32_t(slots_.size());
            slots_.push_back(std::make_unique<Slot>());
        }
        Slot &slot = *slots_[index];
        slot.generation++;
        slot.used = true;
        slot.object = std::move(object);
        return value_of(index, slot.generation);
    }

    T *find(Value value) {
        uint32_t index;
        if (!resolve(value, index)) return nullptr;
        return &slots_[index]->object;
    }

    bool remove(Value value) {
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

  public:
    // A copy of the table: the same objects under the same handles, to be put back by restore.
    struct Saved {
        std::vector<Slot> slots;
        std::vector<uint32_t> free;
    };

    Saved save() const {
        Saved saved;
        for (const auto &slot : slots_) saved.slots.push_back(*slot);
        saved.free = free_;
        return saved;
    }

    // Puts the table back as it was saved, handles and generations included. Each surviving slot
    // takes its saved object by assignment, so an object's own buffers keep their capacity.
    void restore(const Saved &saved) {
        slots_.resize(saved.slots.size());
        for (size_t i = 0; i < slots_.size(); i++) {
            if (!slots_[i]) slots_[i] = std::make_unique<Slot>();
            *slots_[i] = saved.slots[i];
        }
        free_ = saved.free;
    }

  private:
    Value value_of(uint32_t index, uint32_t generation) const {
        return Layout::pack(index, kind_, generation);
    }

    bool resolve(Value value, uint32_t &index) const {
        if (Layout::kind(value) != kind_) return false;
        uint32_t slot_number = Layout::slot(value);
        if (slot_number == 0 || slot_number > slots_.size()) return false;
        index = slot_number - 1;
        const Slot &slot = *slots_[index];
        return slot.used &&
               (slot.generation & Layout::GENERATION_MASK) == Layout::generation(value);
    }

    HandleKind kind_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::vector<uint32_t> free_;
};

} // namespace platform
