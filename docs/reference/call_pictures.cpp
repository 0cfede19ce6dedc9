// The reference's examples: each snippet between two "//! [name]" lines is shown in the
// reference (Doxygen's \snippet), and the ones that draw are run at build time by
// make_pictures.sh, one at a time in a 200 x 120 window on the headless display, whose
// scripted snapshot becomes the picture beside the code. So every picture is exactly what its
// code draws. Usage: call_pictures NAME (a snippet that draws), or --list.
#include <graphics/window.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void SetPenExample(window& w) {
    //! [SetPen]
    w.SetPen(NAVY, 5);  // navy, 5 pixels wide
    w.DrawLine(20, 20, 180, 100, FRAME);
    w.SetPen(0.9, 0.3, 0.1, 1);  // the same from fractions of 0.0 to 1.0
    w.DrawLine(20, 100, 180, 20, FRAME);
    //! [SetPen]
}

void SetBrushExample(window& w) {
    //! [SetBrush]
    w.SetPen(BLACK, 1);
    w.SetBrush(GOLD);
    w.DrawRectangle(20, 20, 90, 100, FILLED);
    w.SetBrush(30, 144, 255);  // red, green, blue: 0 to 255
    w.DrawRectangle(110, 20, 180, 100, FILLED);
    //! [SetBrush]
}

void DrawStylesExample(window& w) {
    //! [DrawStyles]
    w.SetPen(DARKGREEN, 3);
    w.SetBrush(LIGHTGREEN);
    w.DrawCircle(40, 60, 30, FILLED);     // outline and inside
    w.DrawCircle(100, 60, 30, FRAME);     // outline only
    w.DrawCircle(160, 60, 30, INVERTED);  // every pixel turned to its opposite
    //! [DrawStyles]
}

void DrawLineExample(window& w) {
    //! [DrawLine]
    w.SetPen(BLACK, 1);
    for (int x = 10; x <= 190; x += 20) {
        w.DrawLine(100, 110, x, 10, FRAME);
    }
    //! [DrawLine]
}

void DrawRectangleExample(window& w) {
    //! [DrawRectangle]
    w.SetPen(MAROON, 2);
    w.SetBrush(PINK);
    w.DrawRectangle(10, 20, 90, 100, FILLED);
    w.DrawRectangle(110, 20, 190, 100, FILLED, 30, 30);  // rounded corners
    //! [DrawRectangle]
}

void DrawTriangleExample(window& w) {
    //! [DrawTriangle]
    w.SetPen(BLUE, 2);
    w.SetBrush(LIGHTSKYBLUE);
    w.DrawTriangle(100, 10, 20, 110, 180, 110, FILLED);
    //! [DrawTriangle]
}

void DrawPolygonExample(window& w) {
    //! [DrawPolygon]
    const int xs[] = {100, 122, 186, 134, 153, 100, 47, 66, 14, 78};
    const int ys[] = {5, 45, 48, 78, 115, 93, 115, 78, 48, 45};
    w.SetPen(DARKORANGE, 1);
    w.SetBrush(ORANGE);
    w.DrawPolygon(xs, ys, 10, FILLED);  // a star of ten points
    //! [DrawPolygon]
}

void DrawCircleExample(window& w) {
    //! [DrawCircle]
    w.SetPen(PURPLE, 3);
    w.SetBrush(THISTLE);
    w.DrawCircle(100, 60, 50, FILLED);  // centre (100, 60), radius 50
    //! [DrawCircle]
}

void DrawEllipseExample(window& w) {
    //! [DrawEllipse]
    w.SetPen(SEAGREEN, 2);
    w.SetBrush(PALEGREEN);
    w.DrawEllipse(10, 30, 190, 90, FILLED);  // the ellipse inside this box
    //! [DrawEllipse]
}

void DrawArcExample(window& w) {
    //! [DrawArc]
    w.SetPen(FIREBRICK, 2);
    w.SetBrush(SALMON);
    w.DrawArc(10, 10, 110, 110, 30, 300, FILLED, 0);  // a pie slice, angles in degrees
    w.DrawArc(100, 10, 200, 110, 0, 180, FRAME, 0);   // the arc alone
    //! [DrawArc]
}

void DrawBezierExample(window& w) {
    //! [DrawBezier]
    w.SetPen(MEDIUMBLUE, 3);
    w.DrawBezier(10, 100, 60, 0, 140, 120, 190, 20, FRAME);
    w.SetPen(GRAY, 1);
    w.DrawLine(10, 100, 60, 0, FRAME);  // the pulls of the two middle points
    w.DrawLine(190, 20, 140, 120, FRAME);
    //! [DrawBezier]
}

void DrawPixelExample(window& w) {
    //! [DrawPixel]
    w.SetPen(BLACK, 1);
    for (int x = 0; x < 200; x += 2) {
        w.DrawPixel(x, 60 + (x % 40) - 20);
    }
    //! [DrawPixel]
}

void DrawStringExample(window& w) {
    //! [DrawString]
    w.SetPen(BLACK, 1);  // text takes the pen's colour
    w.SetFont(16, BOLD, SWISS);
    w.DrawString(10, 10, "Hello, window!");
    w.SetFont(14, PLAIN, ROMAN);
    w.DrawString(10, 40, "Paramètres : θ = 45°");  // UTF-8, as the source file is
    w.SetFont(14, ITALIC, MODERN);
    w.DrawString(10, 70, "ω₃ = 200 rad/s");
    //! [DrawString]
}

void NumbersExample(window& w) {
    //! [DrawIntValue]
    w.SetPen(BLACK, 1);
    w.SetFont(16, PLAIN, SWISS);
    w.DrawIntValue(10, 20, -42);       // -42
    w.DrawRealValue(10, 60, 3.14159);  // 3.141590
    //! [DrawIntValue]
}

void GetStringSizeExample(window& w) {
    //! [GetStringSize]
    const char* label = "centred";
    w.SetFont(20, BOLD, SWISS);
    int width = 0, height = 0;
    w.GetStringSize(width, height, label);
    w.SetPen(BLACK, 1);
    w.DrawString((200 - width) / 2, (120 - height) / 2, label);
    w.DrawRectangle((200 - width) / 2, (120 - height) / 2, (200 + width) / 2, (120 + height) / 2, FRAME);
    //! [GetStringSize]
}

void NamedColoursExample(window& w) {
    //! [NamedColours]
    const color swatches[] = {TOMATO, GOLD, YELLOWGREEN, TURQUOISE, ROYALBLUE, ORCHID};
    for (int i = 0; i < 6; i++) {
        w.SetPen(BLACK, 1);
        w.SetBrush(swatches[i]);
        w.DrawRectangle(10 + i * 31, 20, 36 + i * 31, 100, FILLED);
    }
    //! [NamedColours]
}

void BufferingExample(window& w) {
    //! [SetBuffering]
    w.SetBuffering(true);  // draw out of sight...
    w.SetPen(BLACK, 1);
    w.SetBrush(TOMATO);
    for (int r = 50; r > 0; r -= 10) {
        w.DrawCircle(100, 60, r, r % 20 == 0 ? FILLED : INVERTED);
    }
    w.UpdateBuffer();  // ...and show the finished picture at once
    //! [SetBuffering]
}

void ImagesExample(window& w) {
    //! [StoreImage]
    w.SetPen(NAVY, 2);
    w.SetBrush(GOLD);
    w.DrawCircle(30, 30, 25, FILLED);
    image copy;
    w.StoreImage(copy, 0, 0, 60, 60);    // the 60 x 60 pixels at (0, 0)
    w.DrawImage(copy, 70, 0, -1, -1);    // at its own size
    w.DrawImage(copy, 130, 0, 60, 120);  // stretched to 60 x 120
    //! [StoreImage]
}

void GetColorExample(window& w) {
    //! [GetColor]
    w.SetPen(BLACK, 1);
    w.SetBrush(CORNFLOWERBLUE);
    w.DrawRectangle(10, 10, 60, 60, FILLED);
    const color under = w.GetColor(30, 30);  // (100, 149, 237)
    w.DrawString(70, 20, "red");
    w.DrawIntValue(120, 20, under.ucRed);
    w.DrawString(70, 40, "blue");
    w.DrawIntValue(120, 40, under.ucBlue);
    //! [GetColor]
}

// Snippets shown without a picture: they wait for the user or print.
[[maybe_unused]] void InputExample(window& w) {
    //! [Input]
    int x = 0, y = 0;
    if (w.WaitForMouseClick(x, y) == LEFT_CLICK) {
        w.SetBrush(RED);
        w.DrawCircle(x, y, 5, FILLED);  // a dot where the user clicked
    }
    char key = 0;
    if (w.PollKeyPress(key) == ASCII_KEY && key == 'q') {
        w.DrawString(10, 10, "bye");
    }
    //! [Input]
}

[[maybe_unused]] void PrintExample(window& w) {
    //! [Print]
    w.SetBuffering(true);  // printing copies the hidden copy of the window
    w.DrawCircle(100, 60, 40, FILLED);
    w.UpdateBuffer();
    w.Print();  // asks for a printer, then prints one page
    //! [Print]
}

void TutorialShapes(window& w) {
    //! [TutorialShapes]
    w.SetPen(OLIVEDRAB, 1);
    w.SetBrush(YELLOWGREEN);
    w.DrawRectangle(0, 90, 200, 120, FILLED);  // the ground
    w.SetPen(DARKRED, 2);
    w.SetBrush(TOMATO);
    w.DrawCircle(60, 40, 18, FILLED);  // the ball
    //! [TutorialShapes]
}

void TutorialText(window& w) {
    TutorialShapes(w);
    //! [TutorialText]
    w.SetPen(BLACK, 1);
    w.SetFont(14, BOLD, SWISS);
    w.DrawString(90, 10, "Boing!");
    //! [TutorialText]
}

void TutorialMove(window& w) {
    //! [TutorialMove]
    int x = 30, y = 30, dx = 5, dy = 3;
    for (int frame = 0; frame < 12; frame++) {
        w.SetPen(DARKRED, 2);
        w.SetBrush(TOMATO);
        w.DrawCircle(x, y, 8, FILLED);  // each frame adds a ball: nothing wipes the old ones
        x += dx;
        y += dy;
        Sleep(20);
    }
    //! [TutorialMove]
}

void TutorialBounce(window& w) {
    //! [TutorialBounce]
    const int width = 200, height = 120, radius = 10;
    w.SetBuffering(true);
    int x = 30, y = 30, dx = 5, dy = 3;
    for (int frame = 0; frame < 40; frame++) {
        w.SetPen(LIGHTSKYBLUE, 1);  // wipe: the whole frame is drawn again
        w.SetBrush(LIGHTSKYBLUE);
        w.DrawRectangle(0, 0, width, height, FILLED);
        w.SetPen(DARKRED, 2);
        w.SetBrush(TOMATO);
        w.DrawCircle(x, y, radius, FILLED);
        w.UpdateBuffer();  // show the finished frame
        x += dx;
        y += dy;
        if (x < radius || x > width - radius) dx = -dx;  // bounce off the sides
        if (y < radius || y > height - radius) dy = -dy;
        Sleep(20);
    }
    //! [TutorialBounce]
}

struct Picture {
    const char* name;
    void (*draw)(window&);
};

constexpr Picture kPictures[] = {
    {"SetPen", SetPenExample},
    {"SetBrush", SetBrushExample},
    {"DrawStyles", DrawStylesExample},
    {"DrawLine", DrawLineExample},
    {"DrawRectangle", DrawRectangleExample},
    {"DrawTriangle", DrawTriangleExample},
    {"DrawPolygon", DrawPolygonExample},
    {"DrawCircle", DrawCircleExample},
    {"DrawEllipse", DrawEllipseExample},
    {"DrawArc", DrawArcExample},
    {"DrawBezier", DrawBezierExample},
    {"DrawPixel", DrawPixelExample},
    {"DrawString", DrawStringExample},
    {"DrawIntValue", NumbersExample},
    {"GetStringSize", GetStringSizeExample},
    {"NamedColours", NamedColoursExample},
    {"SetBuffering", BufferingExample},
    {"StoreImage", ImagesExample},
    {"GetColor", GetColorExample},
    {"TutorialEmpty", [](window&) {}},
    {"TutorialShapes", TutorialShapes},
    {"TutorialText", TutorialText},
    {"TutorialMove", TutorialMove},
    {"TutorialBounce", TutorialBounce},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: call_pictures NAME | --list\n", stderr);
        return 2;
    }
    for (const Picture& picture : kPictures) {
        if (std::strcmp(argv[1], "--list") == 0) {
            std::puts(picture.name);
        } else if (std::strcmp(argv[1], picture.name) == 0) {
            window w(200, 120, CW_USEDEFAULT, 0);
            w.SetWaitClose(false);
            picture.draw(w);
            int x = 0, y = 0;
            while (w.IsOpen()) {
                w.WaitForMouseClick(x, y);  // the script takes the snapshot, then closes the window
            }
            return 0;
        }
    }
    if (std::strcmp(argv[1], "--list") == 0) {
        return 0;
    }
    std::fprintf(stderr, "call_pictures: no picture %s\n", argv[1]);
    return 2;
}
