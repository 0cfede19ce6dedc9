// A one-file program built with nothing but pkg-config: c++ hello.cpp $(pkg-config ...).
#include <graphics/window.h>

int main() {
    window w(200, 100, CW_USEDEFAULT, 0);
    w.SetPen(BLACK, 1);
    w.SetBrush(TOMATO);
    w.DrawRectangle(20, 20, 180, 80, FILLED);
    return 0;
}
