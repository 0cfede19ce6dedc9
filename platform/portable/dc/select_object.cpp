// SelectObject and GetCurrentObject.
//
// Windows' rules, checked under Wine: a bitmap goes only into a memory DC and into at most one
// DC at a time (the stock 1 x 1 bitmap excepted); selecting a region sets the DC's clip region
// to a copy of it and returns the region's complexity instead of a handle; a DC cannot be
// selected. Every failure returns null.
#include "dc/device_context.h"
#include "objects/handle_table.h"
#include "memory_guard.h"

using namespace zg;

namespace {

int region_complexity(const raster::Region& region) {
    if (region.empty()) return NULLREGION;
    return region.rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HGDIOBJ select_region(DeviceContext& dc, const RegionObject& region) {
    dc.clip = region.region;
    dc.has_clip = true;
    auto complexity = static_cast<std::intptr_t>(region_complexity(region.region));
    return reinterpret_cast<HGDIOBJ>(complexity);
}

HGDIOBJ select_bitmap(HDC hdc, DeviceContext& dc, HGDIOBJ handle, BitmapObject& bitmap) {
    if (dc.type != DcType::Memory) return nullptr;
    if (dc.bitmap == handle) return handle;
    if (!bitmap.stock && bitmap.selected_into != nullptr) return nullptr;
    if (auto* previous = lookup_as<BitmapObject>(dc.bitmap, ObjectKind::Bitmap)) previous->selected_into = nullptr;
    if (!bitmap.stock) bitmap.selected_into = hdc;
    return swap_selection(dc.bitmap, static_cast<HBITMAP>(handle));
}

}  // namespace

extern "C" {

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    return zg::within_memory(HGDIOBJ{}, [&]() -> HGDIOBJ {
        DeviceContext* dc = lookup_dc(hdc);
        GdiObject* object = lookup_object(h);
        if (dc == nullptr || object == nullptr) return nullptr;
        switch (object->kind) {
        case ObjectKind::Pen: return swap_selection(dc->pen, static_cast<HPEN>(h));
        case ObjectKind::Brush: return swap_selection(dc->brush, static_cast<HBRUSH>(h));
        case ObjectKind::Font: return swap_selection(dc->font, static_cast<HFONT>(h));
        case ObjectKind::Bitmap: return select_bitmap(hdc, *dc, h, static_cast<BitmapObject&>(*object));
        case ObjectKind::Region: return select_region(*dc, static_cast<RegionObject&>(*object));
        default: return nullptr;
        }
    });
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->type == DcType::Memory ? dc->bitmap : stock_object(default_bitmap_index);
    default: return nullptr;
    }
}

}  // extern "C"
