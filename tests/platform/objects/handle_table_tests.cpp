// The portable handle tables from inside: generations, tags, counts, and the window surface
// behind window DCs.
#include <platform/object_counts.h>
#include <platform/win32.h>

#include "objects/handle_table.h"
#include "objects/slot_table.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::uintptr_t bits(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

TEST(HandleTable, ReusedSlotGetsANewGeneration) {
    HPEN first = CreatePen(PS_SOLID, 1, 0);
    ASSERT_TRUE(DeleteObject(first));
    HPEN second = CreatePen(PS_SOLID, 1, 0);  // the free list hands the same slot back
    EXPECT_EQ(bits(first) & 0xFFFFFF, bits(second) & 0xFFFFFF);
    EXPECT_NE(first, second);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(second);
}

TEST(HandleTable, ForgedHandlesFail) {
    HBRUSH brush = CreateSolidBrush(0);
    const std::uintptr_t kind_bits = std::uintptr_t{0xFF} << 24;
    auto* retagged = reinterpret_cast<HGDIOBJ>(bits(brush) ^ (std::uintptr_t{1} << 24));
    auto* out_of_range = reinterpret_cast<HGDIOBJ>((bits(brush) & ~std::uintptr_t{0xFFFFFF}) | 0xFFFFF0);
    EXPECT_EQ(zg::lookup_object(retagged), nullptr);
    EXPECT_EQ(zg::lookup_object(out_of_range), nullptr);
    EXPECT_EQ(zg::lookup_object(reinterpret_cast<HGDIOBJ>(bits(brush) & kind_bits)), nullptr);
    EXPECT_EQ(zg::lookup_as<zg::PenObject>(brush, zg::ObjectKind::Pen), nullptr);
    EXPECT_NE(zg::lookup_as<zg::BrushObject>(brush, zg::ObjectKind::Brush), nullptr);
    DeleteObject(brush);
}

TEST(HandleTable, WindowAndGdiHandlesNeverPassForEachOther) {
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(pen)));
    DeleteObject(pen);
}

TEST(HandleTable, CountsFollowCreationDeferredDeletionAndRelease) {
    int pens = zg_live_objects_of_type(OBJ_PEN);
    int dcs = zg_live_objects_of_type(OBJ_DC);
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(zg_live_objects_of_type(OBJ_PEN), pens + 1);
    EXPECT_EQ(zg_live_objects_of_type(OBJ_DC), dcs + 1);
    SelectObject(dc, pen);
    DeleteObject(pen);
    EXPECT_EQ(zg_live_objects_of_type(OBJ_PEN), pens + 1);  // deferred while selected
    DeleteDC(dc);
    EXPECT_EQ(zg_live_objects_of_type(OBJ_PEN), pens);
    EXPECT_EQ(zg_live_objects_of_type(OBJ_DC), dcs);
    GetStockObject(GRAY_BRUSH);
    EXPECT_EQ(zg_live_objects_of_type(OBJ_BRUSH), zg::live_objects(zg::ObjectKind::Brush));
    EXPECT_EQ(zg_live_objects_of_type(12345), 0);
}

}  // namespace

namespace {

// With 32-bit pointers (WebAssembly) a handle is 32 bits: everything it packs must fit, or a
// handle that went through a pointer finds nothing.
TEST(HandleTable, ThirtyTwoBitHandlesFitAndStayGenerationChecked) {
    zg::SlotTable<int, 32> table;
    const std::uint64_t first = table.insert(std::make_unique<int>(1), 0x40);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(first >> 32, 0u);
    const auto through_pointer = static_cast<std::uint32_t>(first);
    ASSERT_NE(table.lookup(through_pointer), nullptr);
    EXPECT_EQ(*table.lookup(through_pointer), 1);
    table.remove(first);
    const std::uint64_t second = table.insert(std::make_unique<int>(2), 0x40);
    EXPECT_EQ(second & 0xFFFF, first & 0xFFFF);  // the same slot, a new generation
    EXPECT_EQ(second >> 32, 0u);
    EXPECT_EQ(table.lookup(first), nullptr);
    EXPECT_EQ(table.lookup(second ^ (std::uint64_t{1} << 16)), nullptr);  // another tag
}

}  // namespace
