// Template body of walk_thin_line; see line.h.
#pragma once

#include <algorithm>
#include <cstdint>

namespace zg::raster {

namespace line_detail {

__extension__ typedef __int128 Wide;

}  // namespace line_detail

template <class Visit>
void walk_thin_line(POINT p0, POINT p1, const Rect& clip, Visit&& visit) {
    using line_detail::Wide;
    const std::int64_t dx = static_cast<std::int64_t>(p1.x) - p0.x;
    const std::int64_t dy = static_cast<std::int64_t>(p1.y) - p0.y;
    if (dx == 0 && dy == 0) return;
    const bool x_major = std::abs(dx) > std::abs(dy);
    // Work in (major, minor) coordinates; the clip rectangle is swapped alike.
    const std::int64_t m0 = x_major ? p0.x : p0.y, n0 = x_major ? p0.y : p0.x;
    const std::int64_t dm = x_major ? dx : dy, dn = x_major ? dy : dx;
    const std::int64_t lo = x_major ? clip.left : clip.top, hi = x_major ? clip.right : clip.bottom;
    const std::int64_t nlo = x_major ? clip.top : clip.left, nhi = x_major ? clip.bottom : clip.right;
    const std::int64_t step = dm > 0 ? 1 : -1, len = std::abs(dm);
    // Steps k in [k_first, k_last) have their major coordinate inside [lo, hi).
    std::int64_t k_first = 0, k_last = len;
    if (step > 0) {
        k_first = std::max<std::int64_t>(0, lo - m0);
        k_last = std::min<std::int64_t>(len, hi - m0);
    } else {
        k_first = std::max<std::int64_t>(0, m0 - (hi - 1));
        k_last = std::min<std::int64_t>(len, m0 - lo + 1);
    }
    if (k_first >= k_last) return;
    // minor(k) = n0 + ceil((2 k dn - len) / (2 len)), kept as quotient t and remainder r of
    // (2 k dn - len + 2 len - 1) = t * 2 len + r with 0 <= r < 2 len.
    // A line that starts inside the clip (the usual case, and every short segment of a curve's
    // outline) has k_first = 0, where t = 0 and r = len - 1 without a 128-bit division.
    const std::int64_t den = 2 * len;
    std::int64_t t = 0, r = len - 1;
    if (k_first != 0) {
        const Wide num = Wide(2) * k_first * dn - len + den - 1;
        t = static_cast<std::int64_t>(num >= 0 ? num / den : -((-num + den - 1) / den));
        r = static_cast<std::int64_t>(num - Wide(t) * den);
    }
    // |2 dn| <= den, so one correction a step keeps r in [0, den).
    const std::int64_t two_dn = 2 * dn;
    std::int64_t m = m0 + k_first * step;
    for (std::int64_t k = k_first; k < k_last; ++k, m += step) {
        const std::int64_t n = n0 + t;
        if (n >= nlo && n < nhi) {
            if (x_major)
                visit(static_cast<int>(m), static_cast<int>(n));
            else
                visit(static_cast<int>(n), static_cast<int>(m));
        }
        r += two_dn;
        if (r >= den) {
            r -= den;
            ++t;
        } else if (r < 0) {
            r += den;
            --t;
        }
    }
}

namespace line_detail {

// The walk of a flat line in closed form per run: the row changes when the remainder of
// walk_thin_line crosses 0 or 2 len, which a division finds without visiting the pixels between.
struct FlatWalk {
    std::int64_t t = 0, r = 0, den = 0, two_dn = 0;
    // How many steps from here stay on the current row (at least one).
    std::int64_t run_length() const {
        if (two_dn > 0) return (den - r + two_dn - 1) / two_dn;
        if (two_dn < 0) return r / -two_dn + 1;
        return INT64_MAX;
    }
    void advance(std::int64_t steps) {
        r += steps * two_dn;
        if (r >= den) {
            r -= den;
            ++t;
        } else if (r < 0) {
            r += den;
            --t;
        }
    }
};

}  // namespace line_detail

template <class VisitRun>
bool walk_thin_runs(POINT p0, POINT p1, const Rect& clip, VisitRun&& visit_run) {
    const std::int64_t dx = static_cast<std::int64_t>(p1.x) - p0.x;
    const std::int64_t dy = static_cast<std::int64_t>(p1.y) - p0.y;
    const std::int64_t len = std::abs(dx), step = dx > 0 ? 1 : -1;
    if (len <= 2 * std::abs(dy) || p0.x < clip.left || p0.x >= clip.right) return false;
    // Starting inside the clip's columns, the walk begins at step 0 as in walk_thin_line.
    const std::int64_t k_last = std::min<std::int64_t>(len, step > 0 ? clip.right - p0.x : p0.x - clip.left + 1);
    line_detail::FlatWalk walk{0, len - 1, 2 * len, 2 * dy};
    for (std::int64_t k = 0; k < k_last;) {
        const std::int64_t n = std::min(walk.run_length(), k_last - k);
        const std::int64_t y = p0.y + walk.t;
        if (y >= clip.top && y < clip.bottom) {
            const std::int64_t a = p0.x + k * step, b = p0.x + (k + n - 1) * step;
            visit_run(static_cast<int>(y), static_cast<int>(std::min(a, b)), static_cast<int>(std::max(a, b) + 1));
        }
        walk.advance(n);
        k += n;
    }
    return true;
}

}  // namespace zg::raster
