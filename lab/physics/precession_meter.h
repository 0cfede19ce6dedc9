// The measured precession rate: the azimuth phi of the axis, unwrapped across turns, over the
// last stretch of time (a nutation period, so the nutation's own swing of phi averages out).
#pragma once

#include <deque>

class PrecessionMeter {
public:
    // Keeps samples no older than span seconds behind the newest.
    explicit PrecessionMeter(double span) : m_span(span) {}

    // Times must not decrease; phi in radians, any branch, and its rate phi' in rad/s.
    void Add(double time, double phi, double phiRate);
    void Clear() { m_samples.clear(); }
    // (phi(now) - phi(now - window)) / window, phi interpolated between samples by the cubic that
    // matches phi and phi' at both ends (error of order h^4, where a straight line's would be
    // h^2 and show in the fifth digit at 1 ms samples of a fast nutation); nothing
    // to say (returns false) while less than window seconds are recorded or window is not positive.
    bool MeanRate(double window, double& rate) const;

private:
    struct Sample {
        double time, phi, rate;
    };
    double PhiAt(double time) const;

    double m_span;
    std::deque<Sample> m_samples;
};
