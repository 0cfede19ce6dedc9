// A double-buffered animation: with SetBuffering(true) everything is drawn into a hidden copy of
// the window and UpdateBuffer shows the finished frame at once, so the moving ball never
// flickers. Runs until a click or a key, or after 20 seconds.
#include <graphics/window.h>

int main() {
    const int width = 400, height = 300, radius = 18;
    window w(width, height, CW_USEDEFAULT, 0);
    w.SetTitle("Bouncing ball: click or press a key to stop");
    w.SetBuffering(true);

    int x = 60, y = 80, dx = 5, dy = 3;
    for (int frame = 0; frame < 1000; frame++) {
        // the whole frame: sky, ground, shadow, ball
        w.SetPen(LIGHTSKYBLUE, 1);
        w.SetBrush(LIGHTSKYBLUE);
        w.DrawRectangle(0, 0, width, height - 40, FILLED);
        w.SetPen(OLIVEDRAB, 1);
        w.SetBrush(YELLOWGREEN);
        w.DrawRectangle(0, height - 40, width, height, FILLED);
        w.SetPen(DARKOLIVEGREEN, 1);
        w.SetBrush(DARKOLIVEGREEN);
        w.DrawEllipse(x - radius, height - 48, x + radius, height - 36, FILLED);
        w.SetPen(DARKRED, 2);
        w.SetBrush(TOMATO);
        w.DrawCircle(x, y, radius, FILLED);
        w.UpdateBuffer();

        x += dx;
        y += dy;
        if (x < radius || x > width - radius) dx = -dx;
        if (y < radius || y > height - 42 - radius) dy = -dy;

        int cx = 0, cy = 0;
        char key = 0;
        if (w.PollMouseClick(cx, cy) != NO_CLICK || w.PollKeyPress(key) != NO_KEY) break;
        if (!w.IsOpen()) break;
        Sleep(20);  // about 50 frames a second
    }
    w.SetWaitClose(false);
    return 0;
}
