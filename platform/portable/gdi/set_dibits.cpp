// SetDIBitsToDevice: a band of scan lines of a 32-bit DIB copied unscaled onto a DC, clipped to
// its visible area. Source coordinates count rows from the bottom of the picture in either
// orientation, and the count returned follows Windows' rules for bands that miss the rectangle
// (measured under Wine).
#include "dc/visible_area.h"
#include "gdi/dib_header.h"
#include "memory_guard.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace zg::gdi {

namespace {

// The scan lines the caller supplied, [first, first + count) counted from the bottom, and the
// memory row of each.
struct Band {
    long long first = 0, count = 0;
    bool top_down = false;
    long long memory_row(long long r) const { return top_down ? first + count - 1 - r : r - first; }
    bool holds(long long r) const { return r >= first && r < first + count; }
};

// Windows clamps a bottom-up band to the picture but refuses a top-down band taller than it.
std::optional<Band> supplied_band(const DibView& dib, UINT start, UINT lines) {
    if (lines == 0 || start >= static_cast<UINT>(dib.height)) return std::nullopt;
    if (dib.top_down && lines > static_cast<UINT>(dib.height)) return std::nullopt;
    const long long count =
        dib.top_down ? lines : std::min<long long>(lines, dib.height - static_cast<long long>(start));
    return Band{start, count, dib.top_down};
}

struct DibsJob {
    long long x = 0, y = 0, w = 0, h = 0, xs = 0, ys = 0;
};

void copy_band(DeviceContext& dc, Surface& dst, const DibView& dib, const Band& band, const void* bits,
               const DibsJob& j) {
    const Rect area{static_cast<int>(std::clamp<long long>(j.x + std::max(0LL, -j.xs), INT_MIN, INT_MAX)),
                    static_cast<int>(std::clamp<long long>(j.y, INT_MIN, INT_MAX)),
                    static_cast<int>(std::clamp<long long>(j.x + std::min(j.w, dib.width - j.xs), INT_MIN, INT_MAX)),
                    static_cast<int>(std::clamp<long long>(j.y + j.h, INT_MIN, INT_MAX))};
    const auto* base = static_cast<const std::uint32_t*>(bits);
    for (const Rect& r : VisibleArea(dc, dst).pieces(area)) {
        for (int y = r.top; y < r.bottom; ++y) {
            const long long from_bottom = j.ys + j.h - 1 - (y - j.y);
            if (!band.holds(from_bottom)) continue;
            const std::uint32_t* in = base + band.memory_row(from_bottom) * dib.width + (j.xs - j.x + r.left);
            std::copy(in, in + r.width(), dst.row(y) + r.left);
        }
        dst.add_damage(r);
    }
}

// The count Wine reports: a top-down DIB reports every line supplied; a bottom-up one the
// supplied lines up to the top of the source rectangle.
int lines_reported(const Band& band, const DibsJob& j) {
    if (band.top_down) return static_cast<int>(band.count);
    return static_cast<int>(std::max(0LL, std::min(band.first + band.count, j.ys + j.h) - band.first));
}

// The count when nothing is drawn, measured under Wine: a bottom-up band then reports none; a
// top-down band reports all its lines when it lies wholly above the source rectangle or, if the
// columns meet the picture, when it merely does not end below the rectangle's bottom row.
int lines_missed(const Band& band, const DibsJob& j, bool columns_meet) {
    if (!band.top_down) return 0;
    const bool above = band.first >= j.ys + j.h;
    const bool reaches = band.first + band.count > j.ys;
    return above || (columns_meet && reaches) ? static_cast<int>(band.count) : 0;
}

int set_dibits(HDC hdc, const DibsJob& job, UINT start, UINT lines, const void* bits, const BITMAPINFO* info) {
    DeviceContext* dc = lookup_dc(hdc);
    const std::optional<DibView> dib = read_dib(info, bits);
    if (dc == nullptr || !dib || job.w > INT_MAX || job.h > INT_MAX || job.w == 0) return 0;
    const std::optional<Band> band = supplied_band(*dib, start, lines);
    if (!band) return 0;
    // Columns outside the picture or supplied lines that miss the source rectangle: nothing to do.
    const bool columns_meet = job.xs < dib->width && job.xs + job.w > 0;
    const bool rows_meet = std::max(band->first, job.ys) < std::min(band->first + band->count, job.ys + job.h);
    if (!columns_meet || !rows_meet) return lines_missed(*band, job, columns_meet);
    if (Surface* dst = dc->surface()) copy_band(*dc, *dst, *dib, *band, bits, job);
    return lines_reported(*band, job);
}

}  // namespace

}  // namespace zg::gdi

extern "C" {

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                             UINT cLines, LPCVOID lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
    (void)ColorUse;  // as in StretchDIBits
    const zg::gdi::DibsJob job{xDest, yDest, w, h, xSrc, ySrc};
    return zg::within_memory(0, [&] { return zg::gdi::set_dibits(hdc, job, StartScan, cLines, lpvBits, lpbmi); });
}

}  // extern "C"
