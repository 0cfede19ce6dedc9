// Per-window calls: showing, caption text, geometry and window DCs.
//
// GetDC hands out a new window DC each time (Windows serves them from a cache; the observable
// rules are the same: release what you get). ReleaseDC frees a window DC; a window that dies
// first leaves its DCs without a surface, so late drawing draws nothing, and frees all but the
// newest few (dc/device_context.cpp).
#include "dc/device_context.h"
#include "display/display.h"
#include "text/utf16.h"
#include "user/window.h"
#include "memory_guard.h"

#include <cstring>

extern "C" {

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    zg::Window* window = zg::lookup_window(hWnd);
    if (window == nullptr) return FALSE;
    bool was_visible = window->visible;
    bool show = nCmdShow != SW_HIDE;
    if (show != was_visible) {
        SendMessageA(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        window = zg::lookup_window(hWnd);
        if (window == nullptr) return was_visible ? TRUE : FALSE;
        window->visible = show;
        zg::display().show_window(*window);
    }
    return was_visible ? TRUE : FALSE;
}

// The caption changes through WM_SETTEXT, whose default handling stores it, as on Windows.
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        if (zg::lookup_window(hWnd) == nullptr) return FALSE;
        return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0 ? TRUE : FALSE;
    });
}

// An "A" window's procedure takes its caption in Windows-1252, so the wide text is converted
// before WM_SETTEXT, '?' for what the code page lacks: what Windows does (measured under Wine).
BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
    const std::string bytes = zg::to_windows_1252(zg::utf16_to_utf8(zg::zero_ended(lpString)));
    return SetWindowTextA(hWnd, bytes.c_str());
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0) return 0;
    lpString[0] = '\0';
    zg::Window* window = zg::lookup_window(hWnd);
    if (window == nullptr) return 0;
    std::size_t count = std::min(window->text.size(), static_cast<std::size_t>(nMaxCount - 1));
    std::memcpy(lpString, window->text.data(), count);
    lpString[count] = '\0';
    return static_cast<int>(count);
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    if (lpRect == nullptr || zg::lookup_window(hWnd) == nullptr) return FALSE;
    SIZE size = zg::client_size(hWnd);
    *lpRect = {0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    zg::Window* window = zg::lookup_window(hWnd);
    if (lpRect == nullptr || window == nullptr) return FALSE;
    *lpRect = window->frame;
    return TRUE;
}

// GetDC(nullptr) is the screen's DC, which here has nothing to draw on.
HDC WINAPI GetDC(HWND hWnd) {
    return zg::within_memory(HDC{}, [&]() -> HDC {
        if (hWnd == nullptr) return zg::create_dc(zg::DcType::Window, nullptr, nullptr);
        zg::Window* window = zg::lookup_window(hWnd);
        if (window == nullptr) return nullptr;
        return zg::create_dc(zg::DcType::Window, hWnd, &window->surface);
    });
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
    (void)hWnd;
    zg::DeviceContext* dc = zg::lookup_dc(hDC);
    if (dc == nullptr || dc->type != zg::DcType::Window) return 0;
    return zg::destroy_dc(hDC) ? 1 : 0;
}

}  // extern "C"
