// Pixel buffers; see surface.h.
#include "surface/surface.h"

#include <algorithm>

namespace zg {

Rect intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.empty()) return {};
    return r;
}

Rect unite(const Rect& a, const Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Surface::Surface(int width, int height, std::uint32_t fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_stride(m_width),
      m_storage(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill),
      m_pixels(m_storage.data()) {}

Surface::Surface(int width, int height, int stride_pixels, std::uint32_t* borrowed)
    : m_width(width), m_height(height), m_stride(stride_pixels), m_pixels(borrowed) {}

bool Surface::get(int x, int y, std::uint32_t& out) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return false;
    out = row(y)[x];
    return true;
}

void Surface::grow_damage(const Rect& r) { m_damage = unite(m_damage, intersect(r, bounds())); }

Rect Surface::take_damage() {
    Rect d = m_damage;
    m_damage = {};
    return d;
}

}  // namespace zg
