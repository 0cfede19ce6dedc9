// The closed shapes: Rectangle, RoundRect, Ellipse, Arc, Chord, Pie and Polygon. Each call
// orders its box, applies the inside-frame shrink, builds the interior region and the outline
// path, and leaves the painting to paint.h. An invalid DC fails; a DC without a surface (its
// window destroyed) succeeds and draws nothing, as does an empty box.
#include "gdi/draw_target.h"
#include "memory_guard.h"
#include "gdi/paint.h"
#include "raster/dash.h"
#include "raster/ellipse.h"
#include "raster/frame.h"
#include "raster/polygon.h"
#include "raster/spans.h"

#include <algorithm>

namespace zg::gdi {

namespace {

using raster::PathClose;

Rect to_rect(const Box& b) {
    return {static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.right), static_cast<int>(b.bottom)};
}

bool too_large(const Box& b) { return b.width() > raster::max_ellipse_size || b.height() > raster::max_ellipse_size; }

// Coordinates beyond this are cut back before any arithmetic: far enough outside every surface
// that no visible pixel changes, near enough that sums and products stay in 64 bits.
constexpr long long far_limit = 1LL << 30;

// The outline of a Rectangle, RoundRect or Ellipse comes counter-clockwise; a styled pen's
// pattern runs the way the DC's arc direction says.
void walk_outline(const DrawTarget& t, std::span<POINT> outline) {
    if (t.dc->arc_direction == AD_CLOCKWISE) raster::mirror_outline_rows(outline);
}

// A solid one-pixel pen's outline walks each pixel of the box's edge once, whatever the order.
void draw_thin_rectangle(DrawTarget& t, long long l, long long tp, long long r, long long b) {
    if (!t.brush.null) fill_visible(t, to_rect({l + 1, tp + 1, r - 1, b - 1}), t.brush.mix);
    for (const Rect& v : t.visible.rects()) raster::thin_rectangle_frame(*t.surface, l, tp, r, b, v, t.pen.mix);
}

BOOL draw_rectangle(DrawTarget& t, Box box) {
    if (box.width() == 0 || box.height() == 0) return TRUE;
    // A wide inside-frame pen may turn the box inside out; Windows strokes it all the same.
    box = inside_frame(box, t.pen);
    const long long l = std::clamp(box.left, -far_limit, far_limit), tp = std::clamp(box.top, -far_limit, far_limit);
    const long long r = std::clamp(box.right, -far_limit, far_limit), b = std::clamp(box.bottom, -far_limit, far_limit);
    if (t.pen.kind == PenKind::Thin && t.pen.style == PS_SOLID && r - l >= 2 && b - tp >= 2) {
        draw_thin_rectangle(t, l, tp, r, b);
        return TRUE;
    }
    // Counter-clockwise from the top right corner, as GDI walks it for a styled pen's pattern
    // (mirrored under AD_CLOCKWISE, in walk_outline).
    std::vector<POINT> path{{static_cast<LONG>(r - 1), static_cast<LONG>(tp)},
                            {static_cast<LONG>(l), static_cast<LONG>(tp)},
                            {static_cast<LONG>(l), static_cast<LONG>(b - 1)},
                            {static_cast<LONG>(r - 1), static_cast<LONG>(b - 1)}};
    walk_outline(t, path);
    const long long inset = t.pen.kind == PenKind::Thin ? 1 : 0;
    const Box inner{l + inset, tp + inset, r - 1, b - 1};
    raster::Region interior;
    if (inner.width() > 0 && inner.height() > 0)
        interior = raster::make_rect_region(intersect(to_rect(inner), t.surface->bounds()));
    if (t.pen.kind == PenKind::Wide && l <= r - 1 && tp <= b - 1) {
        // A wide frame is four bands and four corners, not a run per row.
        paint_stroked_shape(t, interior,
                            raster::rectangle_frame(l, tp, r - 1, b - 1, t.pen.width, t.surface->bounds()));
        return TRUE;
    }
    paint_shape(t, interior, path, PathClose::Closed);
    return TRUE;
}

// A rounded box too large to step through: the pen's band is the shape less the shape shrunk
// by the pen's width (one pixel for a thin pen), the brush fills the rest; rows outside the
// surface are never built, and both fills are cut by the visible area like any other shape's.
BOOL draw_large_round_rect(DrawTarget& t, const Box& outer, long long corner_w, long long corner_h) {
    const long long band = t.pen.kind == PenKind::Null ? 0 : std::max(1, t.pen.width);
    const Rect clip = t.surface->bounds();
    const long long cw = std::abs(corner_w), ch = std::abs(corner_h);
    const raster::Region shape =
        raster::large_round_rect_region(outer.left, outer.top, outer.right, outer.bottom, cw, ch, clip);
    const raster::Region inside =
        raster::large_round_rect_region(outer.left + band, outer.top + band, outer.right - band, outer.bottom - band,
                                        std::max(0LL, cw - 2 * band), std::max(0LL, ch - 2 * band), clip);
    if (!t.brush.null) fill_visible(t, inside, t.brush.mix);
    if (band > 0) fill_visible(t, raster::combine(shape, inside, raster::CombineOp::Diff), t.pen.mix);
    return TRUE;
}

BOOL draw_round_rect(DrawTarget& t, const Box& outer, long long corner_w, long long corner_h) {
    if (outer.width() == 0 || outer.height() == 0) return TRUE;
    const Box box = inside_frame(outer, t.pen);
    const long long ew = std::min(box.width(), std::abs(corner_w));
    const long long eh = std::min(box.height(), std::abs(corner_h));
    if (ew <= 2 || eh <= 2) return draw_rectangle(t, outer);
    if (too_large(box)) return draw_large_round_rect(t, outer, corner_w, corner_h);
    if (t.pen.kind != PenKind::Wide && t.visible.whole_surface()) {
        // The brush's rows straight onto the surface, then the one-pixel outline over them.
        if (!t.brush.null)
            raster::fill_round_rect(*t.surface, box.left, box.top, box.right + 1, box.bottom + 1, ew, eh, t.brush.mix);
        if (t.pen.kind == PenKind::Null) return TRUE;
        std::vector<POINT> path = raster::round_rect_outline(to_rect(box), static_cast<int>(ew), static_cast<int>(eh));
        walk_outline(t, path);
        paint_outline(t, path, PathClose::Closed);
        return TRUE;
    }
    const raster::Region interior =
        t.brush.null ? raster::Region{}
                     : raster::round_rect_region(box.left, box.top, box.right + 1, box.bottom + 1, ew, eh);
    std::vector<POINT> path = raster::round_rect_outline(to_rect(box), static_cast<int>(ew), static_cast<int>(eh));
    walk_outline(t, path);
    paint_shape(t, interior, path, PathClose::Closed);
    return TRUE;
}

// On an unclipped surface, under a thin or no pen or a wide pen that ignores the pixels under
// it (its stroke covers whatever the brush wrote), the interior needs no region: its rows go
// straight to the surface.
bool fills_straight(const DrawTarget& t) {
    return t.visible.whole_surface() && (t.pen.kind != PenKind::Wide || t.pen.mix.is_copy());
}

BOOL draw_polygon(DrawTarget& t, const std::vector<POINT>& path, raster::FillRule rule) {
    if (!fills_straight(t)) {
        const raster::Region interior =
            t.brush.null ? raster::Region{} : raster::polygon_region(path, rule, t.surface->bounds());
        paint_shape(t, interior, path, PathClose::Closed);
        return TRUE;
    }
    if (!t.brush.null) raster::fill_polygon(*t.surface, path, rule, t.brush.mix);
    paint_outline(t, path, PathClose::Closed);
    return TRUE;
}

enum class ArcKind : std::uint8_t { Arc, Chord, Pie };

BOOL draw_arc(DrawTarget& t, Box box, POINT start, POINT end, ArcKind kind) {
    if (box.width() == 0 || box.height() == 0) return TRUE;
    box = inside_frame(box, t.pen);
    // An inside-frame pen wider than the box turns it inside out: the call draws nothing and
    // succeeds only while the other side keeps at least as much as the turned side lost
    // (measured through Wine over pens 4 to 20 and boxes up to 30 pixels; when the height
    // turns, Wine's own drawing goes astray and is no model for the pixels). A box that
    // shrinks to nothing still strokes its degenerate outline.
    if (box.width() < 0 || box.height() < 0) return box.width() + box.height() >= 0 ? TRUE : FALSE;
    if (too_large(box)) return FALSE;
    const Rect r = to_rect(box);
    const long long cx = box.left + box.width() / 2, cy = box.top + box.height() / 2;
    auto relative = [&](POINT p) {
        return POINT{static_cast<LONG>(std::clamp(p.x - cx, -far_limit, far_limit)),
                     static_cast<LONG>(std::clamp(p.y - cy, -far_limit, far_limit))};
    };
    std::vector<POINT> path = raster::arc_outline(r, relative(start), relative(end), t.dc->arc_direction);
    if (kind == ArcKind::Pie) path.push_back({static_cast<LONG>(cx), static_cast<LONG>(cy)});
    if (kind == ArcKind::Arc) {
        paint_outline(t, path, PathClose::Open);
        return TRUE;
    }
    if (fills_straight(t)) {
        if (!t.brush.null) raster::fill_polygon(*t.surface, path, raster::FillRule::Winding, t.brush.mix);
        paint_outline(t, path, PathClose::Closed);
        return TRUE;
    }
    const raster::Region interior =
        t.brush.null ? raster::Region{} : raster::polygon_region(path, raster::FillRule::Winding, t.surface->bounds());
    paint_shape(t, interior, path, PathClose::Closed);
    return TRUE;
}

}  // namespace

}  // namespace zg::gdi

using zg::gdi::ArcKind;
using zg::gdi::Box;
using zg::gdi::DrawTarget;
using zg::gdi::ordered_box;

namespace {

// Resolves the DC (building its visible area) and draws, all inside the memory guard: an invalid
// DC fails, a DC without a surface draws nothing and succeeds.
template <class Draw>
BOOL draw_shape(HDC hdc, Draw&& draw) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        auto t = zg::gdi::resolve_target(hdc);
        if (!t) return FALSE;
        if (t->surface == nullptr) return TRUE;
        return draw(*t);
    });
}

}  // namespace

extern "C" {

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    return draw_shape(hdc,
                      [&](DrawTarget& t) { return zg::gdi::draw_rectangle(t, ordered_box(left, top, right, bottom)); });
}

BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    return draw_shape(hdc, [&](DrawTarget& t) {
        return zg::gdi::draw_round_rect(t, ordered_box(left, top, right, bottom), width, height);
    });
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    const Box box = ordered_box(left, top, right, bottom);
    return draw_shape(hdc, [&](DrawTarget& t) { return zg::gdi::draw_round_rect(t, box, box.width(), box.height()); });
}

BOOL WINAPI Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return draw_shape(hdc, [&](DrawTarget& t) {
        return zg::gdi::draw_arc(t, ordered_box(x1, y1, x2, y2), {x3, y3}, {x4, y4}, ArcKind::Arc);
    });
}

BOOL WINAPI Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return draw_shape(hdc, [&](DrawTarget& t) {
        return zg::gdi::draw_arc(t, ordered_box(x1, y1, x2, y2), {x3, y3}, {x4, y4}, ArcKind::Chord);
    });
}

BOOL WINAPI Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2) {
    return draw_shape(hdc, [&](DrawTarget& t) {
        return zg::gdi::draw_arc(t, ordered_box(left, top, right, bottom), {xr1, yr1}, {xr2, yr2}, ArcKind::Pie);
    });
}

BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt) {
    if (apt == nullptr || cpt < 2) return FALSE;
    return draw_shape(hdc, [&](DrawTarget& t) {
        const std::vector<POINT> path(apt, apt + cpt);
        const auto rule =
            t.dc->poly_fill_mode == WINDING ? zg::raster::FillRule::Winding : zg::raster::FillRule::Alternate;
        return zg::gdi::draw_polygon(t, path, rule);
    });
}

}  // extern "C"
