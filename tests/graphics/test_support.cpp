// Helpers of the window library's tests (see test_support.h).
#include "test_support.h"

#include <platform/gdi_count.h>

namespace graphics_test {

std::unique_ptr<window> OpenWindow(int width, int height) {
    auto w = std::make_unique<window>(width, height, 40, 40);
    w->SetWaitClose(false);
    return w;
}

int LiveGdiObjects() { return zg_live_gdi_objects(); }

int LivePens() { return zg_live_objects_of_type(OBJ_PEN); }

void Post(const window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(WindowInspector::Handle(w), message, wParam, lParam);
}

void PostClick(const window& w, MouseButton button, int x, int y) {
    const bool left = button == LEFT_BUTTON;
    Post(w, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
    Post(w, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

std::vector<COLORREF> Snapshot(HDC dc, int left, int top, int right, int bottom) {
    std::vector<COLORREF> pixels;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    return pixels;
}

void Wipe(window& w) {
    w.SetPen(WHITE, 1);
    w.SetBrush(WHITE);
    w.DrawRectangle(0, 0, w.GetWidth(), w.GetHeight(), FILLED, 0, 0);
}

std::string WithoutCallerLines(const std::string& output) {
    std::string kept;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        end = end == std::string::npos ? output.size() : end + 1;
        if (output.compare(start, 5, "  in ") != 0) {
            kept.append(output, start, end - start);
        }
        start = end;
    }
    return kept;
}

}  // namespace graphics_test
