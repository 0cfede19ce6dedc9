// Shapes and the three draw styles: every shape of the library drawn FILLED (outlined with the
// pen, filled with the brush), FRAME (outline only) and INVERTED (its pixels turned to their
// opposite colour), one row per style.
#include <graphics/window.h>

int main() {
    window w(560, 330, CW_USEDEFAULT, 0);
    w.SetTitle("Shapes and draw styles");

    // A striped background, so INVERTED has something to turn around.
    for (int x = 0; x < 560; x += 40) {
        w.SetBrush(x % 80 == 0 ? LIGHTSTEELBLUE : LIGHTYELLOW);
        w.SetPen(WHITE, 1);
        w.DrawRectangle(x, 0, x + 40, 330, FILLED);
    }

    const DrawStyle styles[] = {FILLED, FRAME, INVERTED};
    const char* names[] = {"FILLED", "FRAME", "INVERTED"};
    w.SetBrush(ORANGE);
    w.SetPen(NAVY, 3);
    w.SetFont(16, BOLD, SWISS);
    for (int row = 0; row < 3; row++) {
        int top = 20 + row * 105;
        DrawStyle style = styles[row];
        w.DrawString(10, top + 30, names[row]);
        w.DrawRectangle(110, top, 180, top + 70, style);
        w.DrawRectangle(195, top, 265, top + 70, style, 20, 20);
        w.DrawCircle(315, top + 35, 35, style);
        w.DrawTriangle(365, top + 70, 400, top, 435, top + 70, style);
        int xs[] = {450, 500, 545, 525, 470};
        int ys[] = {top + 25, top, top + 25, top + 70, top + 70};
        w.DrawPolygon(xs, ys, 5, style);
    }

    w.SetPen(DARKGREEN, 2);
    w.DrawLine(110, 322, 545, 322, FRAME);
    return 0;  // the window waits for a click before it closes
}
