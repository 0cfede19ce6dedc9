// The starting point of a program: open a window and draw in it. At the end of main the window
// asks for a click and closes.
#include <graphics/window.h>

int main() {
    window w(400, 300, CW_USEDEFAULT, 0);
    w.SetTitle("My first window");

    w.SetPen(NAVY, 3);
    w.SetBrush(GOLD);
    w.DrawCircle(200, 140, 80, FILLED);

    w.SetPen(BLACK, 1);
    w.SetFont(20, BOLD, SWISS);
    w.DrawString(120, 240, "Hello, window!");
    return 0;  // the window stays until you click in it
}
