// The help panel: the keys on the left, what the readouts' symbols mean on the right, with units.
// It covers the scene and the plots while it is open; the motion goes on behind it.
#include "lab/scene.h"

#include <graphics/window.h>

#include <cstddef>
#include <string>

namespace {

constexpr const char* KEYS[] = {
    "Keys (lower case steps down, upper case up)",
    "p / P    preset",
    "w / W    spin omega3 at the release",
    "t / T    initial tilt theta0",
    "n / N    nutation: phi'0 = (1 - n/100) Omega",
    "l / L    arm l, pivot to centre of mass",
    "m / M    mass m",
    "k / K    spin friction k",
    "c / C    pivot friction c",
    "s / S    time scale",
    "Space    run / pause",
    "r        release again (Reset)",
    "q        exit",
    "i        save the window as a PNG file",
    "e        CSV export from the release, on / off",
    "f        CSV rows: every step / every frame",
    "o        print the window",
    "1 2 3    plots: last 1 s, last 10 s, whole run",
    "g        third plot: phi' or omega3",
    "[ ]      trace shorter / longer",
    "arrows   turn the view (or drag in the scene)",
    "+ -      zoom in / out (also Page Up / Down)",
    "0, Home  view as at the start",
    "h, F1    this help;  Esc closes it",
};

constexpr const char* SYMBOLS[] = {
    "Symbols of the readouts and plots",
    "theta   tilt of the axis from the vertical (deg)",
    "phi     precession angle about the vertical (deg)",
    "psi     spin angle about the axis (deg)",
    "'       rate of change: phi' in rad/s",
    "M  = m g l, gravity's torque at horizontal (N m)",
    "I1, I3  moments of inertia: transverse about",
    "        the pivot, and about the axis (kg m2)",
    "omega3  spin, psi' + phi' cos(theta) (rad/s)",
    "L3  = I3 omega3, spin momentum (kg m2/s)",
    "Omega   precession rate phi' (rad/s):",
    "        measured = mean over one period T;",
    "        slow root of I1 cos(theta) W^2 - L3 W + M = 0;",
    "        M/L3 = the fast-top value",
    "omega_c  = sqrt(4 M I1) / I3 (rad/s): above it",
    "        the upright (sleeping) top is stable",
    "theta1, 2  turning points of theta (deg)",
    "T       nutation period, theta1 to theta2",
    "        and back (ms)",
    "trace   steady, waves, cusps or loops",
    "E - E0  energy change since the release (mJ)",
    "energy drift  (E + lost to friction - E0) / M,",
    "        the integrator's error (no unit)",
};

// Each line's name and its meaning, apart where two spaces part them, in two aligned columns
// (the font is proportional, so spaces cannot align them).
template <std::size_t N>
void DrawColumn(window& w, int x, int indent, const char* const (&lines)[N]) {
    int y = SCENE_TOP + 12;
    for (const char* line : lines) {
        const std::string text = line;
        const std::size_t gap = text.find("  ");
        if (gap == std::string::npos) {
            w.DrawString(x, y, text);
        } else {
            w.DrawString(x, y, text.substr(0, gap));
            w.DrawString(x + indent, y, text.substr(text.find_first_not_of(' ', gap)));
        }
        y += 18;
    }
}

}  // namespace

void DrawHelp(window& w) {
    w.SetPen(255, 255, 255, 1);
    w.SetBrush(255, 255, 255);
    w.DrawRectangle(SCENE_LEFT, SCENE_TOP, 1000, 700, FILLED, 0, 0);
    w.SetPen(0, 0, 0, 1);
    DrawColumn(w, 215, 80, KEYS);
    DrawColumn(w, 585, 90, SYMBOLS);
    w.DrawString(600, 680, "H or Esc: back to the top");
}
