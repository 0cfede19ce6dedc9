#include "lab/history.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

PlotSample Lowest(const PlotSample& a, const PlotSample& b) {
    return {std::min(a.time, b.time),  std::min(a.theta, b.theta),     std::min(a.phiRate, b.phiRate),
            std::min(a.spin, b.spin),  std::min(a.kinetic, b.kinetic), std::min(a.potential, b.potential),
            std::min(a.total, b.total)};
}

PlotSample Highest(const PlotSample& a, const PlotSample& b) {
    return {std::max(a.time, b.time),  std::max(a.theta, b.theta),     std::max(a.phiRate, b.phiRate),
            std::max(a.spin, b.spin),  std::max(a.kinetic, b.kinetic), std::max(a.potential, b.potential),
            std::max(a.total, b.total)};
}

}  // namespace

PlotBand Merged(const PlotBand& a, const PlotBand& b) {
    return {std::min(a.time, b.time), Lowest(a.low, b.low), Highest(a.high, b.high)};
}

void RunHistory::Clear() {
    m_bands.clear();
    m_length = FIRST_BUCKET;
}

void RunHistory::Add(const PlotSample& sample) {
    const double start = std::floor(sample.time / m_length) * m_length;
    if (!m_bands.empty() && m_bands.back().time >= start) {
        m_bands.back() = Merged(m_bands.back(), {start, sample, sample});
        return;
    }
    m_bands.push_back({start, sample, sample});
    if (m_bands.size() > CAPACITY) MergePairs();
}

void RunHistory::MergePairs() {
    m_length *= 2;
    std::vector<PlotBand> merged;
    merged.reserve(CAPACITY / 2 + 1);
    for (const PlotBand& band : m_bands) {
        const double start = std::floor(band.time / m_length) * m_length;
        if (!merged.empty() && merged.back().time >= start) {
            merged.back() = Merged(merged.back(), band);
            continue;
        }
        merged.push_back({start, band.low, band.high});
    }
    m_bands = std::move(merged);
}
