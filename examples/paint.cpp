// Mouse clicks and keys, a tiny paint program: a left click paints a dot, a right click paints a
// bigger one, the keys r, g and b choose the colour, c clears the canvas, s saves the picture as
// painting.png, Escape ends.
#include <graphics/window.h>

void clearCanvas(window& w) {
    w.SetPen(WHITE, 1);
    w.SetBrush(WHITE);
    w.DrawRectangle(0, 30, 400, 300, FILLED);
}

void showColour(window& w, color ink) {
    w.SetPen(BLACK, 1);
    w.SetBrush(ink);
    w.DrawRectangle(360, 5, 390, 25, FILLED);
}

int main() {
    window w(400, 300, CW_USEDEFAULT, 0);
    w.SetTitle("Paint: click to paint, r g b for colours, c to clear, s to save, Esc to end");
    w.SetPen(GAINSBORO, 1);
    w.SetBrush(GAINSBORO);
    w.DrawRectangle(0, 0, 400, 30, FILLED);
    w.SetPen(BLACK, 1);
    w.SetFont(14, PLAIN, SWISS);
    w.DrawString(8, 7, "click: dot   r g b: colour   c: clear");
    clearCanvas(w);
    color ink = RED;
    showColour(w, ink);

    while (true) {
        char key = 0;
        KeyType kind = w.PollKeyPress(key);
        if (kind == ESCAPE_KEY || !w.IsOpen()) break;
        if (kind == ASCII_KEY) {
            if (key == 'r') ink = RED;
            if (key == 'g') ink = FORESTGREEN;
            if (key == 'b') ink = ROYALBLUE;
            if (key == 'c') clearCanvas(w);
            if (key == 's' && w.SaveImage("painting.png")) w.SetTitle("Paint: saved as painting.png");
            showColour(w, ink);
        }
        int x = 0, y = 0;
        ClickType click = w.PollMouseClick(x, y);
        if (click != NO_CLICK && y > 30) {
            int radius = click == LEFT_CLICK ? 6 : 14;
            w.SetPen(ink, 1);
            w.SetBrush(ink);
            w.DrawCircle(x, y, radius, FILLED);
        }
        Sleep(10);  // let the processor rest between two looks at the queues
    }
    w.SetWaitClose(false);
    return 0;
}
