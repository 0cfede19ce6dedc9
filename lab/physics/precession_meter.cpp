// Unwrapping takes each new phi to the branch nearest the last one: between two samples the axis
// turns by far less than half a turn, since samples come from every integration substep.
#include "lab/physics/precession_meter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void PrecessionMeter::Add(double time, double phi, double phiRate) {
    if (!m_samples.empty()) {
        const double last = m_samples.back().phi;
        const double turn = 2 * std::numbers::pi;
        phi += turn * std::round((last - phi) / turn);
    }
    m_samples.push_back({time, phi, phiRate});
    while (m_samples.size() > 2 && m_samples[1].time < time - m_span) m_samples.pop_front();
}

double PrecessionMeter::PhiAt(double time) const {
    const auto later = std::lower_bound(m_samples.begin(), m_samples.end(), time,
                                        [](const Sample& s, double t) { return s.time < t; });
    if (later == m_samples.begin()) return later->phi;
    const Sample& b = *later;
    const Sample& a = *(later - 1);
    const double span = b.time - a.time;
    if (!(span > 0)) return b.phi;
    // Cubic Hermite basis on s in [0, 1].
    const double s = (time - a.time) / span, s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * a.phi + (s3 - 2 * s2 + s) * span * a.rate + (-2 * s3 + 3 * s2) * b.phi +
           (s3 - s2) * span * b.rate;
}

bool PrecessionMeter::MeanRate(double window, double& rate) const {
    if (!(window > 0) || m_samples.size() < 2) return false;
    const double now = m_samples.back().time;
    if (m_samples.front().time > now - window) return false;
    rate = (m_samples.back().phi - PhiAt(now - window)) / window;
    return true;
}
