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
// A negative extent walks its side backwards from the start pixel, which it covers. Where the
// source rectangle reaches beyond the picture, a destination pixel whose run still reaches into
// it keeps the picture's edge pixel.
#include "gdi/blit_rows.h"
#include "gdi/draw_target.h"
#include "gdi/surface_transfers.h"

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
    Stepper(long long source, long long dest, bool short_single = true)
        : m_source(source), m_dest(dest), m_short_single(short_single) {
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
        // One destination pixel takes every source pixel but the last, when short_single is set.
        if (m_short_single && m_dest == 1 && m_source > 1) run.last = m_source - 2;
        return run;
    }

private:
    long long steps_after(long long n) const { return ceil_div(m_err0 + m_a * (n - 1), m_b); }
    // The first source index whose walk has taken j minor steps.
    long long first_of(long long j) const { return std::max(0LL, floor_div(m_b * (j - 1) - m_err0, m_a) + 2); }

    long long m_source, m_dest;
    bool m_short_single;
    long long m_a = 0, m_b = 0, m_err0 = 0;
};

// Where one destination column (or row) reads: the source pixels of its run, clipped to the
// source, and the one COLORONCOLOR keeps.
struct AxisSample {
    long long pick = -1, lo = 0, hi = -1;
    bool empty() const { return pick < 0 || lo > hi; }
};

enum class Keep : std::uint8_t { First, Last };

__extension__ using Wide = __int128;

// The destination offset that corresponds to `offset` source pixels of a mirrored transfer,
// rounded up; 128-bit because both factors may approach 2^32.
long long scaled_offset(long long offset, long long dest, long long source) {
    const Wide num = static_cast<Wide>(offset) * dest;
    return static_cast<long long>(num / source + (num % source != 0 ? 1 : 0));
}

// The same, rounded down.
long long floor_scaled(long long offset, long long dest, long long source) {
    return static_cast<long long>(static_cast<Wide>(offset) * dest / source);
}

// A source walked backwards into a destination walked forwards, measured under Wine: the source is first
// cut to the picture and the destination cut in proportion (rounded up) as if nothing were
// mirrored; the cut block is then stretched and flipped within itself.
std::vector<AxisSample> map_mirrored(const Extent& dst, const Extent& src, int size, int vis_lo, int vis_hi,
                                     Keep keep) {
    std::vector<AxisSample> samples(static_cast<std::size_t>(vis_hi - vis_lo));
    const long long cut_lo = std::max(src.lo, 0LL), cut_hi = std::min<long long>(src.hi, size);
    if (cut_lo >= cut_hi) return samples;
    const long long d_lo = dst.lo + scaled_offset(cut_lo - src.lo, dst.length(), src.length());
    const long long d_hi = dst.lo + scaled_offset(cut_hi - src.lo, dst.length(), src.length());
    const Stepper stepper(cut_hi - cut_lo, d_hi - d_lo);
    for (long long c = std::max<long long>(vis_lo, d_lo); c < std::min<long long>(vis_hi, d_hi); ++c) {
        const Run run = stepper.run_of(c - d_lo);
        const long long a = cut_hi - 1 - run.first, b = cut_hi - 1 - run.last;
        AxisSample& s = samples[static_cast<std::size_t>(c - vis_lo)];
        s.lo = b;
        s.hi = a;
        // The kept pixel is the first or last along the flipped run.
        s.pick = keep == Keep::Last ? a : b;
    }
    return samples;
}

// One destination pixel of a side walked one way on both rectangles: the source pixels of its
// run, clipped to the picture, and the one kept. A run that reaches into the picture keeps its
// pixel clamped to the picture's edge.
AxisSample forward_sample(const Stepper& stepper, const Extent& dst, const Extent& src, int size, long long c,
                          Keep keep) {
    const Run run = stepper.run_of(dst.step_of(c));
    const long long a = src.at(run.first), b = src.at(run.last);
    const long long kept = keep == Keep::First ? a : b;
    AxisSample s;
    s.lo = std::max(std::min(a, b), 0LL);
    s.hi = std::min(std::max(a, b), static_cast<long long>(size) - 1);
    s.pick = s.lo <= s.hi ? std::clamp(kept, 0LL, static_cast<long long>(size) - 1) : -1;
    return s;
}

// A destination walked backwards from a source walked forwards, measured under Wine: the side is
// drawn as if not mirrored over a block of the destination, the source cut to the picture and the
// destination cut in proportion (both ends rounded down), and that block is flipped within itself.
std::vector<AxisSample> map_flipped(const Extent& dst, const Extent& src, int size, int vis_lo, int vis_hi, Keep keep) {
    std::vector<AxisSample> samples(static_cast<std::size_t>(vis_hi - vis_lo));
    const long long cut_lo = std::max(src.lo, 0LL), cut_hi = std::min<long long>(src.hi, size);
    if (cut_lo >= cut_hi) return samples;
    const long long d_lo = dst.lo + floor_scaled(cut_lo - src.lo, dst.length(), src.length());
    const long long d_hi = dst.lo + floor_scaled(cut_hi - src.lo, dst.length(), src.length());
    const Extent ahead{dst.lo, dst.hi, false};
    const Stepper stepper(src.length(), dst.length(), false);
    for (long long c = std::max<long long>(vis_lo, d_lo); c < std::min<long long>(vis_hi, d_hi); ++c)
        samples[static_cast<std::size_t>(c - vis_lo)] =
            forward_sample(stepper, ahead, src, size, d_lo + d_hi - 1 - c, keep);
    return samples;
}

// A side walked one way on both rectangles: each pixel lands where the unclipped transfer puts it;
// one whose run lies wholly outside the picture is skipped.
std::vector<AxisSample> map_axis(const Extent& dst, const Extent& src, int size, int vis_lo, int vis_hi, Keep keep,
                                 bool short_single) {
    if (dst.reversed && !src.reversed) return map_flipped(dst, src, size, vis_lo, vis_hi, keep);
    if (dst.reversed != src.reversed) return map_mirrored(dst, src, size, vis_lo, vis_hi, keep);
    const Stepper stepper(src.length(), dst.length(), short_single);
    std::vector<AxisSample> samples(static_cast<std::size_t>(vis_hi - vis_lo));
    for (int c = vis_lo; c < vis_hi; ++c)
        samples[static_cast<std::size_t>(c - vis_lo)] = forward_sample(stepper, dst, src, size, c, keep);
    return samples;
}

// The valid samples of an axis form one run of indices: the mapping is monotone, so the
// destination pixels whose source lies outside the picture are at the ends.
struct SampleRange {
    int first = 0, last = -1;  // indices into the samples, inclusive
    int size() const { return last - first + 1; }
};

SampleRange valid_range(const std::vector<AxisSample>& samples) {
    SampleRange r{0, static_cast<int>(samples.size()) - 1};
    while (r.first <= r.last && samples[static_cast<std::size_t>(r.first)].empty()) ++r.first;
    while (r.last >= r.first && samples[static_cast<std::size_t>(r.last)].empty()) --r.last;
    return r;
}

// True when the samples read consecutive source pixels one to one, left to right: a row is
// then a plain row operation on the source.
bool one_to_one(const std::vector<AxisSample>& samples, const SampleRange& r) {
    if (r.size() <= 0) return false;
    const long long base = samples[static_cast<std::size_t>(r.first)].pick - r.first;
    for (int i = r.first; i <= r.last; ++i) {
        const AxisSample& s = samples[static_cast<std::size_t>(i)];
        if (s.lo != s.hi || s.pick != s.lo || s.pick != base + i) return false;
    }
    return true;
}

bool same_run(const AxisSample& a, const AxisSample& b) { return a.pick == b.pick && a.lo == b.lo && a.hi == b.hi; }

bool merges(int mode) { return mode == BLACKONWHITE || mode == WHITEONBLACK; }

// One destination row's source pixels, built once per distinct source row run. BLACKONWHITE
// and WHITEONBLACK merge their runs down each column first and then across, so the cost is the
// source area visited plus the destination area, however thin and long the source.
class RowSampler {
public:
    RowSampler(const PixelSource& src, const std::vector<AxisSample>& xs, SampleRange range, int mode)
        : m_src(src), m_xs(xs), m_range(range), m_mode(mode), m_row(static_cast<std::size_t>(range.size())) {
        // The source column of every destination pixel, once per call: picture widths fit an int.
        m_columns_of.resize(m_row.size());
        for (std::size_t i = 0; i < m_row.size(); ++i) {
            m_columns_of[i] = static_cast<std::int32_t>(x_at(i).pick);
            m_single_columns = m_single_columns && x_at(i).lo == x_at(i).hi;
        }
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

    void pick_row(const AxisSample& y) {
        const std::uint32_t* line = m_src.top + y.pick * m_src.stride;
        const std::int32_t* column = m_columns_of.data();
        for (std::size_t i = 0; i < m_row.size(); ++i) m_row[i] = line[column[i]];
    }

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
    std::vector<std::int32_t> m_columns_of;
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
    // StretchBlt shrinks a side into one pixel from all its pixels but the last; StretchDIBits
    // from all of them (measured under Wine).
    bool short_single = true;
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
    const auto xs = map_axis(job.dx, job.sx, src.width, area.left, area.right, Keep::Last, job.short_single);
    const auto ys = map_axis(job.dy, job.sy, src.height, area.top, area.bottom, Keep::First, job.short_single);
    const SampleRange cols = valid_range(xs);
    if (cols.size() <= 0) return;
    const Rect sampled{area.left + cols.first, area.top, area.left + cols.last + 1, area.bottom};
    const bool direct = one_to_one(xs, cols);
    for (const Rect& r : VisibleArea(dc, dst).pieces(sampled)) {
        // Rows [first, end) of r, with a sampler of their own.
        auto stretch_rows = [&](int first, int end) {
            RowSampler sampler(src, xs, cols, mode);
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

// Whether the part of the source inside the picture, carried in proportion onto the destination,
// reaches or touches [lo, hi]. A destination run backwards from a source run forwards is carried
// one pixel further back and must start before hi (before hi + 1 when it grows the source).
bool lands_on(const Extent& d, const Extent& s, int size, long long lo, long long hi) {
    const long long cut_lo = std::max(s.lo, 0LL), cut_hi = std::min<long long>(s.hi, size);
    if (cut_lo >= cut_hi) return false;
    const bool flipped = d.reversed && !s.reversed;
    const Wide base = static_cast<Wide>(flipped ? d.lo - 1 : d.lo) * s.length();
    const Wide first = base + static_cast<Wide>(cut_lo - s.lo) * d.length();
    const Wide last = base + static_cast<Wide>(cut_hi - s.lo) * d.length();
    if (last < static_cast<Wide>(lo) * s.length()) return false;
    if (!flipped) return first <= static_cast<Wide>(hi) * s.length();
    return first < static_cast<Wide>(d.length() > s.length() ? hi + 1 : hi) * s.length();
}

// Whether some pixel of [lo, hi) on one side takes a pixel of the picture; every pixel does when
// the source lies inside the picture.
bool takes_picture(const Extent& d, const Extent& s, int size, int lo, int hi, Keep keep, bool short_single) {
    if (s.lo >= 0 && s.hi <= size) return true;
    return valid_range(map_axis(d, s, size, lo, hi, keep, short_single)).size() > 0;
}

// A stretch fails, measured under Wine on all four edges: when on both sides the source carried
// onto the destination reaches or touches the visible box (the surface cut by the clip region's
// bounds), and yet no pixel of the box takes a pixel of the picture. Where the source lands
// wholly beside the box the call succeeds, drawing nothing, as it does when the box is empty.
bool stretch_fails(DeviceContext& dc, Surface& dst, int src_w, int src_h, const StretchJob& job) {
    if (job.sx.lo >= 0 && job.sx.hi <= src_w && job.sy.lo >= 0 && job.sy.hi <= src_h) return false;
    const Rect box = intersect(VisibleArea(dc, dst).bounds(), clamp_rect(job.dx, job.dy));
    if (box.empty() || !lands_on(job.dx, job.sx, src_w, box.left, box.right) ||
        !lands_on(job.dy, job.sy, src_h, box.top, box.bottom))
        return false;
    return !takes_picture(job.dx, job.sx, src_w, box.left, box.right, Keep::Last, job.short_single) ||
           !takes_picture(job.dy, job.sy, src_h, box.top, box.bottom, Keep::First, job.short_single);
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
    const std::optional<DibView> dib = read_header(info, bits);
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
    const std::optional<DibView> dib = read_header(info, bits);
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
    Device* device = device_of(hdcDest);
    return device != nullptr
               ? device->stretch_blt(hdcDest, {xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop})
               : FALSE;
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
                        false};
    if (gdi::reflected_unscaled(rop, DestWidth, SrcWidth)) gdi::shift_back(job.dx, job.sx, 1);
    // Rows of a top-down source lose the extra row a negative height otherwise starts down.
    if (gdi::reflected_unscaled(rop, DestHeight, SrcHeight)) gdi::shift_back(job.dy, job.sy, height < 0 ? 2 : 1);
    return gdi::stretch_dibits(hdc, job, lpBits, lpbmi);
}

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                             UINT cLines, LPCVOID lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
    (void)ColorUse;  // as in StretchDIBits
    const gdi::DibsJob job{xDest, yDest, w, h, xSrc, ySrc};
    return gdi::set_dibits(hdc, job, StartScan, cLines, lpvBits, lpbmi);
}

}  // extern "C"
