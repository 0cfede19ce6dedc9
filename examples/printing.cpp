// Printing: Print puts the whole picture on one page of a printer picked in the print dialog
// (on a machine without a printer, "PDF file" writes a PDF). Print copies the hidden picture of
// double buffering, so this program draws with buffering on and shows it with UpdateBuffer.
// P prints, Escape ends.
#include <graphics/window.h>

void DrawChart(window& w) {
    const int sales[] = {12, 19, 7, 15, 22, 17};
    const color bars[] = {STEELBLUE, SEAGREEN, GOLDENROD, TOMATO, MEDIUMPURPLE, DARKCYAN};
    w.SetPen(BLACK, 1);
    w.SetFont(20, BOLD, SWISS);
    w.DrawString(20, 15, "Lemonade sold this week");
    w.SetPen(BLACK, 2);
    w.DrawLine(40, 280, 400, 280, FRAME);
    w.DrawLine(40, 280, 40, 60, FRAME);
    for (int i = 0; i < 6; i++) {
        w.SetPen(BLACK, 1);
        w.SetBrush(bars[i]);
        w.DrawRectangle(55 + i * 57, 280 - sales[i] * 9, 95 + i * 57, 280, FILLED);
        w.SetFont(14, PLAIN, SWISS);
        w.DrawIntValue(66 + i * 57, 285, sales[i]);
    }
    w.SetFont(14, ITALIC, ROMAN);
    w.DrawString(20, 315, "Press P to print this chart, Escape to quit.");
}

int main() {
    window w(430, 345, CW_USEDEFAULT, 0);
    w.SetTitle("Press P to print");
    w.SetBuffering(true);
    DrawChart(w);
    w.UpdateBuffer();

    while (w.IsOpen()) {
        char key = 0;
        int pressed = w.WaitForKeyPress(key);
        if (pressed == ESCAPE_KEY || pressed == NO_KEY) break;
        if (key == 'p' || key == 'P') w.Print();
    }
    w.SetWaitClose(false);
    return 0;
}
