// Mouse capture: one window at a time receives the mouse wherever it is. The window that loses
// the capture is told with WM_CAPTURECHANGED (lParam: the new owner), as on Windows.
#include "display/display.h"
#include "text/utf16.h"
#include "user/window.h"
#include "memory_guard.h"

namespace zg {
namespace {

HWND& captured() {
    static HWND hwnd = nullptr;
    return hwnd;
}

HWND change_capture(HWND incoming) {
    HWND previous = GetCapture();
    captured() = incoming;
    display().set_capture(lookup_window(incoming));
    if (previous != nullptr && previous != incoming)
        SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(incoming));
    return previous;
}

}  // namespace
}  // namespace zg

extern "C" {

HWND WINAPI SetCapture(HWND hWnd) {
    if (zg::lookup_window(hWnd) == nullptr) return nullptr;
    return zg::change_capture(hWnd);
}

BOOL WINAPI ReleaseCapture(void) {
    if (zg::captured() != nullptr) zg::change_capture(nullptr);
    return TRUE;
}

// A capture owner that has died no longer holds the capture.
HWND WINAPI GetCapture(void) {
    HWND hwnd = zg::captured();
    if (hwnd != nullptr && zg::lookup_window(hwnd) == nullptr) zg::captured() = nullptr;
    return zg::captured();
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return zg::within_memory(0, [&]() -> int {
        return zg::display().message_box(hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType);
    });
}

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    const std::string caption = lpCaption ? zg::utf16_to_utf8(zg::zero_ended(lpCaption)) : "Error";
    return zg::display().message_box_utf8(hWnd, zg::utf16_to_utf8(zg::zero_ended(lpText)), caption, uType);
}

}  // extern "C"
