// The one handle table of the portable GDI: every pen, brush, font, bitmap, region and device
// context is an entry, and its handle encodes the slot index, the kind and a generation counter.
// A stale handle (its slot freed, perhaps reused) or a handle of the wrong kind fails lookup
// and never reaches freed memory. Stock objects are created on first use and never freed.
#pragma once

#include "objects/gdi_objects.h"
#include "objects/slot_table.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zg {

// Inserts an object and returns its new handle, or null when the table is full (about 16
// million live entries, SlotTable's index range); the object is then freed.
HGDIOBJ insert_object(std::unique_ptr<GdiObject> object);

namespace handle_detail {

// The table's slots while the table lives (set when it is made, cleared when it goes at exit),
// so that the lookup every drawing call makes several times is inline, with no guard or call.
inline SlotTable<GdiObject>* live_slots = nullptr;

}  // namespace handle_detail

// The object behind a handle, or null for a null, stale, forged or freed handle.
inline GdiObject* lookup_object(HGDIOBJ handle) {
    const SlotTable<GdiObject>* slots = handle_detail::live_slots;
    return slots != nullptr ? slots->lookup(reinterpret_cast<std::uintptr_t>(handle)) : nullptr;
}

template <class T>
T* lookup_as(HGDIOBJ handle, ObjectKind kind) {
    GdiObject* object = lookup_object(handle);
    if (object == nullptr || object->kind != kind) return nullptr;
    return static_cast<T*>(object);
}

// Frees the entry now (the generation moves on, so the handle goes stale). Returns false for
// an invalid handle. Callers handle stock and selected objects before calling this.
bool free_object(HGDIOBJ handle);

// Stock object by GetStockObject index; null for an index without a stock object. Index 20
// (default_bitmap_index) is the 1 x 1 bitmap of new memory DCs, as Windows numbers it.
constexpr int default_bitmap_index = 20;
HGDIOBJ stock_object(int index);

// Handles of every live object of one kind, in table order (stock objects included).
std::vector<HGDIOBJ> handles_of_kind(ObjectKind kind);

// Live non-stock objects of all kinds together.
int live_objects_total();

// Live non-stock objects of one kind (tests use it to prove nothing leaks).
int live_objects(ObjectKind kind);

}  // namespace zg
