#!/usr/bin/env python3
"""Writes nutation_reference.inc: turning points, nutation period and trace shape of the
frictionless heavy top for releases of six tops, computed at 80 significant digits with mpmath
(Debian: python3-mpmath). Run by hand after changing a case:

    python3 tests/lab/nutation_reference.py > tests/lab/nutation_reference.inc

Every input is a double, printed so that it reads back exactly, and the computation starts from
that exact binary value, so the test and this script start from the same numbers. A release is
theta0, theta0', the spin w3 and phi'0, given either in rad/s or as a factor times the slow or
the fast steady-precession rate at theta0 (the test computes that rate in double precision, as
the program does).

The roots are those of the textbook's cubic in u itself, f(u) = (1 - u^2)(alpha - beta u) -
(b - a u)^2, with a, b, alpha, beta from the release's angles and rates (none of the program's
algebra about u0), found by mpmath at 80 digits, where its cancellations cost nothing; u0 is
divided out exactly when the release is a turning point. The shape uses the same definitions as the program (which widens its tolerance
to the rounding of the double state, 1e-8 at most here), and each case states the shape it was
built to show: the script stops if the exact motion disagrees or if a ratio lies within a factor
100 of the tolerance, so no case tests rounding luck.
"""
import math
import sys

from mpmath import mp, mpf, sqrt, sin, cos, acos, ellipk, polyroots, inf, nstr

mp.dps = 80
TOLERANCE = mpf("1e-9")  # the program's SHAPE_TOLERANCE
GRAVITY = 9.81

# name: mass (kg), arm (m), I1 about the pivot, I3 (kg m^2); gravity 9.81 m/s^2
TOPS = {
    "TOY": (0.1, 0.04, 2e-4, 1e-4),  # the toy gyroscope of the reference values
    "FAST": (1.2, 0.1, 0.02, 0.006),  # a heavy fast top (u3 >> 1)
    "DISK": (0.5, 0.03, 1.25e-3, 1.6e-3),  # a flat disk, I3 > I1
    # the lab's own body at arm 1 cm and 100 g, built as the program builds it
    "LAB": (100 / 1000, 1 / 100, 4e-5 * (100 / 100) + (100 / 1000) * (1 / 100) * (1 / 100), 1e-4 * (100 / 100)),
    "SPINDLE": (0.2, 0.1, 2.1e-3, 2e-5),  # long and thin, I3 << I1
    "WHEEL": (2.0, 0.15, 0.05, 0.01),  # a wheel on a long axle
}

PI3, PI4 = math.pi / 3, math.pi / 4
LAB_TILT = 60 * (math.pi / 180)  # the program's 60 degrees, rounded as it rounds them
# (name, top, theta0, theta0', phi'0 kind, value, w3, shape it is built to show)
CASES = [
    ("toy steady slow root", "TOY", PI3, 0, "SLOW", 1, 200, "STEADY"),
    ("toy steady fast root", "TOY", PI3, 0, "FAST", 1, 200, "STEADY"),
    ("toy waves", "TOY", PI3, 0, "SLOW", 0.5, 200, "WAVES"),
    ("toy cusps", "TOY", PI3, 0, "SLOW", 0, 200, "CUSPS"),
    ("toy loops", "TOY", PI3, 0, "SLOW", -1, 200, "LOOPS"),
    ("toy rises", "TOY", PI3, 0, "SLOW", 1.5, 200, "WAVES"),
    ("toy just short of cusps", "TOY", PI3, 0, "SLOW", 1e-6, 200, "WAVES"),
    ("toy just past cusps", "TOY", PI3, 0, "SLOW", -1e-6, 200, "LOOPS"),
    ("toy just off steady", "TOY", PI3, 0, "SLOW", 1 - 1e-6, 200, "WAVES"),
    ("toy released moving", "TOY", PI3, 0.5, "SLOW", 1, 200, "WAVES"),
    ("toy released moving up, loops", "TOY", 1.2, -2, "RATE", -3, 150, "LOOPS"),
    ("toy near the pole", "TOY", 0.02, 0, "RATE", 0, 200, "CUSPS"),
    ("toy near the pole, just above threshold", "TOY", 0.02, 0, "RATE", 0, 57, "CUSPS"),
    ("toy near the pole, below threshold", "TOY", 0.02, 0, "RATE", 0, 55, "CUSPS"),
    ("toy a micro-radian from the pole, below threshold", "TOY", 1e-6, 0, "RATE", 0, 55.9, "CUSPS"),
    ("toy pendulum from the pole past the bottom", "TOY", 1e-3, 0, "RATE", 0.5, 0, "WAVES"),
    ("toy pendulum swung up near the top", "TOY", math.pi / 2, -19.80908872401757, "RATE", 1e-3, 0, "WAVES"),
    ("toy upright, sleeping", "TOY", 0, 0, "RATE", 0, 200, "STEADY"),
    ("toy upright, just above threshold", "TOY", 0, 0, "RATE", 0, 56.1, "STEADY"),
    ("toy upright, just below threshold", "TOY", 0, 0, "RATE", 0, 55.9, "STEADY"),
    ("toy through the pole", "TOY", 0, 3, "RATE", 0, 200, "WAVES"),
    ("toy steady near the pole", "TOY", 1e-3, 0, "SLOW", 1, 200, "STEADY"),
    ("toy horizontal, steady", "TOY", math.pi / 2, 0, "SLOW", 1, 200, "STEADY"),
    ("toy hanging near the bottom", "TOY", math.pi - 1e-3, 0, "RATE", 0, 200, "CUSPS"),
    ("toy hanging at the double nearest pi", "TOY", math.pi, 0, "RATE", 0, 200, "CUSPS"),
    ("toy hanging, steady", "TOY", 2.5, 0, "SLOW", 1, 200, "STEADY"),
    ("toy hanging, loops", "TOY", 2.5, 0, "SLOW", -1, 200, "LOOPS"),
    ("toy conical pendulum", "TOY", 2 * PI3, 0, "SLOW", 1, 0, "STEADY"),
    ("toy plane pendulum", "TOY", 2 * PI3, 0, "RATE", 0, 0, "CUSPS"),
    ("fast cusps at 1500", "FAST", PI3, 0, "RATE", 0, 1500, "CUSPS"),
    ("fast cusps at 2000", "FAST", PI3, 0, "RATE", 0, 2000, "CUSPS"),
    ("fast cusps at 3000", "FAST", PI3, 0, "RATE", 0, 3000, "CUSPS"),
    ("fast cusps at 20000", "FAST", PI3, 0, "RATE", 0, 20000, "CUSPS"),
    ("fast steady slow root", "FAST", PI3, 0, "SLOW", 1, 3000, "STEADY"),
    ("fast steady fast root", "FAST", PI3, 0, "FAST", 1, 3000, "STEADY"),
    ("fast waves", "FAST", PI3, 0, "SLOW", 0.5, 3000, "WAVES"),
    ("fast loops", "FAST", PI3, 0, "SLOW", -1, 3000, "LOOPS"),
    ("disk steady", "DISK", PI4, 0, "SLOW", 1, 500, "STEADY"),
    ("disk cusps", "DISK", PI4, 0, "SLOW", 0, 500, "CUSPS"),
    ("disk waves", "DISK", PI4, 0, "SLOW", 0.5, 500, "WAVES"),
    ("disk loops", "DISK", PI4, 0, "SLOW", -2, 500, "LOOPS"),
    ("disk upright, sleeping", "DISK", 0, 0, "RATE", 0, 500, "STEADY"),
    ("disk near the pole", "DISK", 0.01, 0, "RATE", 0, 500, "CUSPS"),
    ("lab steady (nutation 0 %)", "LAB", LAB_TILT, 0, "SLOW", 1, 400, "STEADY"),
    ("lab cusps (nutation 100 %)", "LAB", LAB_TILT, 0, "SLOW", 0, 400, "CUSPS"),
    ("lab loops (nutation 300 %)", "LAB", LAB_TILT, 0, "SLOW", -2, 400, "LOOPS"),
    ("spindle near the pole, above threshold", "SPINDLE", 0.02, 0, "RATE", 0, 2100, "CUSPS"),
    ("spindle near the pole, below threshold", "SPINDLE", 0.02, 0, "RATE", 0, 1950, "CUSPS"),
    ("spindle upright, below threshold", "SPINDLE", 0, 0, "RATE", 0, 1000, "STEADY"),
    ("spindle cusps", "SPINDLE", math.pi / 6, 0, "RATE", 0, 1000, "CUSPS"),
    ("wheel released moving", "WHEEL", 1.3, 1.5, "RATE", 2, 300, "LOOPS"),
    ("wheel released moving, waves", "WHEEL", 1.3, 0.3, "RATE", 1.2, 300, "WAVES"),
    ("wheel below the horizontal, cusps", "WHEEL", 1.75, 0, "RATE", 0, 300, "CUSPS"),
    ("wheel slow spin, loops", "WHEEL", 0.8, 0, "RATE", -1.5, 20, "LOOPS"),
]


def steady_rates(top, theta0, spin):
    """The slow and fast roots of I1 cos(t) W^2 - L3 W + M = 0, None when there are none."""
    m, l, i1, i3 = (mpf(v) for v in TOPS[top])
    torque, axial, quadratic = m * mpf(GRAVITY) * l, i3 * spin, i1 * cos(theta0)
    discriminant = axial**2 - 4 * quadratic * torque
    if discriminant < 0:
        return None
    roots = sorted([(axial + sqrt(discriminant)) / (2 * quadratic), (axial - sqrt(discriminant)) / (2 * quadratic)],
                   key=lambda r: (abs(r), -r))
    return roots[0], roots[1]


def invariants(top, theta0, theta_rate, phi_rate, spin):
    """The textbook's a = L3 / I1, b = Lz / I1, alpha, beta from the release's angles and rates."""
    m, l, i1, i3 = (mpf(v) for v in TOPS[top])
    torque, s, u0 = m * mpf(GRAVITY) * l, sin(theta0), cos(theta0)
    axial = i3 * spin
    vertical = i1 * phi_rate * s * s + axial * u0
    energy = i1 / 2 * (theta_rate**2 + (phi_rate * s) ** 2) + torque * u0  # less the spin's
    return dict(a=axial / i1, b=vertical / i1, alpha=2 * energy / i1, beta=2 * torque / i1, u0=u0, s=s,
                w2=theta_rate**2 + (phi_rate * s) ** 2, at_rest=theta_rate * s == 0)


def roots_of(k):
    """u1 in [u0, 1], u2 in [-1, u0], u3 >= u1 of f(u) = beta u^3 - (alpha + a^2) u^2 +
    (2 a b - beta) u + alpha - b^2; u0 is divided out exactly when it is a root (theta0' sin = 0)."""
    a, b, alpha, beta, u0 = k["a"], k["b"], k["alpha"], k["beta"], k["u0"]
    cubic = [beta, -(alpha + a * a), 2 * a * b - beta, alpha - b * b]
    if k["at_rest"]:
        quadratic = [cubic[0], cubic[1] + u0 * cubic[0]]
        quadratic.append(cubic[2] + u0 * quadratic[1])
        others = sorted(r.real for r in polyroots(quadratic, maxsteps=400, extraprec=400))
        slope = -2 * u0 * (alpha - beta * u0) - beta * (1 - u0 * u0) + 2 * a * (b - a * u0)
        if slope < 0:  # falling from u0
            return u0, max(r for r in others if r <= u0), max(others)
        return min(r for r in others if r >= u0), u0, max(others)
    u2, u1, u3 = sorted(r.real for r in polyroots(cubic, maxsteps=400, extraprec=400))
    assert -1 <= u2 <= u0 <= u1 <= 1 <= u3, (u2, u0, u1, u3)
    return u1, u2, u3


def tip_speed(k, u):
    """|phi'| sin t = |b - a u| / sin t at a turning point; at the pole, from the energy."""
    if u * u < 1:
        return abs(k["b"] - k["a"] * u) / sqrt(1 - u * u)
    return sqrt(max(k["alpha"] - k["beta"] * u, 0))


def shape_of(k, u1, u2, name):
    """The program's definitions, with a check that no ratio sits near a tolerance."""
    def away(ratio, what):
        assert ratio == 0 or ratio < TOLERANCE / 100 or ratio > TOLERANCE * 100, (name, what, ratio)

    cusp_width = k["beta"] * k["s"] ** 2 / (k["a"] ** 2 + k["w2"] + 2 * k["beta"])
    if cusp_width > 0:
        away((u1 - u2) / cusp_width, "width")
    if u1 - u2 <= TOLERANCE * cusp_width:
        return "STEADY"
    lower = tip_speed(k, u2)
    if lower > 0:
        away(tip_speed(k, u1) / lower, "speed")
    if tip_speed(k, u1) <= TOLERANCE * lower:
        return "CUSPS"
    return "LOOPS" if (k["b"] - k["a"] * u1) * (k["b"] - k["a"] * u2) < 0 else "WAVES"


def reference(case):
    name, top, theta0, theta_rate, kind, value, spin, built = case
    theta0, theta_rate, value, spin = mpf(theta0), mpf(theta_rate), mpf(value), mpf(spin)
    phi_rate = value
    if kind != "RATE":
        slow, fast = steady_rates(top, theta0, spin)
        phi_rate = value * (slow if kind == "SLOW" else fast)
    k = invariants(top, theta0, theta_rate, phi_rate, spin)
    # Upright at rest, u = 1 is a double root; below the sleeping threshold (a^2 < 2 beta) the
    # third lies under it and the top balances: theta stays 0 for ever.
    balancing = k["s"] == 0 and k["u0"] > 0 and k["w2"] == 0 and k["a"] ** 2 <= 2 * k["beta"]
    if balancing:
        return mpf(0), mpf(0), inf, "STEADY", True
    u1, u2, u3 = roots_of(k)
    theta1, theta2 = acos(min(u1, 1)), acos(max(u2, -1))
    period = 4 * ellipk((u1 - u2) / (u3 - u2)) / sqrt(k["beta"] * (u3 - u2))
    shape = shape_of(k, u1, u2, name)
    assert shape == built, (name, shape, built)
    return theta1, theta2, period, shape, False


def number(x):
    return "INF" if x == inf else nstr(x, 25, min_fixed=-1, max_fixed=1)


def main():
    out = sys.stdout
    out.write("// Written by nutation_reference.py (mpmath, 80 digits); do not edit by hand.\n")
    for name, values in TOPS.items():
        out.write(f"constexpr Body {name}{{{', '.join(repr(float(v)) for v in values)}}};\n")
    out.write("const Case CASES[] = {\n")
    out.write("// {name, top, theta0, theta0', phi'0 kind, value, w3, theta1, theta2, T, shape, balancing}\n")
    for case in CASES:
        name, top, theta0, theta_rate, kind, value, spin, _ = case
        theta1, theta2, period, shape, balancing = reference(case)
        inputs = ", ".join(repr(float(v)) for v in (theta0, theta_rate))
        out.write(f'{{"{name}", {top}, {inputs}, PhiRate::{kind}, {float(value)!r}, {float(spin)!r},\n'
                  f"    {number(theta1)}, {number(theta2)}, {number(period)}, TraceShape::{shape}, "
                  f"{'true' if balancing else 'false'}}},\n")
    out.write("};\n")


if __name__ == "__main__":
    main()
