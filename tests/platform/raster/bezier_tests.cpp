// PolyBezier against the pixels GDI paints (bezier_wine_curves.h, measured under Wine). The
// same test runs cross-built under Wine, where it checks the table itself.
#include "bezier_wine_curves.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

namespace wine_beziers {
// Failures print runs as "y:first-last", not as bytes.
void PrintTo(const Run& run, std::ostream* out) { *out << run.y << ':' << run.first << '-' << run.last; }
}  // namespace wine_beziers

namespace {

using wine_beziers::kSize;
using wine_beziers::Run;

// A white kSize x kSize top-down DIB section in a memory DC, a black cosmetic pen selected.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        std::memset(m_bits, 0xFF, static_cast<std::size_t>(kSize) * kSize * 4);
        m_old_bitmap = SelectObject(m_dc, m_bitmap);
        m_old_pen = SelectObject(m_dc, GetStockObject(BLACK_PEN));
    }
    ~Canvas() {
        SelectObject(m_dc, m_old_pen);
        SelectObject(m_dc, m_old_bitmap);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    // The painted pixels as runs per scan line, top to bottom, left to right.
    std::vector<Run> runs() const {
        GdiFlush();
        std::vector<Run> out;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (!painted(x, y)) continue;
                if (!out.empty() && out.back().y == y && out.back().last == x - 1)
                    out.back().last = x;
                else
                    out.push_back({y, x, x});
            }
        return out;
    }

private:
    bool painted(int x, int y) const {
        return (static_cast<const DWORD*>(m_bits)[y * kSize + x] & 0xFFFFFFu) != 0xFFFFFFu;
    }

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old_bitmap = nullptr, m_old_pen = nullptr;
    void* m_bits = nullptr;
};

TEST(PolyBezier, PaintsThePixelsGdiPaints) {
    for (const auto& curve : wine_beziers::curves()) {
        SCOPED_TRACE(curve.what);
        Canvas canvas;
        EXPECT_TRUE(PolyBezier(canvas.dc(), curve.points.data(), static_cast<DWORD>(curve.points.size())));
        EXPECT_EQ(canvas.runs(), curve.runs);
    }
}

TEST(PolyBezier, RefusesCountsThatAreNotWholeSegmentsAndPaintsNothing) {
    const POINT points[] = {{1, 1}, {30, 60}, {60, 1}, {90, 60}, {120, 1}, {100, 100}, {5, 100}};
    for (DWORD count : {0u, 1u, 2u, 3u, 5u, 6u}) {
        SCOPED_TRACE(count);
        Canvas canvas;
        EXPECT_FALSE(PolyBezier(canvas.dc(), points, count));
        EXPECT_TRUE(canvas.runs().empty());
    }
}

}  // namespace
