// The visible area of one drawing call: the part of the DC's surface that drawing may change,
// which is the surface cut by the DC's clip region when it has one. Every drawing call builds
// it once, before it writes, and hands its rectangles (or a shape cut by it) to the raster
// code; nothing below clips against the clip region again. Without a clip region the area is
// the surface's own rectangle, held inline, so building it allocates nothing.
#pragma once

#include "dc/device_context.h"

#include <span>

namespace zg {

class VisibleArea {
public:
    VisibleArea() = default;  // nothing visible
    VisibleArea(const DeviceContext& dc, const Surface& surface);

    // Disjoint rectangles, all inside the surface, banded top to bottom.
    std::span<const Rect> rects() const;
    const Rect& bounds() const { return m_bounds; }
    bool empty() const { return m_bounds.empty(); }
    // True when no clip region limits drawing: the area is the whole surface.
    bool whole_surface() const { return !m_clipped; }
    bool contains(int x, int y) const;

    // The visible rectangles within area, for calls that write rectangle by rectangle.
    std::vector<Rect> pieces(const Rect& area) const;

    // The part of a shape that is visible (the shape itself when the area is the whole surface:
    // the span fills clip to the surface).
    raster::Region cut(const raster::Region& shape) const;

private:
    bool m_clipped = false;
    Rect m_bounds{};
    raster::Region m_region;  // the rectangles, when clipped
};

}  // namespace zg
