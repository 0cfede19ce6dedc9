// The geometry of a stretched transfer, one axis at a time: which source pixels each destination
// column (or row) reads. Pure functions of the two extents and the picture's size, so that
// transfers, their clipping and their mirrors are tested without any surface.
//
// GDI's integer stepper, measured against Wine pixel for pixel: on each axis a Bresenham walk
// (start error 3*minor - 2*major, step while the error is positive) splits the longer side into
// runs. Growing repeats a source pixel over a run of destination pixels; shrinking gives each
// destination pixel a run of source pixels, of which the caller keeps the first or the last (or
// merges them all). The walk is evaluated in closed form, so a clipped transfer costs what its
// visible part costs and reads exactly what the unclipped one reads there. Where the source
// rectangle reaches beyond the picture, a destination pixel whose run still reaches into it keeps
// the picture's edge pixel; one whose run lies wholly outside reads nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace zg::raster {

// One side of a transfer: the pixels [lo, hi), walked from lo upwards or, when reversed, from
// hi - 1 downwards.
struct Extent {
    long long lo = 0, hi = 0;
    bool reversed = false;
    long long length() const { return hi - lo; }
    long long at(long long step) const { return reversed ? hi - 1 - step : lo + step; }
    long long step_of(long long coordinate) const { return reversed ? hi - 1 - coordinate : coordinate - lo; }
};

// GDI's rule for a signed extent, the one every transfer follows: a negative extent runs the
// other way and covers the start pixel, so x = 10, w = -3 is [8, 11).
Extent extent_from(long long start, long long length);

// The source pixels one destination pixel reads: [lo, hi], clipped to the picture, and the one
// kept when the run is thinned. Empty when the run lies wholly outside the picture.
struct AxisSample {
    long long pick = -1, lo = 0, hi = -1;
    bool empty() const { return pick < 0 || lo > hi; }
};

// Which pixel of a run a thinned side keeps (COLORONCOLOR: the last across a row, the first
// down a column).
enum class Keep : std::uint8_t { First, Last };

// What a side shrunk to a single destination pixel reads: StretchBlt all its source pixels but
// the last, StretchDIBits all of them (measured under Wine).
enum class SinglePixel : std::uint8_t { AllButLast, All };

// The samples of the destination pixels [vis_lo, vis_hi) of a side `dst` reading the source
// extent `src` of a picture `size` pixels long. Both extents have a non-zero length.
std::vector<AxisSample> map_axis(const Extent& dst, const Extent& src, int size, int vis_lo, int vis_hi, Keep keep,
                                 SinglePixel single);

// The valid samples of an axis form one run of indices: the mapping is monotone, so the
// destination pixels whose source lies outside the picture are at the ends.
struct SampleRange {
    int first = 0, last = -1;  // indices into the samples, inclusive
    int size() const { return last - first + 1; }
};
SampleRange valid_range(const std::vector<AxisSample>& samples);

// True when the samples of `r` read consecutive source pixels one to one, left to right: a row
// is then a plain row operation on the source.
bool one_to_one(const std::vector<AxisSample>& samples, const SampleRange& r);

// Whether the part of the source inside the picture, carried in proportion onto the destination,
// reaches or touches [lo, hi]. A destination run backwards from a source run forwards is carried
// one pixel further back and must start before hi (before hi + 1 when it grows the source).
bool lands_on(const Extent& dst, const Extent& src, int size, long long lo, long long hi);

// Whether some pixel of [lo, hi) on one side takes a pixel of the picture; every pixel does when
// the source lies inside the picture.
bool takes_picture(const Extent& dst, const Extent& src, int size, int lo, int hi, Keep keep, SinglePixel single);

}  // namespace zg::raster
