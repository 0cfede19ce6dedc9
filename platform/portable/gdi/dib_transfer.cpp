// Device-independent bitmap transfers and stretching: SetDIBitsToDevice, StretchDIBits,
// StretchBlt and the DC's stretch mode. Sources are 32-bit BI_RGB pixels (a DIB in the caller's
// memory or another DC's surface), read in picture order: row 0 is the top row whatever the
// DIB's orientation. DIB source coordinates count rows from the bottom of the picture, for
// top-down DIBs too, as Windows does.
//
// Stretching follows GDI's integer stepper, measured against Wine pixel for pixel: on each axis
// a Bresenham walk (start error 3*minor - 2*major, step while the error is positive) splits the
// longer side into runs. Growing repeats a source pixel over a run of destination pixels;
// shrinking gives each destination pixel a run of source pixels, which BLACKONWHITE ANDs,
// WHITEONBLACK ORs and COLORONCOLOR thins (keeping the last pixel of a run across a row and the
// first down a column). The walk is evaluated in closed form, so a clipped transfer costs what
// its visible part costs and lights exactly the pixels of the unclipped one that lie inside.
// A negative extent walks its side backwards from the start pixel, which it covers.
#include "gdi/draw_target.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zg::gdi {

namespace {

// Pixels of a source in picture order; `stride` may be negative (a bottom-up DIB).
struct PixelSource {
    const std::uint32_t* top = nullptr;  // row 0 of the picture
    std::ptrdiff_t stride = 0;           // in pixels
    int width = 0, height = 0;
    std::uint32_t at(long long x, long long y) const { return top[y * stride + x]; }
};

// One side of a transfer: the pixels [lo, hi), walked from lo upwards or, when reversed, from
// hi - 1 downwards.
struct Extent {
    long long lo = 0, hi = 0;
    bool reversed = false;
    long long length() const { return hi - lo; }
    long long at(long long step) const { return reversed ? hi - 1 - step : lo + step; }
    long long step_of(long long coordinate) const { return reversed ? hi - 1 - coordinate : coordinate - lo; }
};

// A negative extent runs the other way and covers the start pixel: x = 10, w = -3 is [8, 11).
Extent extent_from(long long start, long long length) {
    if (length >= 0) return {start, start + length, false};
    return {start + length + 1, start + 1, true};
}

long long floor_div(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
long long ceil_div(long long a, long long b) { return -floor_div(-a, b); }

// The steps of a source run, as indices along the source extent (first <= last).
struct Run {
    long long first = 0, last = 0;
};

// The Bresenham walk between a source of `source` pixels and a destination of `dest` pixels.
// After n iterations of the walk with increments a = 2 * minor and b = 2 * major, the error
// stays in (a - b, a], which pins the number of minor steps taken to ceil((e0 + a(n-1)) / b).
class Stepper {
public:
    Stepper(long long source, long long dest) : m_source(source), m_dest(dest) {
        const long long minor = std::min(source, dest), major = std::max(source, dest);
        m_a = 2 * minor;
        m_b = 2 * major;
        m_err0 = 3 * minor - 2 * major;
    }

    Run run_of(long long k) const {
        if (m_dest > m_source) {
            const long long i = steps_after(k);
            return {i, i};
        }
        Run run{first_of(k), first_of(k + 1) - 1};
        run.last = std::min(run.last, m_source - 1);
        // One destination pixel takes every source pixel but the last (measured under Wine).
        if (m_dest == 1 && m_source > 1) run.last = m_source - 2;
        return run;
    }

private:
    long long steps_after(long long n) const { return ceil_div(m_err0 + m_a * (n - 1), m_b); }
    // The first source index whose walk has taken j minor steps.
    long long first_of(long long j) const { return std::max(0LL, floor_div(m_b * (j - 1) - m_err0, m_a) + 2); }

    long long m_source, m_dest;
    long long m_a = 0, m_b = 0, m_err0 = 0;
};

// Where one destination column (or row) reads: the source pixels of its run, clipped to the
// source, and the one COLORONCOLOR keeps.
struct AxisSample {
    long long pick = -1, lo = 0, hi = -1;
    bool empty() const { return pick < 0 || lo > hi; }
};

enum class Keep : std::uint8_t { First, Last };

std::vector<AxisSample> map_axis(const Extent& dst, const Extent& src, int size, int vis_lo, int vis_hi, Keep keep) {
    const Stepper stepper(src.length(), dst.length());
    std::vector<AxisSample> samples(static_cast<std::size_t>(vis_hi - vis_lo));
    for (int c = vis_lo; c < vis_hi; ++c) {
        const Run run = stepper.run_of(dst.step_of(c));
        const long long a = src.at(run.first), b = src.at(run.last);
        const long long kept = keep == Keep::First ? a : b;
        AxisSample& s = samples[static_cast<std::size_t>(c - vis_lo)];
        s.lo = std::max(std::min(a, b), 0LL);
        s.hi = std::min(std::max(a, b), static_cast<long long>(size) - 1);
        s.pick = kept >= 0 && kept < size ? kept : -1;
    }
    return samples;
}

std::uint32_t merge_run(const PixelSource& src, const AxisSample& x, const AxisSample& y, int mode) {
    std::uint32_t v = mode == BLACKONWHITE ? ~0u : 0u;
    for (long long yy = y.lo; yy <= y.hi; ++yy) {
        for (long long xx = x.lo; xx <= x.hi; ++xx) v = mode == BLACKONWHITE ? v & src.at(xx, yy) : v | src.at(xx, yy);
    }
    return v;
}

std::uint32_t sample(const PixelSource& src, const AxisSample& x, const AxisSample& y, int mode) {
    if (mode == BLACKONWHITE || mode == WHITEONBLACK) return merge_run(src, x, y, mode);
    return src.at(x.pick, y.pick);
}

bool is_source_rop(DWORD rop) {
    return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT || rop == NOTSRCCOPY;
}
bool is_pattern_rop(DWORD rop) {
    return rop == BLACKNESS || rop == WHITENESS || rop == DSTINVERT || rop == PATCOPY || rop == PATINVERT;
}


Rect clamp_rect(const Extent& x, const Extent& y) {
    auto clamp = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    return {clamp(x.lo), clamp(y.lo), clamp(x.hi), clamp(y.hi)};
}

struct StretchJob {
    Extent dx, dy, sx, sy;
    DWORD rop = SRCCOPY;
};

void stretch_pixels(DeviceContext& dc, Surface& dst, const PixelSource& src, const StretchJob& job) {
    const Rect area = intersect(clamp_rect(job.dx, job.dy), dst.bounds());
    if (area.empty()) return;
    const int mode = dc.stretch_mode;
    const auto xs = map_axis(job.dx, job.sx, src.width, area.left, area.right, Keep::Last);
    const auto ys = map_axis(job.dy, job.sy, src.height, area.top, area.bottom, Keep::First);
    for (const Rect& r : VisibleArea(dc, dst).pieces(area)) {
        for (int y = r.top; y < r.bottom; ++y) {
            const AxisSample& sy = ys[static_cast<std::size_t>(y - area.top)];
            if (sy.empty()) continue;
            std::uint32_t* row = dst.row(y);
            for (int x = r.left; x < r.right; ++x) {
                const AxisSample& sx = xs[static_cast<std::size_t>(x - area.left)];
                if (!sx.empty()) row[x] = apply_source_rop(job.rop, sample(src, sx, sy, mode), row[x]);
            }
        }
        dst.add_damage(r);
    }
}

// ---- DIB headers ---------------------------------------------------------------------------

struct DibView {
    int width = 0;
    int height = 0;  // rows, always positive
    bool top_down = false;
};

// Only 32-bit uncompressed DIBs are read; other formats fail the call.
std::optional<DibView> read_header(const BITMAPINFO* info, const void* bits) {
    if (info == nullptr || bits == nullptr) return std::nullopt;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB) return std::nullopt;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return std::nullopt;
    return DibView{h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, h.biHeight < 0};
}

PixelSource whole_dib(const DibView& dib, const void* bits) {
    const auto* base = static_cast<const std::uint32_t*>(bits);
    if (dib.top_down) return {base, dib.width, dib.width, dib.height};
    return {base + static_cast<std::ptrdiff_t>(dib.height - 1) * dib.width, -static_cast<std::ptrdiff_t>(dib.width),
            dib.width, dib.height};
}

// A DIB source rectangle counts rows from the bottom; in picture rows the run goes downwards
// from the top of the rectangle, or upwards when the height is negative.
Extent dib_rows(int height, long long y, long long h) {
    if (h >= 0) return {height - (y + h), height - y, false};
    return {height - y, height - (y + h), true};
}

// ---- SetDIBitsToDevice ---------------------------------------------------------------------

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
    const long long count = dib.top_down ? lines : std::min<long long>(lines, dib.height - static_cast<long long>(start));
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

int set_dibits(HDC hdc, const DibsJob& job, UINT start, UINT lines, const void* bits, const BITMAPINFO* info) {
    DeviceContext* dc = lookup_dc(hdc);
    const std::optional<DibView> dib = read_header(info, bits);
    if (dc == nullptr || !dib || job.w > INT_MAX || job.h > INT_MAX) return 0;
    if (job.w == 0 || job.xs >= dib->width || job.xs + job.w <= 0) return 0;
    const std::optional<Band> band = supplied_band(*dib, start, lines);
    if (!band) return 0;
    if (Surface* dst = dc->surface()) copy_band(*dc, *dst, *dib, *band, bits, job);
    return lines_reported(*band, job);
}

// ---- StretchDIBits and StretchBlt -------------------------------------------------------------

bool valid_extent(int v) { return v != INT_MIN; }

int stretch_dibits(HDC hdc, const StretchJob& job, const void* bits, const BITMAPINFO* info) {
    DeviceContext* dc = lookup_dc(hdc);
    const std::optional<DibView> dib = read_header(info, bits);
    if (dc == nullptr || !dib || job.sx.length() == 0 || job.sy.length() == 0) return 0;
    if (!is_source_rop(job.rop) && !is_pattern_rop(job.rop)) return 0;
    // Wine reports the header's height, sign and all, except for a plain copy.
    const int reported = job.rop == SRCCOPY ? dib->height : info->bmiHeader.biHeight;
    if (is_pattern_rop(job.rop)) {
        PatBlt(hdc, static_cast<int>(job.dx.at(0)), static_cast<int>(job.dy.at(0)),
               static_cast<int>(job.dx.reversed ? -job.dx.length() : job.dx.length()),
               static_cast<int>(job.dy.reversed ? -job.dy.length() : job.dy.length()), job.rop);
        return reported;
    }
    Surface* dst = dc->surface();
    if (dst != nullptr && job.dx.length() != 0 && job.dy.length() != 0)
        stretch_pixels(*dc, *dst, whole_dib(*dib, bits), job);
    return reported;
}

PixelSource surface_source(Surface& s) { return {s.row(0), s.stride(), s.width(), s.height()}; }

BOOL stretch_blt(HDC hdc, const StretchJob& job, HDC hdc_src) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return FALSE;
    if (is_pattern_rop(job.rop)) {
        return PatBlt(hdc, static_cast<int>(job.dx.at(0)), static_cast<int>(job.dy.at(0)),
                      static_cast<int>(job.dx.reversed ? -job.dx.length() : job.dx.length()),
                      static_cast<int>(job.dy.reversed ? -job.dy.length() : job.dy.length()), job.rop);
    }
    DeviceContext* src_dc = lookup_dc(hdc_src);
    if (src_dc == nullptr || !is_source_rop(job.rop)) return FALSE;
    Surface* dst = dc->surface();
    Surface* src = src_dc->surface();
    if (dst == nullptr || src == nullptr || src->width() == 0 || src->height() == 0) return TRUE;
    if (job.dx.length() == 0 || job.dy.length() == 0 || job.sx.length() == 0 || job.sy.length() == 0) return TRUE;
    if (src != dst) {
        stretch_pixels(*dc, *dst, surface_source(*src), job);
        return TRUE;
    }
    // Reading and writing one surface: read from a copy so that no pixel is read after it is
    // overwritten.
    Surface copy(src->width(), src->height());
    for (int y = 0; y < src->height(); ++y) std::copy(src->row(y), src->row(y) + src->width(), copy.row(y));
    stretch_pixels(*dc, *dst, surface_source(copy), job);
    return TRUE;
}

}  // namespace

}  // namespace zg::gdi

using namespace zg;
using gdi::extent_from;

extern "C" {

int WINAPI SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return std::exchange(dc->stretch_mode, mode);
}

int WINAPI GetStretchBltMode(HDC hdc) {
    const DeviceContext* dc = lookup_dc(hdc);
    return dc != nullptr ? dc->stretch_mode : 0;
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop) {
    if (!gdi::valid_extent(wDest) || !gdi::valid_extent(hDest) || !gdi::valid_extent(wSrc) || !gdi::valid_extent(hSrc))
        return FALSE;
    const gdi::StretchJob job{extent_from(xDest, wDest), extent_from(yDest, hDest), extent_from(xSrc, wSrc),
                              extent_from(ySrc, hSrc), rop};
    return gdi::stretch_blt(hdcDest, job, hdcSrc);
}

int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                         int SrcWidth, int SrcHeight, LPCVOID lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                         DWORD rop) {
    (void)iUsage;  // a 32-bit DIB has no colour table, so the usage changes nothing
    if (!gdi::valid_extent(DestWidth) || !gdi::valid_extent(DestHeight) || !gdi::valid_extent(SrcWidth) ||
        !gdi::valid_extent(SrcHeight) || lpbmi == nullptr)
        return 0;
    const int rows = lpbmi->bmiHeader.biHeight == INT32_MIN ? 0 : std::abs(lpbmi->bmiHeader.biHeight);
    const gdi::StretchJob job{extent_from(xDest, DestWidth), extent_from(yDest, DestHeight),
                              extent_from(xSrc, SrcWidth), gdi::dib_rows(rows, ySrc, SrcHeight), rop};
    return gdi::stretch_dibits(hdc, job, lpBits, lpbmi);
}

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                             UINT cLines, LPCVOID lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
    (void)ColorUse;  // as in StretchDIBits
    const gdi::DibsJob job{xDest, yDest, w, h, xSrc, ySrc};
    return gdi::set_dibits(hdc, job, StartScan, cLines, lpvBits, lpbmi);
}

}  // extern "C"
