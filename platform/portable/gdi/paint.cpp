// Shape painting; see paint.h.
#include "gdi/paint.h"

#include "raster/dash.h"
#include "raster/spans.h"
#include "raster/stroke.h"

namespace zg::gdi {

void fill_visible(DrawTarget& t, const raster::Region& region, raster::Mix mix) {
    // Without a clip region the span fills' own clipping to the surface is all there is to do.
    if (t.visible.whole_surface()) {
        raster::fill_region(*t.surface, region, mix);
        return;
    }
    raster::fill_region(*t.surface, t.visible.cut(region), mix);
}

void fill_visible(DrawTarget& t, const Rect& rect, raster::Mix mix) {
    for (const Rect& r : t.visible.rects()) raster::fill_rect(*t.surface, intersect(rect, r), mix);
}

namespace {

// The gaps are the background colour through the mix mode, unless the background mode is
// TRANSPARENT.
void paint_dashed_outline(DrawTarget& t, std::span<const POINT> path, raster::PathClose close) {
    const std::optional<raster::DashPattern> pattern = raster::dash_pattern(t.pen.style);
    if (!pattern) return;
    std::optional<raster::Mix> gap;
    if (t.dc->bk_mode == OPAQUE) gap = raster::make_mix(t.dc->rop2, to_pixel(t.dc->bk_color));
    raster::draw_dashed_polyline(*t.surface, t.visible.rects(), path, close, {*pattern, t.pen.mix, gap});
}

}  // namespace

void paint_outline(DrawTarget& t, std::span<const POINT> path, raster::PathClose close) {
    if (t.pen.kind == PenKind::Null || path.empty()) return;
    if (t.pen.style != PS_SOLID) {
        paint_dashed_outline(t, path, close);
        return;
    }
    if (t.pen.kind == PenKind::Thin) {
        raster::draw_thin_polyline(*t.surface, t.visible.rects(), path, close, t.pen.mix);
        return;
    }
    if (t.visible.whole_surface()) {
        raster::paint_wide_stroke(*t.surface, path, close, t.pen.width, t.pen.mix);
        return;
    }
    const raster::Region stroke = raster::wide_stroke(path, close, t.pen.width, t.surface->bounds());
    fill_visible(t, stroke, t.pen.mix);
}

void paint_shape(DrawTarget& t, const raster::Region& interior, const std::vector<POINT>& path,
                 raster::PathClose close) {
    // A pen that ignores the pixels under it may go over the brush's, and then paints its
    // stroke straight from its rows.
    const bool direct = t.pen.kind == PenKind::Wide && t.visible.whole_surface() && t.pen.mix.is_copy();
    if (t.pen.kind != PenKind::Wide || direct) {
        if (!t.brush.null) fill_visible(t, interior, t.brush.mix);
        paint_outline(t, path, close);
        return;
    }
    paint_stroked_shape(t, interior, raster::wide_stroke(path, close, t.pen.width, t.surface->bounds()));
}

void paint_stroked_shape(DrawTarget& t, const raster::Region& interior, const raster::Region& stroke) {
    if (t.brush.null) {
        fill_visible(t, stroke, t.pen.mix);
        return;
    }
    const raster::Mix brush = t.brush.mix, pen = t.pen.mix;
    // Pen and brush alike (a white wipe): the whole shape is one fill, each row one span.
    if (brush.a == pen.a && brush.x == pen.x) {
        fill_visible(t, raster::combine(interior, stroke, raster::CombineOp::Or), pen);
        return;
    }
    // A pen that ignores the pixels under it covers whatever the brush wrote there, so the
    // interior needs no cutting; other pens must mix with what was there before the call.
    if (pen.is_copy())
        fill_visible(t, interior, brush);
    else
        fill_visible(t, raster::combine(interior, stroke, raster::CombineOp::Diff), brush);
    fill_visible(t, stroke, pen);
}

}  // namespace zg::gdi
