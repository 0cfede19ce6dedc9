// The line calls: LineTo, Polyline, PolyBezier and SetPixel. Lines use the pen and the mix
// mode; SetPixel has no pen but mixes its colour with the DC's mix mode all the same.
#include "gdi/draw_target.h"
#include "gdi/paint.h"
#include "memory_guard.h"
#include "raster/bezier.h"

using zg::gdi::resolve_target;
using zg::gdi::Uses;
using zg::raster::PathClose;

namespace {

BOOL line_to(HDC hdc, int x, int y) {
    zg::DeviceContext* dc = zg::lookup_dc(hdc);
    if (dc == nullptr) return FALSE;
    const POINT line[] = {dc->position, {x, y}};
    dc->position = line[1];
    // The usual call, a solid one-pixel pen on an unclipped DC, goes straight to the line.
    if (!dc->has_clip) {
        zg::Surface* surface = dc->surface();
        if (surface == nullptr) return TRUE;
        if (const std::optional<zg::raster::Mix> mix = zg::gdi::solid_thin_pen(*dc)) {
            zg::raster::draw_thin_line(*surface, surface->bounds(), line[0], line[1], *mix);
            return TRUE;
        }
    }
    zg::gdi::DrawTarget t = zg::gdi::make_target(*dc, Uses::Pen);
    if (t.surface == nullptr) return TRUE;
    zg::gdi::paint_outline(t, line, PathClose::Open);
    return TRUE;
}

BOOL polyline(HDC hdc, const POINT* apt, int cpt) {
    auto t = resolve_target(hdc, Uses::Pen);
    if (!t || apt == nullptr || cpt < 2) return FALSE;
    if (t->surface == nullptr) return TRUE;
    zg::gdi::paint_outline(*t, std::vector<POINT>(apt, apt + cpt), PathClose::Open);
    return TRUE;
}

BOOL poly_bezier(HDC hdc, const POINT* apt, DWORD cpt) {
    auto t = resolve_target(hdc, Uses::Pen);
    if (!t || apt == nullptr || cpt < 4 || cpt % 3 != 1) return FALSE;
    if (t->surface == nullptr) return TRUE;
    zg::gdi::paint_outline(*t, zg::raster::flatten_beziers(apt, cpt), PathClose::Open);
    return TRUE;
}

COLORREF set_pixel(HDC hdc, int x, int y, COLORREF color) {
    // Windows mixes the colour with the DC's mix mode and returns the colour it set, even when
    // the point lies outside the surface or the clip region (and then writes nothing).
    auto t = resolve_target(hdc, Uses::Nothing);
    if (!t) return CLR_INVALID;
    const std::uint32_t pixel = zg::to_pixel(color & 0xFFFFFFu);
    if (t->surface == nullptr || !t->visible.contains(x, y)) return zg::to_colorref(pixel);
    std::uint32_t& p = t->surface->row(y)[x];
    p = zg::raster::make_mix(t->dc->rop2, pixel).apply(p);
    t->surface->add_damage({x, y, x + 1, y + 1});
    return zg::to_colorref(pixel);
}

}  // namespace

// Every call builds its visible area (a copy of a clip region) and the outline's pieces: out of
// memory, it fails as Windows does (memory_guard.h).
extern "C" {

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    return zg::within_memory(FALSE, [&] { return line_to(hdc, x, y); });
}

BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) {
    return zg::within_memory(FALSE, [&] { return polyline(hdc, apt, cpt); });
}

BOOL WINAPI PolyBezier(HDC hdc, const POINT* apt, DWORD cpt) {
    return zg::within_memory(FALSE, [&] { return poly_bezier(hdc, apt, cpt); });
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    return zg::within_memory(CLR_INVALID, [&] { return set_pixel(hdc, x, y, color); });
}

}  // extern "C"
