// Pixel read-back: GetColor tells the colour of any pixel. Here a rainbow of stripes is drawn,
// then every click reads the pixel under the cursor and shows its colour and channels below.
// Escape ends.
#include <graphics/window.h>

#include <string>

int main() {
    window w(420, 260, CW_USEDEFAULT, 0);
    w.SetTitle("Click a colour to read it back");

    const color stripes[] = {RED, ORANGE, YELLOW, GREEN, DEEPSKYBLUE, BLUE, DARKVIOLET};
    for (int i = 0; i < 7; i++) {
        w.SetPen(stripes[i], 1);
        w.SetBrush(stripes[i]);
        w.DrawRectangle(i * 60, 0, i * 60 + 60, 150, FILLED);
    }
    w.SetFont(16, PLAIN, SWISS);

    while (w.IsOpen()) {
        char key = 0;
        if (w.PollKeyPress(key) == ESCAPE_KEY) break;
        int x = 0, y = 0;
        if (w.PollMouseClick(x, y) == NO_CLICK) {
            Sleep(10);
            continue;
        }
        color seen = w.GetColor(x, y);
        w.SetPen(BLACK, 1);
        w.SetBrush(WHITE);
        w.DrawRectangle(0, 150, 420, 260, FILLED);
        w.SetBrush(seen);
        w.DrawRectangle(10, 165, 90, 245, FILLED);
        w.DrawString(110, 170, "at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
        w.DrawString(110, 195,
                     "red " + std::to_string(seen.ucRed) + ", green " + std::to_string(seen.ucGreen) + ", blue " +
                         std::to_string(seen.ucBlue));
        double red = 0, green = 0, blue = 0;
        w.GetColor(x, y, red, green, blue);
        w.DrawRealValue(110, 220, red);
        w.DrawRealValue(200, 220, green);
        w.DrawRealValue(290, 220, blue);
    }
    w.SetWaitClose(false);
    return 0;
}
