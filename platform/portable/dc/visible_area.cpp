// The visible area of a drawing call; see visible_area.h.
#include "dc/visible_area.h"

namespace zg {

VisibleArea::VisibleArea(const DeviceContext& dc, const Surface& surface) : m_bounds(surface.bounds()) {
    if (!dc.has_clip) return;
    m_clipped = true;
    m_region = raster::combine(dc.clip, raster::make_rect_region(m_bounds), raster::CombineOp::And);
    m_bounds = m_region.empty() ? Rect{} : m_region.extents;
}

std::span<const Rect> VisibleArea::rects() const {
    if (m_clipped) return m_region.rects;
    if (m_bounds.empty()) return {};
    return {&m_bounds, 1};
}

bool VisibleArea::contains(int x, int y) const {
    if (!m_clipped) return x >= m_bounds.left && x < m_bounds.right && y >= m_bounds.top && y < m_bounds.bottom;
    return raster::contains(m_region, x, y);
}

std::vector<Rect> VisibleArea::pieces(const Rect& area) const {
    std::vector<Rect> out;
    for (const Rect& r : rects()) {
        const Rect piece = intersect(area, r);
        if (!piece.empty()) out.push_back(piece);
    }
    return out;
}

raster::Region VisibleArea::cut(const raster::Region& shape) const {
    if (!m_clipped) return shape;
    return raster::combine(shape, m_region, raster::CombineOp::And);
}

}  // namespace zg
