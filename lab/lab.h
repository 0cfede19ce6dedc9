// The lab's entry and frame loop. While the top runs, a frame sleeps FRAME_MS, advances the motion
// by FRAME_MS of simulated time times the time scale, takes the clicks that came meanwhile and
// redraws the drawing area into the back buffer, which is then shown at once. While paused (or
// once the top rests on the table) the loop blocks in the library's wait for a click, which uses
// no processor time.
#pragma once

#include "lab/lab_panel.h"

class window;

inline constexpr int FRAME_MS = 50;

// Carries out one click; returns false when it asked to end the program.
bool HandleLabClick(window& w, LabSession& session, Experiment& experiment, int x, int y);

// Start-up, then frames until Exit or until the window is closed; returns the exit status.
int RunLab(window& w);

// Everything right of the panel: status line, scene, plots and readouts.
void DrawLabFrame(window& w, const LabSession& session, const Experiment& experiment);
