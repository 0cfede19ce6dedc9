// Fonts and text measurement: the four families in a few styles and sizes, each line measured
// with GetStringSize so a box fits it exactly and the next line starts right below.
#include <graphics/window.h>

#include <string>

int main() {
    window w(520, 290, CW_USEDEFAULT, 0);
    w.SetTitle("Fonts and text measurement");

    struct Sample {
        int size;
        FontStyle style;
        FontFamily family;
        const char* label;
    };
    const Sample samples[] = {
        {28, BOLD, SWISS, "Swiss, bold, 28"},
        {22, ITALIC, ROMAN, "Roman, italic, 22"},
        {18, PLAIN, MODERN, "Modern, plain, 18"},
        {24, UNDERLINE, SWISS, "Swiss, underlined"},
        {20, BOLD + ITALIC, ROMAN, "Roman, bold italic"},
        {16, STRIKEOUT, MODERN, "Modern, struck out"},
    };

    int y = 10;
    for (const Sample& s : samples) {
        w.SetFont(s.size, s.style, s.family);
        int width = 0, height = 0;
        w.GetStringSize(width, height, s.label);
        w.SetPen(LIGHTSTEELBLUE, 1);
        w.SetBrush(ALICEBLUE);
        w.DrawRectangle(10, y, 10 + width, y + height, FILLED);
        w.SetPen(MIDNIGHTBLUE, 1);
        w.DrawString(10, y, s.label);
        w.SetFont(14, PLAIN, SWISS);
        w.SetPen(DIMGRAY, 1);
        w.DrawString(330, y + height / 2 - 8, std::to_string(width) + " x " + std::to_string(height));
        y += height + 12;
    }

    // Numbers are text too: measure each piece to know where the next one goes.
    w.SetFont(14, PLAIN, SWISS);
    w.SetPen(BLACK, 1);
    int width = 0, height = 0;
    w.DrawString(10, y, "Numbers too: ");
    w.GetStringSize(width, height, "Numbers too: ");
    w.DrawIntValue(10 + width, y, 1234);
    int intWidth = 0;
    w.GetStringSize(intWidth, height, 1234);
    w.DrawRealValue(10 + width + intWidth + 8, y, 3.14159);
    return 0;
}
