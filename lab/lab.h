// The lab's entry and frame loop. A frame sleeps FRAME_MS; while the top runs it advances the
// motion by FRAME_MS of simulated time times the time scale. Every frame takes the clicks and keys
// that came meanwhile and follows a drag in the scene, and redraws the right side into the back
// buffer, which is then shown at once, when anything changed. While paused (or once the top rests
// on the table) a frame is a sleep and a look at the queues: no drawing, next to no processor time.
#pragma once

#include "lab/lab_panel.h"

class window;

inline constexpr int FRAME_MS = 50;

// Carries out one click; returns false when it asked to end the program.
bool HandleLabClick(window& w, LabSession& session, Experiment& experiment, int x, int y);
// Carries out one key; returns false when it asked to end the program.
bool HandleLabKey(window& w, LabSession& session, Experiment& experiment, KeyType type, char code);

// Start-up, then frames until Exit or until the window is closed; returns the exit status.
int RunLab(window& w);

// Everything right of the panel: status line, scene, plots and readouts (or the help panel).
void DrawLabFrame(window& w, const LabSession& session, const Experiment& experiment);
