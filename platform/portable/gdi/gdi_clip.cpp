// The clip region calls: SelectClipRgn, ExtSelectClipRgn, IntersectClipRect, ExcludeClipRect
// and GetClipBox. Drawing reads the clip region through VisibleArea (dc/visible_area.h).
//
// Rules measured under Wine on memory DCs:
// - The clip region is kept in device coordinates as given, not cut to the surface: selecting
//   a larger bitmap afterwards shows more of it.
// - A DC without a clip region counts as clipped to its surface's rectangle at the moment a
//   combining call needs a region (ExtSelectClipRgn with AND, OR, XOR or DIFF, and
//   ExcludeClipRect); IntersectClipRect on such a DC keeps the rectangle itself.
// - A null region removes the clip region with RGN_COPY and is an error with any other mode.
// - Each call returns the complexity of the new clip region itself, whatever the surface (but
//   IntersectClipRect on a DC without one always answers SIMPLEREGION).
// - GetClipBox intersects the clip region's box with the surface side by side and returns it
//   unnormalised, with NULLREGION when it is empty, or else the clip region's complexity.
#include "dc/device_context.h"
#include "gdi/draw_target.h"
#include "memory_guard.h"
#include "objects/handle_table.h"

#include <algorithm>

namespace zg::gdi {

namespace {

Rect surface_rect(DeviceContext& dc) {
    const Surface* surface = dc.surface();
    return surface == nullptr ? Rect{} : surface->bounds();
}

// The region a combining call starts from.
raster::Region current_clip(DeviceContext& dc) {
    if (dc.has_clip) return dc.clip;
    return raster::make_rect_region(surface_rect(dc));
}

int set_clip(DeviceContext& dc, raster::Region region) {
    dc.clip = std::move(region);
    dc.has_clip = true;
    return raster::complexity(dc.clip);
}

Rect normalised_rect(int left, int top, int right, int bottom) {
    const Box b = ordered_box(left, top, right, bottom);
    return {static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.right), static_cast<int>(b.bottom)};
}

raster::CombineOp combine_op(int mode) {
    static constexpr raster::CombineOp ops[] = {raster::CombineOp::And, raster::CombineOp::Or, raster::CombineOp::Xor,
                                                raster::CombineOp::Diff};
    return ops[mode - RGN_AND];
}

int select_clip(HDC hdc, HRGN hrgn, int mode) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    if (hrgn == nullptr) {
        if (mode != RGN_COPY) return ERROR;
        dc->has_clip = false;
        dc->clip = {};
        return SIMPLEREGION;
    }
    const auto* region = lookup_as<RegionObject>(hrgn, ObjectKind::Region);
    if (region == nullptr) return ERROR;
    if (mode == RGN_COPY) return set_clip(*dc, region->region);
    return set_clip(*dc, raster::combine(current_clip(*dc), region->region, combine_op(mode)));
}

int intersect_clip_rect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return ERROR;
    raster::Region rect = raster::make_rect_region(normalised_rect(left, top, right, bottom));
    if (!dc->has_clip) {
        // Wine reports a simple region here even for an empty rectangle, which clips everything.
        set_clip(*dc, std::move(rect));
        return SIMPLEREGION;
    }
    return set_clip(*dc, raster::combine(dc->clip, rect, raster::CombineOp::And));
}

int exclude_clip_rect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return ERROR;
    const raster::Region rect = raster::make_rect_region(normalised_rect(left, top, right, bottom));
    return set_clip(*dc, raster::combine(current_clip(*dc), rect, raster::CombineOp::Diff));
}

}  // namespace

}  // namespace zg::gdi

using namespace zg;

extern "C" {

// Each call builds a region: out of memory, it fails and leaves the clip region as it was.
int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) {
    return within_memory(ERROR, [&] { return gdi::select_clip(hdc, hrgn, RGN_COPY); });
}

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    return within_memory(ERROR, [&] { return gdi::select_clip(hdc, hrgn, mode); });
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    return within_memory(ERROR, [&] { return gdi::intersect_clip_rect(hdc, left, top, right, bottom); });
}

int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    return within_memory(ERROR, [&] { return gdi::exclude_clip_rect(hdc, left, top, right, bottom); });
}

int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr || lprect == nullptr) return ERROR;
    const Rect surface = gdi::surface_rect(*dc);
    const Rect clip = dc->has_clip ? dc->clip.extents : surface;
    const Rect box{std::max(clip.left, surface.left), std::max(clip.top, surface.top),
                   std::min(clip.right, surface.right), std::min(clip.bottom, surface.bottom)};
    *lprect = RECT{box.left, box.top, box.right, box.bottom};
    if (box.empty()) return NULLREGION;
    return dc->has_clip ? raster::complexity(dc->clip) : SIMPLEREGION;
}

}  // extern "C"
