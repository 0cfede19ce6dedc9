// The 144 named colours as a labelled chart: the table NAMED_COLORS holds every name with its
// value, so one loop draws a swatch of each colour and writes its name beside it.
#include <graphics/window.h>

int main() {
    const int columns = 6, rowHeight = 20, columnWidth = 196;
    const int rows = (static_cast<int>(NAMED_COLOR_COUNT) + columns - 1) / columns;
    window w(columns * columnWidth, rows * rowHeight + 8, CW_USEDEFAULT, 0);
    w.SetTitle("144 named colours");
    w.SetFont(12, PLAIN, SWISS);

    for (int i = 0; i < static_cast<int>(NAMED_COLOR_COUNT); i++) {
        const NamedColor& named = NAMED_COLORS[i];
        int x = 6 + (i / rows) * columnWidth;
        int y = 4 + (i % rows) * rowHeight;
        // A thin grey frame keeps the white and nearly white swatches visible.
        w.SetPen(GRAY, 1);
        w.SetBrush(named.value);
        w.DrawRectangle(x, y + 2, x + 36, y + rowHeight - 2, FILLED);
        w.SetPen(BLACK, 1);
        w.DrawString(x + 42, y + 3, named.name);
    }
    return 0;
}
