// System metrics and the non-client frame of a window.
//
// The frame is this implementation's own, chosen so the numbers agree with each other: a
// captioned window has a one-pixel frame left, right and bottom, and a caption bar of
// SM_CYCAPTION pixels that includes the top frame line. So the outer size
// (w + SM_CXEDGE, h + SM_CYCAPTION + SM_CYEDGE - 1) gives a client area of exactly w x h, and
// AdjustWindowRectEx and GetClientRect agree with CreateWindowExA.
#include "user/window.h"

#include "display/display.h"

#include <cstdint>

namespace zg {
namespace {

constexpr int frame_width = 1;
constexpr int caption_height = 23;
constexpr int edge_width = 2;
constexpr int menu_height = 19;

// 32-bit arithmetic that wraps around as Windows' does, instead of overflowing.
LONG wrapping_add(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

bool has_caption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }
bool has_frame(DWORD style) { return (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0; }

}  // namespace

RECT nonclient_insets(DWORD style) {
    if (has_caption(style)) return {frame_width, caption_height, frame_width, frame_width};
    if (has_frame(style)) return {frame_width, frame_width, frame_width, frame_width};
    return {0, 0, 0, 0};
}

}  // namespace zg

extern "C" {

int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN: return zg::display().screen_size().cx;
    case SM_CYSCREEN: return zg::display().screen_size().cy;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME: return zg::frame_width;
    case SM_CYCAPTION: return zg::caption_height;
    case SM_CXEDGE:
    case SM_CYEDGE: return zg::edge_width;
    default: return 0;
    }
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    (void)dwExStyle;
    if (lpRect == nullptr) return FALSE;
    RECT insets = zg::nonclient_insets(dwStyle);
    lpRect->left = zg::wrapping_add(lpRect->left, -insets.left);
    lpRect->top = zg::wrapping_add(lpRect->top, -insets.top - (bMenu ? zg::menu_height : 0));
    lpRect->right = zg::wrapping_add(lpRect->right, insets.right);
    lpRect->bottom = zg::wrapping_add(lpRect->bottom, insets.bottom);
    return TRUE;
}

}  // extern "C"
