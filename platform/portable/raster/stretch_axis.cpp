// The stepper behind every stretched side (see stretch_axis.h), in closed form, and its three
// orientations: both rectangles walked the same way, the source walked backwards (mirrored) and
// the destination walked backwards (flipped). The two mirrored forms were measured under Wine;
// each cuts the source to the picture first, so it differs from the forward walk at the edges.
#include "raster/stretch_axis.h"

#include <algorithm>

namespace zg::raster {

Extent extent_from(long long start, long long length) {
    if (length >= 0) return {start, start + length, false};
    return {start + length + 1, start + 1, true};
}

namespace {

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
    Stepper(long long source, long long dest, SinglePixel single) : m_source(source), m_dest(dest), m_single(single) {
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
        if (m_single == SinglePixel::AllButLast && m_dest == 1 && m_source > 1) run.last = m_source - 2;
        return run;
    }

private:
    long long steps_after(long long n) const { return ceil_div(m_err0 + m_a * (n - 1), m_b); }
    // The first source index whose walk has taken j minor steps.
    long long first_of(long long j) const { return std::max(0LL, floor_div(m_b * (j - 1) - m_err0, m_a) + 2); }

    long long m_source, m_dest;
    SinglePixel m_single;
    long long m_a = 0, m_b = 0, m_err0 = 0;
};

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
    const Stepper stepper(cut_hi - cut_lo, d_hi - d_lo, SinglePixel::AllButLast);
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
    const Stepper stepper(src.length(), dst.length(), SinglePixel::All);
    for (long long c = std::max<long long>(vis_lo, d_lo); c < std::min<long long>(vis_hi, d_hi); ++c)
        samples[static_cast<std::size_t>(c - vis_lo)] =
            forward_sample(stepper, ahead, src, size, d_lo + d_hi - 1 - c, keep);
    return samples;
}

}  // namespace

// A side walked one way on both rectangles: each pixel lands where the unclipped transfer puts it;
// one whose run lies wholly outside the picture is skipped.
std::vector<AxisSample> map_axis(const Extent& dst, const Extent& src, int size, int vis_lo, int vis_hi, Keep keep,
                                 SinglePixel single) {
    if (dst.reversed && !src.reversed) return map_flipped(dst, src, size, vis_lo, vis_hi, keep);
    if (dst.reversed != src.reversed) return map_mirrored(dst, src, size, vis_lo, vis_hi, keep);
    const Stepper stepper(src.length(), dst.length(), single);
    std::vector<AxisSample> samples(static_cast<std::size_t>(vis_hi - vis_lo));
    for (int c = vis_lo; c < vis_hi; ++c)
        samples[static_cast<std::size_t>(c - vis_lo)] = forward_sample(stepper, dst, src, size, c, keep);
    return samples;
}

SampleRange valid_range(const std::vector<AxisSample>& samples) {
    SampleRange r{0, static_cast<int>(samples.size()) - 1};
    while (r.first <= r.last && samples[static_cast<std::size_t>(r.first)].empty()) ++r.first;
    while (r.last >= r.first && samples[static_cast<std::size_t>(r.last)].empty()) --r.last;
    return r;
}

bool one_to_one(const std::vector<AxisSample>& samples, const SampleRange& r) {
    if (r.size() <= 0) return false;
    const long long base = samples[static_cast<std::size_t>(r.first)].pick - r.first;
    for (int i = r.first; i <= r.last; ++i) {
        const AxisSample& s = samples[static_cast<std::size_t>(i)];
        if (s.lo != s.hi || s.pick != s.lo || s.pick != base + i) return false;
    }
    return true;
}

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

bool takes_picture(const Extent& d, const Extent& s, int size, int lo, int hi, Keep keep, SinglePixel single) {
    if (s.lo >= 0 && s.hi <= size) return true;
    return valid_range(map_axis(d, s, size, lo, hi, keep, single)).size() > 0;
}

}  // namespace zg::raster
