// The simulator's colours and its one pen width, and the pen-and-brush pair it sets so often.
// Every pen the simulator sets is 3 pixels wide; the library keeps wide outlines inside the box.
#pragma once

#include <graphics/window.h>

inline constexpr int PEN_WIDTH = 3;
inline constexpr color PANEL_BLUE(12, 180, 243);
inline constexpr color TEXT_BLACK(0, 0, 0);
inline constexpr color POST_GREY(192, 192, 192);
inline constexpr color FIGURE_BRUSH(64, 128, 128);

inline void SetPenAndBrush(window& w, const color& c) {
    w.SetPen(c, PEN_WIDTH);
    w.SetBrush(c);
}
