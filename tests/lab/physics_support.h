// Starting states and small measurements shared by the physics tests. The toy gyroscope of the
// reference values: m = 0.1 kg, l = 0.04 m, I1 = 2e-4, I3 = 1e-4 kg m^2, g = 9.81.
#pragma once

#include "lab/physics/top.h"

#include <functional>
#include <numbers>

inline constexpr double DEGREE = std::numbers::pi / 180;

inline TopParameters ToyTop() { return TopParameters{}; }

// Released at theta0 with theta' = 0, the given phi' and spin.
inline TopState Release(const TopParameters& p, double theta0, double phiRate, double spin) {
    EulerMotion m;
    m.theta = theta0;
    m.phiRate = phiRate;
    m.spin = spin;
    return FromEuler(p, m);
}

// Runs `steps` steps of length h, calling visit after each.
inline void Integrate(const TopParameters& p, TopState& s, double h, long steps, Integrator order,
                      const std::function<void(const TopState&)>& visit = {}) {
    for (long i = 0; i < steps; ++i) {
        StepTop(p, s, h, order);
        if (visit) visit(s);
    }
}

inline double Tilt(const TopState& s) { return ToEuler(TopParameters{}, s).theta; }
