// PolyBezier against the pixels GDI paints (bezier_wine_curves.h, measured under Wine). The
// same test runs cross-built under Wine, where it checks the table itself.
#include "bezier_wine_curves.h"

#include <platform/win32.h>

#include "../dib_canvas.h"

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
class Canvas : public zg_test::DibCanvas {
public:
    Canvas() : DibCanvas(kSize, kSize, 0xFFFFFFFFu) { m_old_pen = SelectObject(dc(), GetStockObject(BLACK_PEN)); }
    ~Canvas() { SelectObject(dc(), m_old_pen); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The painted pixels as runs per scan line, top to bottom, left to right.
    std::vector<Run> runs() const {
        GdiFlush();
        std::vector<Run> out;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if ((at(x, y) & 0xFFFFFFu) == 0xFFFFFFu) continue;
                if (!out.empty() && out.back().y == y && out.back().last == x - 1)
                    out.back().last = x;
                else
                    out.push_back({y, x, x});
            }
        return out;
    }

private:
    HGDIOBJ m_old_pen = nullptr;
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
