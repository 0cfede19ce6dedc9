// The simulator's entry: the fixed drawing of panel and title band, and the frame loop.
//
// A frame sleeps 100 ms, redraws the drawing area, moves the gyroscope one step when the cursor
// is over the drawing area, and blocks for one click when the cursor is over the panel. The loop
// ends after the exit button, or as soon as the user has closed the native window with its close
// box (the library's waits then return NO_CLICK instead of blocking for ever).
#pragma once

#include "app/gyroscope.h"

inline constexpr const char* TITLE_TEXT =
    "Simulation de la precession et de la nutation sur un gyroscope (TIPE Prepa Morvanne 2007-2008)";
inline constexpr int FRAME_SLEEP_MS = 100;

// True for 0 < x < 200 and 0 < y < 700.
bool IsOverPanel(int x, int y);

// Caption, font, panel, title band, heading, title and the six boxes with their initial values.
void DrawStartup(window& w, const SimulationState& state);

// One pass of the frame loop; may set exitRequested through the panel.
void RunFrame(window& w, SimulationState& state, int& exitRequested);

// Start-up and the frame loop; returns the process exit status.
int RunSimulator(window& w);
