// The region calls: creation (rectangle, rounded rectangle, ellipse, polygon), algebra, and
// painting a region with a brush, the DC's brush, or inversion. Regions are banded rectangle
// lists (raster/region.h); creation fails (returns null) for shapes taller or wider than
// max_ellipse_size rows, where building them row by row would take unbounded time.
#include "activity.h"
#include "gdi/draw_target.h"
#include "memory_guard.h"
#include "gdi/paint.h"
#include "objects/handle_table.h"
#include "raster/ellipse.h"
#include "raster/polygon.h"
#include "raster/spans.h"

#include <algorithm>
#include <climits>

namespace zg::gdi {

namespace {

HRGN insert_region(raster::Region region) {
    auto object = std::make_unique<RegionObject>();
    object->region = std::move(region);
    return static_cast<HRGN>(insert_object(std::move(object)));
}

RegionObject* lookup_region(HRGN h) {
    note_activity();
    return lookup_as<RegionObject>(h, ObjectKind::Region);
}

HRGN create_round(const Box& b, long long corner_w, long long corner_h) {
    if (b.width() > raster::max_ellipse_size || b.height() > raster::max_ellipse_size) return nullptr;
    return insert_region(raster::round_rect_region(b.left, b.top, b.right, b.bottom, corner_w, corner_h));
}

enum class RegionPaint : std::uint8_t { Brush, Invert };

BOOL paint_region(HDC hdc, HRGN hrgn, const BrushState* brush_override, RegionPaint how) {
    std::optional<DrawTarget> t = resolve_target(hdc);
    RegionObject* region = lookup_region(hrgn);
    if (!t || region == nullptr) return FALSE;
    if (t->surface == nullptr) return TRUE;
    raster::Mix mix = raster::make_mix(R2_NOT, 0);
    if (how == RegionPaint::Brush) {
        const BrushState own = brush_override ? *brush_override : t->brush;
        if (own.null) return TRUE;
        mix = own.mix;
    }
    fill_visible(*t, region->region, mix);
    return TRUE;
}

}  // namespace

}  // namespace zg::gdi

using namespace zg;

extern "C" {

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
    const gdi::Box b = gdi::ordered_box(x1, y1, x2, y2);
    return gdi::insert_region(raster::make_rect_region(
        {static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.right), static_cast<int>(b.bottom)}));
}

HRGN WINAPI CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
    return gdi::create_round(gdi::ordered_box(x1, y1, x2, y2), w, h);
}

HRGN WINAPI CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    const gdi::Box b = gdi::ordered_box(x1, y1, x2, y2);
    return gdi::create_round(b, b.width(), b.height());
}

HRGN WINAPI CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
    // Windows takes any mode other than WINDING as ALTERNATE.
    if (pptl == nullptr || cPoint < 1) return nullptr;
    return zg::within_memory(HRGN{}, [&]() -> HRGN {
        const std::vector<POINT> points(pptl, pptl + cPoint);
        const Rect box = raster::points_box(points);
        if (static_cast<long long>(box.bottom) - box.top > raster::max_ellipse_size) return nullptr;
        const auto rule = iMode == WINDING ? raster::FillRule::Winding : raster::FillRule::Alternate;
        return gdi::insert_region(raster::polygon_region(points, rule, {INT_MIN, box.top, INT_MAX, box.bottom}));
    });
}

int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    RegionObject* dst = gdi::lookup_region(hrgnDst);
    RegionObject* a = gdi::lookup_region(hrgnSrc1);
    if (dst == nullptr || a == nullptr || iMode < RGN_AND || iMode > RGN_COPY) return ERROR;
    if (iMode == RGN_COPY) {
        dst->region = a->region;
        return raster::complexity(dst->region);
    }
    RegionObject* b = gdi::lookup_region(hrgnSrc2);
    if (b == nullptr) return ERROR;
    static constexpr raster::CombineOp ops[] = {raster::CombineOp::And, raster::CombineOp::Or, raster::CombineOp::Xor,
                                                raster::CombineOp::Diff};
    dst->region = raster::combine(a->region, b->region, ops[iMode - RGN_AND]);
    return raster::complexity(dst->region);
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
    RegionObject* r = gdi::lookup_region(hrgn);
    if (r == nullptr) return ERROR;
    raster::offset(r->region, x, y);
    return raster::complexity(r->region);
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc) {
    RegionObject* r = gdi::lookup_region(hrgn);
    if (r == nullptr || lprc == nullptr) return ERROR;
    const Rect& e = r->region.extents;
    *lprc = r->region.empty() ? RECT{0, 0, 0, 0} : RECT{e.left, e.top, e.right, e.bottom};
    return raster::complexity(r->region);
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
    RegionObject* r = gdi::lookup_region(hrgn);
    return r != nullptr && raster::contains(r->region, x, y) ? TRUE : FALSE;
}

BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return FALSE;
    const std::optional<gdi::BrushState> brush = gdi::resolve_brush(*dc, hbr);
    if (!brush) return FALSE;
    return gdi::paint_region(hdc, hrgn, &*brush, gdi::RegionPaint::Brush);
}

BOOL WINAPI PaintRgn(HDC hdc, HRGN hrgn) { return gdi::paint_region(hdc, hrgn, nullptr, gdi::RegionPaint::Brush); }

BOOL WINAPI InvertRgn(HDC hdc, HRGN hrgn) { return gdi::paint_region(hdc, hrgn, nullptr, gdi::RegionPaint::Invert); }

}  // extern "C"
