// StretchDIBits, StretchBlt and the DC's stretch mode. Sources are 32-bit BI_RGB pixels (a DIB in
// the caller's memory or another DC's surface), read in picture order: row 0 is the top row
// whatever the DIB's orientation. DIB source coordinates count rows from the bottom of the
// picture, for top-down DIBs too, as Windows does.
//
// Which source pixels each destination pixel reads is raster/stretch_axis.h's business, one axis
// at a time; here the two axes meet the pixels. Shrinking gives a destination pixel a run of
// source pixels, which BLACKONWHITE ANDs, WHITEONBLACK ORs and COLORONCOLOR thins.
#include "gdi/blit_rows.h"
#include "gdi/dib_header.h"
#include "gdi/draw_target.h"
#include "gdi/surface_transfers.h"
#include "memory_guard.h"
#include "raster/column_pick.h"
#include "raster/stretch_axis.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zg::gdi {

namespace {

using raster::AxisSample;
using raster::Extent;
using raster::extent_from;
using raster::SampleRange;

// Pixels of a source in picture order; `stride` may be negative (a bottom-up DIB).
struct PixelSource {
    const std::uint32_t* top = nullptr;  // row 0 of the picture
    std::ptrdiff_t stride = 0;           // in pixels
    int width = 0, height = 0;
    std::uint32_t at(long long x, long long y) const { return top[y * stride + x]; }
};

// The source column of every destination pixel of the range: picture widths fit an int.
std::vector<std::int32_t> columns_of(const std::vector<AxisSample>& xs, SampleRange range) {
    std::vector<std::int32_t> columns(static_cast<std::size_t>(range.size()));
    for (std::size_t i = 0; i < columns.size(); ++i)
        columns[i] = static_cast<std::int32_t>(xs[static_cast<std::size_t>(range.first) + i].pick);
    return columns;
}

bool same_run(const AxisSample& a, const AxisSample& b) { return a.pick == b.pick && a.lo == b.lo && a.hi == b.hi; }

bool merges(int mode) { return mode == BLACKONWHITE || mode == WHITEONBLACK; }

// One destination row's source pixels, built once per distinct source row run. BLACKONWHITE
// and WHITEONBLACK merge their runs down each column first and then across, so the cost is the
// source area visited plus the destination area, however thin and long the source.
class RowSampler {
public:
    // `picks` holds the source column of each of the range's samples (columns_of), built once
    // per call and shared by the samplers of its row chunks.
    RowSampler(const PixelSource& src, const std::vector<AxisSample>& xs, SampleRange range, int mode,
               const raster::ColumnPicks& picks)
        : m_src(src), m_xs(xs), m_range(range), m_mode(mode), m_row(static_cast<std::size_t>(range.size())),
          m_picks(picks) {
        for (std::size_t i = 0; i < m_row.size(); ++i) m_single_columns = m_single_columns && x_at(i).lo == x_at(i).hi;
    }

    // The samples of [range.first, range.last] for the source rows of `y`.
    const std::uint32_t* row(const AxisSample& y) {
        if (m_have && same_run(y, m_y)) return m_row.data();
        m_have = true;
        m_y = y;
        // Runs of one pixel merge nothing: growing and 1:1 sides read like COLORONCOLOR.
        if (merges(m_mode) && (y.lo != y.hi || !m_single_columns))
            merge_row(y);
        else
            pick_row(y);
        return m_row.data();
    }

private:
    const AxisSample& x_at(std::size_t i) const { return m_xs[static_cast<std::size_t>(m_range.first) + i]; }

    void pick_row(const AxisSample& y) { m_picks.pick(m_row.data(), m_src.top + y.pick * m_src.stride); }

    std::uint32_t fold(std::uint32_t v, std::uint32_t p) const { return m_mode == BLACKONWHITE ? v & p : v | p; }

    void merge_row(const AxisSample& y) {
        const std::uint32_t start = m_mode == BLACKONWHITE ? ~0u : 0u;
        const long long c0 = std::min(x_at(0).lo, x_at(m_row.size() - 1).lo);
        const long long c1 = std::max(x_at(0).hi, x_at(m_row.size() - 1).hi);
        m_columns.assign(static_cast<std::size_t>(c1 - c0 + 1), start);
        for (long long yy = y.lo; yy <= y.hi; ++yy) {
            const std::uint32_t* line = m_src.top + yy * m_src.stride + c0;
            for (std::size_t c = 0; c < m_columns.size(); ++c) m_columns[c] = fold(m_columns[c], line[c]);
        }
        for (std::size_t i = 0; i < m_row.size(); ++i) {
            std::uint32_t v = start;
            for (long long c = x_at(i).lo; c <= x_at(i).hi; ++c)
                v = fold(v, m_columns[static_cast<std::size_t>(c - c0)]);
            m_row[i] = v;
        }
    }

    const PixelSource& m_src;
    const std::vector<AxisSample>& m_xs;
    SampleRange m_range;
    int m_mode;
    std::vector<std::uint32_t> m_row, m_columns;
    const raster::ColumnPicks& m_picks;
    bool m_single_columns = true;
    AxisSample m_y;
    bool m_have = false;
};

Rect clamp_rect(const Extent& x, const Extent& y) {
    auto clamp = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    return {clamp(x.lo), clamp(y.lo), clamp(x.hi), clamp(y.hi)};
}

struct StretchJob {
    Extent dx, dy, sx, sy;
    DWORD rop = SRCCOPY;
    raster::SinglePixel single = raster::SinglePixel::AllButLast;
};

// A side of equal lengths walked the same way on both rectangles maps every pixel to the one
// at a fixed offset: source = destination + (src.lo - dst.lo).
bool unscaled(const Extent& d, const Extent& s) { return d.length() == s.length() && d.reversed == s.reversed; }

// An unscaled transfer: the rows that meet the picture, straight from it, with no sample tables.
void copy_unscaled(DeviceContext& dc, Surface& dst, const PixelSource& src, const StretchJob& job,
                   const raster::Rop3& op, const Rect& area) {
    const long long ox = job.sx.lo - job.dx.lo, oy = job.sy.lo - job.dy.lo;
    const Rect picture = clamp_rect({-ox, src.width - ox}, {-oy, src.height - oy});
    const Rect sampled = intersect(area, picture);
    if (sampled.empty()) return;
    for (const Rect& r : VisibleArea(dc, dst).pieces(sampled)) {
        const std::uint32_t* in = src.top + (r.top + oy) * src.stride + (r.left + ox);
        if (op.is_copy()) {
            copy_rows(dst.row(r.top) + r.left, dst.stride(), in, src.stride, r.width(), r.height());
        } else {
            auto rop_rows = [&](int first, int end) {
                for (int y = first; y < end; ++y)
                    raster::rop_row(dst.row(r.top + y) + r.left, in + y * src.stride, r.width(), op);
            };
            // The caller's pixels may be the picture's own: then in order.
            transfer_rows({dst.row(r.top) + r.left, dst.stride(), r.width(), r.height()},
                          {in, src.stride, r.width(), r.height()}, rop_rows);
        }
        dst.add_damage(r);
    }
}

void stretch_pixels(DeviceContext& dc, Surface& dst, const PixelSource& src, const StretchJob& job,
                    const raster::Rop3& op) {
    const Rect area = intersect(clamp_rect(job.dx, job.dy), dst.bounds());
    if (area.empty()) return;
    if (unscaled(job.dx, job.sx) && unscaled(job.dy, job.sy)) {
        copy_unscaled(dc, dst, src, job, op, area);
        return;
    }
    const int mode = dc.stretch_mode;
    const auto xs = raster::map_axis(job.dx, job.sx, src.width, area.left, area.right, raster::Keep::Last, job.single);
    const auto ys =
        raster::map_axis(job.dy, job.sy, src.height, area.top, area.bottom, raster::Keep::First, job.single);
    const SampleRange cols = raster::valid_range(xs);
    if (cols.size() <= 0) return;
    const Rect sampled{area.left + cols.first, area.top, area.left + cols.last + 1, area.bottom};
    const bool direct = raster::one_to_one(xs, cols);
    const raster::ColumnPicks picks(columns_of(xs, cols), src.width);
    for (const Rect& r : VisibleArea(dc, dst).pieces(sampled)) {
        // Rows [first, end) of r, with a sampler of their own.
        auto stretch_rows = [&](int first, int end) {
            RowSampler sampler(src, xs, cols, mode, picks);
            for (int y = r.top + first; y < r.top + end; ++y) {
                const AxisSample& sy = ys[static_cast<std::size_t>(y - area.top)];
                if (sy.empty()) continue;
                const int skip = r.left - sampled.left;
                const std::uint32_t* in =
                    direct && (sy.lo == sy.hi || !merges(mode))
                        ? src.top + sy.pick * src.stride + xs[static_cast<std::size_t>(cols.first)].pick
                        : sampler.row(sy);
                raster::rop_row(dst.row(y) + r.left, in + skip, r.width(), op);
            }
        };
        // A stretch within one picture reads rows that it may already have written: in order.
        transfer_rows({dst.row(r.top) + r.left, dst.stride(), r.width(), r.height()},
                      {src.top, src.stride, src.width, src.height}, stretch_rows);
        dst.add_damage(r);
    }
}

// ---- Stretches that fail ------------------------------------------------------------------

// A stretch fails, measured under Wine on all four edges: when on both sides the source carried
// onto the destination reaches or touches the visible box (the surface cut by the clip region's
// bounds, as GetClipBox gives them: the bounds of the whole region, also of parts beyond the
// surface), and yet no pixel of the box takes a pixel of the picture. Where the source lands
// wholly beside the box the call succeeds, drawing nothing, as it does when the box is empty.
bool stretch_fails(DeviceContext& dc, Surface& dst, int src_w, int src_h, const StretchJob& job) {
    if (job.sx.lo >= 0 && job.sx.hi <= src_w && job.sy.lo >= 0 && job.sy.hi <= src_h) return false;
    const Rect clip_box = dc.has_clip ? intersect(dc.clip.extents, dst.bounds()) : dst.bounds();
    const Rect box = intersect(clip_box, clamp_rect(job.dx, job.dy));
    if (box.empty() || !raster::lands_on(job.dx, job.sx, src_w, box.left, box.right) ||
        !raster::lands_on(job.dy, job.sy, src_h, box.top, box.bottom))
        return false;
    return !raster::takes_picture(job.dx, job.sx, src_w, box.left, box.right, raster::Keep::Last, job.single) ||
           !raster::takes_picture(job.dy, job.sy, src_h, box.top, box.bottom, raster::Keep::First, job.single);
}

// ---- DIB sources ---------------------------------------------------------------------------

PixelSource whole_dib(const DibView& dib, const void* bits) {
    const auto* base = static_cast<const std::uint32_t*>(bits);
    if (dib.top_down) return {base, dib.width, dib.width, dib.height};
    return {base + static_cast<std::ptrdiff_t>(dib.height - 1) * dib.width, -static_cast<std::ptrdiff_t>(dib.width),
            dib.width, dib.height};
}

// The picture rows of a DIB source rectangle, as Windows reads them (measured under Wine). A
// plain copy counts rows from the bottom in either orientation; other codes do so for a
// bottom-up DIB but count from the top of a top-down one, where a negative height starts one
// row further down.
Extent dib_rows(int height, bool top_down, long long y, long long h, DWORD rop) {
    if (rop == SRCCOPY || !top_down) return extent_from(height - y - h, h);
    return extent_from(h >= 0 ? y : y + 1, h);
}

// A side whose destination and source extents are both negative and equal is no mirror at all,
// and codes other than a plain copy then take it as the pixels before each start point rather
// than the ones ending at it: x = 10, w = -3 is [7, 10) on both rectangles (measured under Wine;
// a stretched side keeps the usual rule).
bool reflected_unscaled(DWORD rop, int dest, int source) { return rop != SRCCOPY && dest < 0 && dest == source; }

void shift_back(Extent& dest, Extent& source, long long source_rows) {
    dest = {dest.lo - 1, dest.hi - 1, dest.reversed};
    source = {source.lo - source_rows, source.hi - source_rows, source.reversed};
}

// ---- StretchDIBits and StretchBlt -------------------------------------------------------------

bool valid_extent(int v) { return v != INT_MIN; }

bool uses_source(DWORD rop) { return raster::rop_uses_source(raster::rop_index(rop)); }

// A code without a source is a pattern fill of the destination rectangle.
BOOL pattern_only(HDC hdc, const StretchJob& job) {
    return PatBlt(hdc, static_cast<int>(job.dx.at(0)), static_cast<int>(job.dy.at(0)),
                  static_cast<int>(job.dx.reversed ? -job.dx.length() : job.dx.length()),
                  static_cast<int>(job.dy.reversed ? -job.dy.length() : job.dy.length()), job.rop);
}

bool meets(const Extent& e, int size) { return e.lo < size && e.hi > 0; }

int stretch_dibits(HDC hdc, const StretchJob& job, const void* bits, const BITMAPINFO* info) {
    DeviceContext* dc = lookup_dc(hdc);
    const std::optional<DibView> dib = read_dib(info, bits);
    if (dc == nullptr || !dib || job.sx.length() == 0 || job.sy.length() == 0) return 0;
    // A source rectangle wholly outside the picture fails the call.
    if (!meets(job.sx, dib->width) || !meets(job.sy, dib->height)) return 0;
    // Wine reports the header's height, sign and all, except for a plain copy.
    const int reported = job.rop == SRCCOPY ? dib->height : info->bmiHeader.biHeight;
    // A code without a source still fills only where the source rectangle meets the picture.
    Surface* dst = dc->surface();
    const std::optional<raster::Rop3> op = resolve_rop(*dc, job.rop);
    if (dst == nullptr || job.dx.length() == 0 || job.dy.length() == 0) return reported;
    if (stretch_fails(*dc, *dst, dib->width, dib->height, job)) return 0;
    if (op) stretch_pixels(*dc, *dst, whole_dib(*dib, bits), job, *op);
    return reported;
}

PixelSource surface_source(Surface& s) { return {s.row(0), s.stride(), s.width(), s.height()}; }

BOOL stretch_blt(HDC hdc, const StretchJob& job, HDC hdc_src) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return FALSE;
    if (!uses_source(job.rop)) return pattern_only(hdc, job);
    DeviceContext* src_dc = lookup_dc(hdc_src);
    if (src_dc == nullptr) return FALSE;
    Surface* dst = dc->surface();
    Surface* src = src_dc->surface();
    const std::optional<raster::Rop3> op = resolve_rop(*dc, job.rop);
    if (dst == nullptr || src == nullptr || !op || src->width() == 0 || src->height() == 0) return TRUE;
    if (job.dx.length() == 0 || job.dy.length() == 0 || job.sx.length() == 0 || job.sy.length() == 0) return TRUE;
    if (stretch_fails(*dc, *dst, src->width(), src->height(), job)) return FALSE;
    if (src != dst) {
        stretch_pixels(*dc, *dst, surface_source(*src), job, *op);
        return TRUE;
    }
    // Reading and writing one surface: read from a copy so that no pixel is read after it is
    // overwritten.
    Surface copy(src->width(), src->height());
    for (int y = 0; y < src->height(); ++y) std::copy(src->row(y), src->row(y) + src->width(), copy.row(y));
    stretch_pixels(*dc, *dst, surface_source(copy), job, *op);
    return TRUE;
}

}  // namespace

BOOL stretch_onto_surface(HDC hdc, const BlockTransfer& t) {
    const StretchJob job{extent_from(t.x, t.width), extent_from(t.y, t.height), extent_from(t.source_x, t.source_width),
                         extent_from(t.source_y, t.source_height), t.rop};
    return stretch_blt(hdc, job, t.source);
}

}  // namespace zg::gdi

using namespace zg;
using raster::extent_from;

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
    return within_memory(FALSE, [&] {
        Device* device = device_of(hdcDest);
        return device != nullptr
                   ? device->stretch_blt(hdcDest, {xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop})
                   : FALSE;
    });
}

int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                         int SrcHeight, LPCVOID lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop) {
    (void)iUsage;  // a 32-bit DIB has no colour table, so the usage changes nothing
    if (!gdi::valid_extent(DestWidth) || !gdi::valid_extent(DestHeight) || !gdi::valid_extent(SrcWidth) ||
        !gdi::valid_extent(SrcHeight) || lpbmi == nullptr)
        return 0;
    const LONG height = lpbmi->bmiHeader.biHeight;
    const int rows = height == INT32_MIN ? 0 : std::abs(height);
    gdi::StretchJob job{extent_from(xDest, DestWidth),
                        extent_from(yDest, DestHeight),
                        extent_from(xSrc, SrcWidth),
                        gdi::dib_rows(rows, height < 0, ySrc, SrcHeight, rop),
                        rop,
                        raster::SinglePixel::All};
    if (gdi::reflected_unscaled(rop, DestWidth, SrcWidth)) gdi::shift_back(job.dx, job.sx, 1);
    // Rows of a top-down source lose the extra row a negative height otherwise starts down.
    if (gdi::reflected_unscaled(rop, DestHeight, SrcHeight)) gdi::shift_back(job.dy, job.sy, height < 0 ? 2 : 1);
    return within_memory(0, [&] { return gdi::stretch_dibits(hdc, job, lpBits, lpbmi); });
}

}  // extern "C"
