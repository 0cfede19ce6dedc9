// A 32-bit pixel buffer that device contexts draw into: a window's client area, a memory
// bitmap or a DIB section.
//
// Pixels are stored as DIB sections store them: rows top to bottom, each pixel the bytes
// blue, green, red, reserved, so as a 32-bit word 0x00RRGGBB (COLORREF is 0x00BBGGRR: use
// to_pixel / to_colorref to convert). The buffer is either owned (m_storage) or borrowed
// (DIB memory the caller handed over). Every write goes through a span or rectangle call
// or is followed by add_damage(), so a display can present only what changed.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <vector>

namespace zg {

constexpr std::uint32_t to_pixel(COLORREF c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
constexpr COLORREF to_colorref(std::uint32_t p) { return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu); }

// Half-open integer rectangle [left, right) x [top, bottom).
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr bool empty() const { return left >= right || top >= bottom; }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    // Column x held within [left, right]: where a span from x starts or ends once cut.
    constexpr int column_within(long long x) const { return static_cast<int>(x < left ? left : x > right ? right : x); }
};
Rect intersect(const Rect& a, const Rect& b);
Rect unite(const Rect& a, const Rect& b);  // bounding box; an empty side is ignored

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, std::uint32_t fill = 0);                      // owns its pixels
    Surface(int width, int height, int stride_pixels, std::uint32_t* borrowed);  // borrows

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }  // in pixels
    Rect bounds() const { return {0, 0, m_width, m_height}; }

    std::uint32_t* row(int y) { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_stride; }
    const std::uint32_t* row(int y) const { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_stride; }
    std::uint32_t* data() { return m_pixels; }

    // Pixel read with bounds checks; false outside the surface.
    bool get(int x, int y, std::uint32_t& out) const;

    // The area written since the last take_damage(); displays present it. Most writes of a
    // frame land inside what the frame has already changed, which needs no union.
    void add_damage(const Rect& r) {
        ++m_writes;
        if (r.left < m_damage.left || r.top < m_damage.top || r.right > m_damage.right || r.bottom > m_damage.bottom)
            grow_damage(r);
    }
    Rect take_damage();
    const Rect& damage() const { return m_damage; }
    // Counts add_damage calls: a display tells a program that is drawing from one that waits.
    std::uint64_t writes() const { return m_writes; }

private:
    void grow_damage(const Rect& r);

    int m_width = 0, m_height = 0, m_stride = 0;
    std::vector<std::uint32_t> m_storage;
    std::uint32_t* m_pixels = nullptr;
    Rect m_damage{};
    std::uint64_t m_writes = 0;
};

}  // namespace zg
