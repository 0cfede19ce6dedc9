// print_probe WIDTH HEIGHT buffered|unbuffered: opens a window, draws a picture whose edges can be
// found on a printed page, and prints it once through window::Print. The picture is white with
// four bands of BAND pixels: red along the top, blue along the bottom, green down the left and
// magenta down the right (the side bands between the top and bottom ones). A window narrower or
// lower than two bands is red all over.
// Whatever Print made it must release: a GDI object or dialog block left behind ends the probe
// with status 3 (where the platform can count them). Print's OUT_OF_MEMORY ends it with status 4.
#include <graphics/window.h>
#include <platform/gdi_count.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kBand = 150;

void Band(window& w, const color& colour, int x1, int y1, int x2, int y2) {
    w.SetPen(colour, 1);
    w.SetBrush(colour);
    w.DrawRectangle(x1, y1, x2, y2, FILLED, 0, 0);
}

void DrawPicture(window& w, int width, int height) {
    if (width < 2 * kBand || height < 2 * kBand) {
        Band(w, RED, 0, 0, width, height);
        return;
    }
    Band(w, WHITE, 0, 0, width, height);
    Band(w, RED, 0, 0, width, kBand);
    Band(w, BLUE, 0, height - kBand, width, height);
    Band(w, GREEN, 0, kBand, kBand, height - kBand);
    Band(w, MAGENTA, width - kBand, kBand, width, height - kBand);
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 0, height = argc > 2 ? std::atoi(argv[2]) : 0;
    if (argc != 4 || width < 1 || height < 1) {
        std::fprintf(stderr, "usage: print_probe WIDTH HEIGHT buffered|unbuffered\n");
        return 2;
    }
    window w(width, height, 0, 0);
    w.SetWaitClose(false);
    w.SetBuffering(std::strcmp(argv[3], "buffered") == 0);
    DrawPicture(w, width, height);
    const int objects = zg_live_gdi_objects();
    try {
        w.Print();
    } catch (error) {
        std::fprintf(stderr, "print_probe: Print ran out of memory\n");
        return 4;
    }
    if (objects >= 0 && zg_live_gdi_objects() != objects) {
        std::fprintf(stderr, "print_probe: Print left %d GDI objects\n", zg_live_gdi_objects() - objects);
        return 3;
    }
    if (zg_live_dialog_blocks() > 0) {
        std::fprintf(stderr, "print_probe: Print left %d dialog blocks\n", zg_live_dialog_blocks());
        return 3;
    }
    return 0;
}
