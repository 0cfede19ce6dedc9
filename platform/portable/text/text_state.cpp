// The DC state that only text uses: background mode and colour, and text alignment.
//
// Each setter returns the previous value. A bad handle gets Wine's error values: 0 for the
// modes, CLR_INVALID for the colours, GDI_ERROR from SetTextAlign but 0 from GetTextAlign.
// SetBkMode refuses modes other than TRANSPARENT and OPAQUE (0, mode unchanged). The text
// colour and the current position are the DC module's (SetTextColor, MoveToEx).
#include "dc/device_context.h"

#include <platform/win32.h>

using zg::DeviceContext;
using zg::lookup_dc;

extern "C" {

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return 0;
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    const int previous = dc->bk_mode;
    dc->bk_mode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC hdc) {
    const DeviceContext* dc = lookup_dc(hdc);
    return dc == nullptr ? 0 : dc->bk_mode;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->bk_color;
    dc->bk_color = color;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    const DeviceContext* dc = lookup_dc(hdc);
    return dc == nullptr ? CLR_INVALID : dc->bk_color;
}

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return static_cast<UINT>(GDI_ERROR);
    const UINT previous = dc->text_align;
    dc->text_align = align;
    return previous;
}

UINT WINAPI GetTextAlign(HDC hdc) {
    const DeviceContext* dc = lookup_dc(hdc);
    return dc == nullptr ? 0 : dc->text_align;  // 0, not GDI_ERROR, for a bad handle, as Wine
}

}  // extern "C"
