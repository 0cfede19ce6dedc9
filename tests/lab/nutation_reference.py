#!/usr/bin/env python3
"""Writes nutation_reference.inc: turning points, nutation period and trace shape of the
frictionless heavy top for releases of six tops, computed at 60 significant digits with mpmath
(Debian: python3-mpmath). Run by hand after changing a case:

    python3 tests/lab/nutation_reference.py > tests/lab/nutation_reference.inc

Every input is a double, printed so that it reads back exactly, and the computation starts from
that exact binary value, so the test and this script start from the same numbers. A release is
theta0, theta0', the spin w3 and phi'0, given either in rad/s or as a factor times the slow or
the fast steady-precession rate at theta0 (the test computes that rate in double precision, as
the program does).

The cubic is f(u0 + x) = c0 + c1 x + c2 x^2 + beta x^3 about the release's tilt (see
nutation.cpp); here its roots come from mpmath at 60 digits, with the exact zero root factored out
when theta0' = 0. The shape uses the same definitions as the program (which widens its tolerance
to the rounding of the double state, 1e-8 at most here), and each case states the shape it was
built to show: the script stops if the exact motion disagrees or if a ratio lies within a factor
100 of the tolerance, so no case tests rounding luck.
"""
import math
import sys

from mpmath import mp, mpf, sqrt, sin, cos, atan2, ellipk, polyroots, inf, nstr

mp.dps = 60
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


def cubic(top, theta0, theta_rate, phi_rate, spin):
    m, l, i1, i3 = (mpf(v) for v in TOPS[top])
    beta, a = 2 * m * mpf(GRAVITY) * l / i1, i3 * spin / i1
    s, u0 = sin(theta0), cos(theta0)
    w2, p = theta_rate**2 + (phi_rate * s) ** 2, phi_rate * s * s
    c = [(s * theta_rate) ** 2, 2 * a * p - 2 * u0 * w2 - beta * s * s, 2 * u0 * beta - w2 - a * a, beta]
    return dict(beta=beta, a=a, s2=s * s, u0=u0, up=1 - u0, down=1 + u0, w2=w2, p=p, c=c)


def roots_of(k):
    """x1 in [0, 1 - u0] and x2 in [-(1 + u0), 0]."""
    c0, c1, c2, c3 = k["c"]
    if c0 == 0:
        # x = 0 is a root; the others solve c3 x^2 + c2 x + c1 = 0
        others = [] if c1 == 0 else [r.real for r in polyroots([c3, c2, c1], maxsteps=400, extraprec=400)]
        if c1 < 0:
            return mpf(0), max(r for r in others if r <= 0)
        if c1 > 0:
            return min(r for r in others if r >= 0), mpf(0)
        return mpf(0), mpf(0)
    found = [r.real for r in polyroots([c3, c2, c1, c0], maxsteps=400, extraprec=400)]
    x1 = [r for r in found if 0 <= r <= k["up"]]
    x2 = [r for r in found if -k["down"] <= r <= 0]
    assert len(x1) == 1 and len(x2) == 1, found
    return x1[0], x2[0]


def tip_speed(k, x):
    sine = sqrt(max((k["up"] - x) * (k["down"] + x), 0))
    if sine > 0:
        return abs(k["p"] - k["a"] * x) / sine
    return sqrt(max(k["w2"] - k["beta"] * x, 0))


def shape_of(k, x1, x2, name):
    """The program's definitions, with a check that no ratio sits near a tolerance."""
    def away(ratio, what):
        assert ratio == 0 or ratio < TOLERANCE / 100 or ratio > TOLERANCE * 100, (name, what, ratio)

    cusp_width = k["beta"] * k["s2"] / (k["a"] ** 2 + k["w2"] + 2 * k["beta"])
    if cusp_width > 0:
        away((x1 - x2) / cusp_width, "width")
    if x1 - x2 <= TOLERANCE * cusp_width:
        return "STEADY"
    lower = tip_speed(k, x2)
    if lower > 0:
        away(tip_speed(k, x1) / lower, "speed")
    if tip_speed(k, x1) <= TOLERANCE * lower:
        return "CUSPS"
    return "LOOPS" if (k["p"] - k["a"] * x1) * (k["p"] - k["a"] * x2) < 0 else "WAVES"


def reference(case):
    name, top, theta0, theta_rate, kind, value, spin, built = case
    theta0, theta_rate, value, spin = mpf(theta0), mpf(theta_rate), mpf(value), mpf(spin)
    phi_rate = value
    if kind != "RATE":
        slow, fast = steady_rates(top, theta0, spin)
        phi_rate = value * (slow if kind == "SLOW" else fast)
    k = cubic(top, theta0, theta_rate, phi_rate, spin)
    c0, c1, c2, beta = k["c"]
    balancing = k["s2"] == 0 and k["u0"] > 0 and k["w2"] == 0 and c2 >= 0
    x1, x2 = (mpf(0), mpf(0)) if balancing else roots_of(k)
    theta1 = atan2(sqrt((k["up"] - x1) * (k["down"] + x1)), k["u0"] + x1)
    theta2 = atan2(sqrt((k["up"] - x2) * (k["down"] + x2)), k["u0"] + x2)
    span = -c2 - beta * (x1 + 2 * x2)
    period = inf if balancing or span <= 0 else 4 * ellipk(beta * (x1 - x2) / span) / sqrt(span)
    shape = "STEADY" if balancing else shape_of(k, x1, x2, name)
    assert shape == built, (name, shape, built)
    return theta1, theta2, period, shape, balancing


def number(x):
    return "INF" if x == inf else nstr(x, 25, min_fixed=-1, max_fixed=1)


def main():
    out = sys.stdout
    out.write("// Written by nutation_reference.py (mpmath, 60 digits); do not edit by hand.\n")
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
