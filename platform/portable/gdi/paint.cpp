// Shape painting; see paint.h.
#include "gdi/paint.h"

#include "raster/spans.h"
#include "raster/stroke.h"

namespace zg::gdi {

void paint_outline(DrawTarget& t, const std::vector<POINT>& path, raster::PathClose close) {
    if (t.pen.kind == PenKind::Null || path.empty()) return;
    if (t.pen.kind == PenKind::Thin) {
        raster::draw_thin_polyline(*t.surface, path, close, t.pen.mix);
        return;
    }
    const raster::Region stroke = raster::wide_stroke(path, close, t.pen.width, t.surface->bounds());
    raster::fill_region(*t.surface, stroke, t.pen.mix);
}

void paint_shape(DrawTarget& t, const raster::Region& interior, const std::vector<POINT>& path,
                 raster::PathClose close) {
    if (t.pen.kind != PenKind::Wide) {
        if (!t.brush.null) raster::fill_region(*t.surface, interior, t.brush.mix);
        paint_outline(t, path, close);
        return;
    }
    paint_stroked_shape(t, interior, raster::wide_stroke(path, close, t.pen.width, t.surface->bounds()));
}

void paint_stroked_shape(DrawTarget& t, const raster::Region& interior, const raster::Region& stroke) {
    if (!t.brush.null) {
        const raster::Region inside = raster::combine(interior, stroke, raster::CombineOp::Diff);
        raster::fill_region(*t.surface, inside, t.brush.mix);
    }
    raster::fill_region(*t.surface, stroke, t.pen.mix);
}

}  // namespace zg::gdi
