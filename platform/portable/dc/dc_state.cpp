// The DC state calls this module owns: mix mode, text colour, current position, device
// capabilities, pixel read-back and DeleteDC. Bad DC handles give each call's documented
// failure value (as Wine returns them: 0, or CLR_INVALID where Windows documents it).
#include "dc/device_context.h"

using zg::lookup_dc;

extern "C" {

int WINAPI SetROP2(HDC hdc, int rop2) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    int previous = dc->rop2;
    dc->rop2 = rop2;
    return previous;
}

int WINAPI GetROP2(HDC hdc) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    return dc ? dc->rop2 : 0;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return CLR_INVALID;
    COLORREF previous = dc->text_color;
    dc->text_color = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    return dc ? dc->text_color : 0;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return FALSE;
    if (lppt != nullptr) *lppt = dc->position;
    dc->position = {x, y};
    return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr || lppt == nullptr) return FALSE;
    *lppt = dc->position;
    return TRUE;
}

BOOL WINAPI DeleteDC(HDC hdc) { return zg::destroy_dc(hdc) ? TRUE : FALSE; }

// Window and memory DCs both describe the screen, as on Windows; a printer DC its page.
int WINAPI GetDeviceCaps(HDC hdc, int index) {
    const zg::Device* device = zg::device_of(hdc);
    return device != nullptr ? device->caps(index) : 0;
}

// Reads the surface whatever the clip region: Wine returns pixels outside it too.
COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    zg::DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return CLR_INVALID;
    zg::Surface* surface = dc->surface();
    std::uint32_t pixel = 0;
    if (surface == nullptr || !surface->get(x, y, pixel)) return CLR_INVALID;
    return zg::to_colorref(pixel);
}

}  // extern "C"
