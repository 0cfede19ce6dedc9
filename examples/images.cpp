// Images: StoreImage copies a part of the window into an `image`; DrawImage draws it back, at its
// own size or stretched to any other size (a width and height of -1 keep its own size).
#include <graphics/window.h>

int main() {
    window w(520, 320, CW_USEDEFAULT, 0);
    w.SetTitle("Store a part of the window and draw it back");

    // A small picture to copy: a house, 80 x 80 pixels, at the top left.
    w.SetPen(SIENNA, 1);
    w.SetBrush(WHEAT);
    w.DrawRectangle(10, 40, 90, 90, FILLED);
    w.SetBrush(FIREBRICK);
    w.DrawTriangle(5, 40, 50, 10, 95, 40, FILLED);
    w.SetBrush(SKYBLUE);
    w.DrawRectangle(20, 50, 40, 70, FILLED);
    w.SetBrush(SADDLEBROWN);
    w.DrawRectangle(55, 55, 75, 90, FILLED);

    image house;
    w.StoreImage(house, 5, 10, 90, 80);

    w.DrawImage(house, 110, 10, -1, -1);    // a copy at its own size
    w.DrawImage(house, 220, 10, 180, 80);   // twice as wide
    w.DrawImage(house, 420, 10, 45, 160);   // thin and tall
    w.DrawImage(house, 10, 110, 270, 200);  // three times as big, roughly

    w.SetPen(BLACK, 1);
    w.SetFont(14, PLAIN, SWISS);
    w.DrawString(300, 200, "original: 90 x 80 pixels");
    w.DrawString(300, 220, "copies: 90 x 80, 180 x 80,");
    w.DrawString(300, 240, "45 x 160 and 270 x 200");
    return 0;
}
