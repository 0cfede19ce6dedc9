// Joining runs of unit steps; see runs.h.
#include "raster/runs.h"

#include <cstdlib>

namespace zg::raster {

namespace {

struct Step {
    long long dx = 0, dy = 0;
    bool unit() const { return std::llabs(dx) <= 1 && std::llabs(dy) <= 1 && (dx != 0 || dy != 0); }
    bool operator==(const Step&) const = default;
};

Step step(const POINT& a, const POINT& b) {
    return {static_cast<long long>(b.x) - a.x, static_cast<long long>(b.y) - a.y};
}

}  // namespace

std::vector<POINT> join_unit_runs(std::span<const POINT> points) {
    if (points.size() < 3) return {points.begin(), points.end()};
    std::vector<POINT> out(points.size());
    std::size_t kept = 0;
    out[kept++] = points.front();
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const Step in = step(points[i - 1], points[i]), next = step(points[i], points[i + 1]);
        if (in == next && in.unit()) continue;
        out[kept++] = points[i];
    }
    out[kept++] = points.back();
    out.resize(kept);
    return out;
}

}  // namespace zg::raster
