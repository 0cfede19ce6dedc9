// Windows of the portable USER: classes, the window table and the per-window state the
// displays and the message functions share.
//
// Window handles come from their own generation-checked table (tag window_tag, distinct from
// every GDI tag), so the HWND of a destroyed window never matches a later window and a DC or
// pen handle passed as an HWND fails. A Window owns its client-area surface; window DCs point
// at it until the window dies.
#pragma once

#include <platform/win32.h>

#include "surface/surface.h"

#include <string>
#include <vector>

namespace zg {

struct WindowClass {
    std::string name;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    UINT style = 0;
};

struct Window {
    HWND hwnd = nullptr;
    std::string class_name;
    WNDPROC procedure = nullptr;
    std::string text;     // the caption in Windows-1252, as the "A" calls read it
    std::string caption;  // the caption in UTF-8, as the display shows it
    DWORD style = 0;
    DWORD ex_style = 0;
    RECT frame{};     // outer rectangle in screen coordinates
    Surface surface;  // the client area, exactly its size
    bool visible = false;
    bool destroying = false;
    void* native = nullptr;  // the display's own data for this window
};

// The registered class of a name (or MAKEINTATOM atom); null if none. Names compare without
// regard to case, as on Windows.
const WindowClass* find_class(LPCSTR name);
bool same_name(const std::string& a, const char* b);

// The window behind a handle; null for null, stale or forged handles.
Window* lookup_window(HWND hwnd);

// Live windows in creation order.
std::vector<HWND> all_windows();
int live_windows();

// Drawing operations on all window surfaces so far: it grows while a program draws, so a display
// can tell a busy program from one that only polls for input.
std::uint64_t window_surface_writes();

// Insets of the non-client frame (left, top, right, bottom) for a window style.
RECT nonclient_insets(DWORD style);

// Client size of a window; {0, 0} for an invalid handle.
SIZE client_size(HWND hwnd);

}  // namespace zg
