// The window table and the lifetime of windows: CreateWindowExA, DestroyWindow, IsWindow and
// FindWindowA.
//
// Creation sends WM_NCCREATE, WM_CREATE, WM_SIZE and WM_MOVE, then shows a WS_VISIBLE window;
// destruction sends WM_DESTROY then WM_NCDESTROY, drops the window's queued messages and its
// capture, detaches its DCs and only then frees the entry, so the procedure can still use the
// handle while it is told.
#include "dc/device_context.h"
#include "display/display.h"
#include "objects/slot_table.h"
#include "user/message_queue.h"
#include "user/window.h"
#include "memory_guard.h"

#include <algorithm>
#include <memory>

namespace zg {
namespace {

// Above every GDI tag (GDI uses kind + 1).
constexpr unsigned window_tag = 0x40;
constexpr int default_width = 640;
constexpr int default_height = 480;
constexpr int default_position = 26;

SlotTable<Window>& windows() {
    static SlotTable<Window> table;
    return table;
}

std::uint64_t to_value(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

// A top-level window that is not a popup always has a caption, as Windows gives it.
DWORD effective_style(DWORD style) {
    if ((style & (WS_POPUP | WS_CHILD)) == 0) style |= WS_CAPTION;
    return style;
}

// Windows keeps a captioned window between its minimum and maximum tracking sizes (the latter
// just larger than the screen), so an absurd request never asks for gigabytes of surface.
constexpr SIZE min_track_size{112, 27};
constexpr int max_track_margin = 12;
constexpr int max_position = 32767;

RECT outer_frame(int x, int y, int width, int height, DWORD style) {
    if (x == CW_USEDEFAULT) x = y = default_position;
    if (width == CW_USEDEFAULT) {
        width = default_width;
        height = default_height;
    }
    x = std::clamp(x, -max_position, max_position);
    y = std::clamp(y, -max_position, max_position);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if ((style & WS_CAPTION) == WS_CAPTION) {
        const SIZE screen = display().screen_size();
        width = std::clamp(width, static_cast<int>(min_track_size.cx), static_cast<int>(screen.cx) + max_track_margin);
        height =
            std::clamp(height, static_cast<int>(min_track_size.cy), static_cast<int>(screen.cy) + max_track_margin);
    }
    return {x, y, x + width, y + height};
}

std::unique_ptr<Window> make_window(const WindowClass& cls, LPCSTR title, DWORD style, RECT frame) {
    auto window = std::make_unique<Window>();
    window->class_name = cls.name;
    window->procedure = cls.procedure;
    window->text = title ? title : "";
    window->caption = windows_1252_to_utf8(window->text);
    window->style = effective_style(style);
    window->frame = frame;
    RECT insets = nonclient_insets(window->style);
    int width = (frame.right - frame.left) - insets.left - insets.right;
    int height = (frame.bottom - frame.top) - insets.top - insets.bottom;
    window->surface = Surface(std::max(width, 0), std::max(height, 0), to_pixel(RGB(255, 255, 255)));
    return window;
}

void free_window(HWND hwnd) {
    Window* window = lookup_window(hwnd);
    if (window == nullptr) return;
    display().close_window(*window);
    windows().remove(to_value(hwnd));
}

// WM_NCCREATE, WM_CREATE, then the size and position the window got. False if the procedure
// refused the window.
bool announce_creation(HWND hwnd, LPVOID param) {
    if (SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(param)) == 0) return false;
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) return false;
    SIZE size = client_size(hwnd);
    SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(size.cx, size.cy));
    Window* window = lookup_window(hwnd);
    if (window == nullptr) return false;
    RECT insets = nonclient_insets(window->style);
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(window->frame.left + insets.left, window->frame.top + insets.top));
    return true;
}

}  // namespace

Window* lookup_window(HWND hwnd) { return windows().lookup(to_value(hwnd)); }

std::vector<HWND> all_windows() {
    std::vector<HWND> handles;
    windows().for_each([&](std::uint64_t value, const Window& window) {
        if (!window.destroying) handles.push_back(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value)));
    });
    return handles;
}

int live_windows() { return static_cast<int>(all_windows().size()); }

std::uint64_t window_surface_writes() {
    std::uint64_t writes = 0;
    windows().for_each([&](std::uint64_t, const Window& window) { writes += window.surface.writes(); });
    return writes;
}

SIZE client_size(HWND hwnd) {
    Window* window = lookup_window(hwnd);
    if (window == nullptr) return {0, 0};
    return {window->surface.width(), window->surface.height()};
}

}  // namespace zg

extern "C" {

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
    (void)hWndParent, (void)hMenu, (void)hInstance;
    const zg::WindowClass* cls = zg::find_class(lpClassName);
    if (cls == nullptr) return nullptr;
    // The window, its surface and its place on the display: out of memory, no window at all.
    const HWND hwnd = zg::within_memory(HWND{}, [&]() -> HWND {
        auto window = zg::make_window(*cls, lpWindowName, dwStyle,
                                      zg::outer_frame(X, Y, nWidth, nHeight, zg::effective_style(dwStyle)));
        window->ex_style = dwExStyle;
        zg::Window& created = *window;
        std::uint64_t value = zg::windows().insert(std::move(window), zg::window_tag);
        if (value == 0) return nullptr;
        created.hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
        try {
            zg::display().open_window(created);
        } catch (...) {
            zg::windows().remove(value);  // never shown, so nothing to close
            throw;
        }
        return created.hwnd;
    });
    if (hwnd == nullptr) return nullptr;
    if (!zg::announce_creation(hwnd, lpParam)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if ((dwStyle & WS_VISIBLE) != 0) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    zg::Window* window = zg::lookup_window(hWnd);
    if (window == nullptr || window->destroying) return FALSE;
    window->destroying = true;
    if (GetCapture() == hWnd) ReleaseCapture();
    SendMessageA(hWnd, WM_DESTROY, 0, 0);
    SendMessageA(hWnd, WM_NCDESTROY, 0, 0);
    zg::discard_window_messages(hWnd);
    zg::detach_window_dcs(hWnd);
    zg::free_window(hWnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) { return zg::lookup_window(hWnd) != nullptr ? TRUE : FALSE; }

// Newest window first: the newest top-level window is the top of the Z order.
HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    const zg::WindowClass* cls = lpClassName ? zg::find_class(lpClassName) : nullptr;
    if (lpClassName != nullptr && cls == nullptr) return nullptr;
    std::vector<HWND> handles = zg::all_windows();
    for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
        zg::Window* window = zg::lookup_window(*it);
        if (cls != nullptr && !zg::same_name(window->class_name, cls->name.c_str())) continue;
        if (lpWindowName != nullptr && window->text != lpWindowName) continue;
        return *it;
    }
    return nullptr;
}

}  // extern "C"
