// A table of owned objects addressed by generation-checked handles, shared by the GDI handle
// table and the window table.
//
// A handle packs the slot index (plus one, so no handle is null), a tag saying which table and
// kind it belongs to, and the slot's generation at insertion. Freeing a slot bumps its generation
// and pushes it on a free list, so a stale handle never matches again even when its slot is
// reused, and a forged value fails the range, tag or generation check instead of reaching memory.
//
// A handle is a pointer, so all three fields share its width: with 64-bit pointers 24 bits of
// index, 8 of tag and 32 of generation; with 32-bit ones (WebAssembly) 16, 8 and 8, as 32-bit
// Windows itself keeps 16 bits of index and reuses a slot's value only after many generations.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace zg {

template <class T, unsigned HandleBits = std::numeric_limits<std::uintptr_t>::digits>
class SlotTable {
    static_assert(HandleBits == 32 || HandleBits == 64, "handles are 32 or 64 bits wide");

public:
    static constexpr std::uint64_t index_bits = HandleBits == 64 ? 24 : 16;
    static constexpr std::uint64_t tag_bits = 8;
    static constexpr std::uint64_t generation_bits = HandleBits - index_bits - tag_bits;
    static constexpr std::uint64_t index_mask = (std::uint64_t{1} << index_bits) - 1;
    static constexpr std::uint64_t tag_mask = (std::uint64_t{1} << tag_bits) - 1;
    static constexpr std::uint64_t generation_mask = (std::uint64_t{1} << generation_bits) - 1;

    // Returns the new handle value, or 0 when the table is full (index_mask - 1 live entries).
    std::uint64_t insert(std::unique_ptr<T> object, unsigned tag) {
        std::size_t index = take_slot();
        if (index >= index_mask) return 0;
        Slot& slot = m_slots[index];
        slot.object = std::move(object);
        slot.tag = tag;
        return pack(index, tag, slot.generation);
    }

    T* lookup(std::uint64_t handle) const {
        const Slot* slot = find(handle);
        return slot ? slot->object.get() : nullptr;
    }

    // Detaches the object; the handle (and every copy of it) is stale from now on.
    std::unique_ptr<T> remove(std::uint64_t handle) {
        Slot* slot = const_cast<Slot*>(find(handle));
        if (slot == nullptr) return nullptr;
        std::unique_ptr<T> object = std::move(slot->object);
        ++slot->generation;
        m_free.push_back(static_cast<std::size_t>(slot - m_slots.data()));
        return object;
    }

    // Calls f(handle, object) for every live entry in slot order.
    template <class F>
    void for_each(F&& f) const {
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            const Slot& slot = m_slots[i];
            if (slot.object) f(pack(i, slot.tag, slot.generation), *slot.object);
        }
    }

private:
    struct Slot {
        std::unique_ptr<T> object;
        std::uint32_t generation = 1;
        unsigned tag = 0;
    };

    static std::uint64_t pack(std::size_t index, unsigned tag, std::uint32_t generation) {
        return ((std::uint64_t{generation} & generation_mask) << (index_bits + tag_bits)) |
               ((std::uint64_t{tag} & tag_mask) << index_bits) | (std::uint64_t{index} + 1);
    }

    const Slot* find(std::uint64_t handle) const {
        std::uint64_t index_plus_one = handle & index_mask;
        if (index_plus_one == 0 || index_plus_one > m_slots.size()) return nullptr;
        const Slot& slot = m_slots[static_cast<std::size_t>(index_plus_one - 1)];
        if (!slot.object) return nullptr;
        if (((handle >> index_bits) & tag_mask) != slot.tag) return nullptr;
        if ((handle >> (index_bits + tag_bits)) != (slot.generation & generation_mask)) return nullptr;
        return &slot;
    }

    std::size_t take_slot() {
        if (m_free.empty()) {
            // Room on the free list for every slot, so that remove never allocates: deleting an
            // object must work when memory has run out.
            m_free.reserve(m_slots.size() + 1);
            m_slots.emplace_back();
            return m_slots.size() - 1;
        }
        std::size_t index = m_free.back();
        m_free.pop_back();
        return index;
    }

    std::vector<Slot> m_slots;
    std::vector<std::size_t> m_free;
};

}  // namespace zg
