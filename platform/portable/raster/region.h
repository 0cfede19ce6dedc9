// The region representation shared by the region calls, the rasteriser and the handle table.
//
// A region is a y-x banded list of half-open rectangles: sorted by top, then left; the
// rectangles of one band share top and bottom, do not touch or overlap within the band, and
// bands do not overlap. Vertically adjacent bands with the same x-spans are merged, so equal
// pixel sets have equal representations (except where BandMerge::Keep says otherwise). `extents`
// is the bounding box (empty for an empty region). Every function here keeps these invariants; is_valid() checks them (tests use it).
#pragma once

#include "surface/surface.h"

#include <cstdint>
#include <vector>

namespace zg::raster {

struct Region {
    std::vector<Rect> rects;
    Rect extents{};
    bool empty() const { return rects.empty(); }
};

// A horizontal run [x0, x1) of one row.
struct Span {
    int x0 = 0, x1 = 0;
};

enum class CombineOp : std::uint8_t { And, Or, Xor, Diff };

Region make_rect_region(const Rect& r);

// Whether equal adjacent rows become one band. Windows keeps the rows of the regions it
// builds for ellipses and rounded rectangles apart (which GetRgnBox reveals as COMPLEXREGION);
// every other region is merged.
enum class BandMerge : std::uint8_t { Merge, Keep };

// Builds a region from rows given top to bottom, each a list of spans in any order (they may
// overlap: a row is the union of its spans). Rows must be added with increasing y.
class RegionBuilder {
public:
    explicit RegionBuilder(BandMerge merge = BandMerge::Merge) : m_merge(merge) {}
    void add_row(int y, std::vector<Span>& spans);  // sorts and merges spans in place
    void add_band(int top, int bottom, std::vector<Span>& spans);
    Region finish();

private:
    void close_band();
    void open_band(int top, int bottom, const std::vector<Span>& spans);
    bool extends_band(int y, const std::vector<Span>& spans) const;
    BandMerge m_merge;
    Region m_region;
    std::size_t m_band_start = 0;  // the open band is m_region.rects from here on
    int m_band_bottom = 0;
};

Region combine(const Region& a, const Region& b, CombineOp op);
void offset(Region& region, int dx, int dy);  // coordinates saturate instead of wrapping
bool contains(const Region& region, int x, int y);
bool equal(const Region& a, const Region& b);

// NULLREGION, SIMPLEREGION or COMPLEXREGION, as the Win32 region calls return them.
int complexity(const Region& region);

bool is_valid(const Region& region);

// Every operation above ends with this. In builds without NDEBUG (debug and sanitizer builds) a
// region that breaks the invariants stops the program at once, with its size and extents, at
// the operation that made it instead of wherever it is later misread; elsewhere it costs nothing.
void check_invariants(const Region& region);

}  // namespace zg::raster
