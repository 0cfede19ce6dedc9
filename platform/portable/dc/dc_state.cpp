// The DC state calls this module owns: mix mode, text colour, current position, device
// capabilities, pixel read-back and DeleteDC. Bad DC handles give each call's documented
// failure value (as Wine returns them: 0, or CLR_INVALID where Windows documents it).
#include "dc/device_context.h"
#include "print/printer_dc.h"

namespace {

// What Wine's display driver reports for RASTERCAPS: bit blits, 64 KB+ bitmaps, stretching,
// DIB transfers, flood fill and the rest of a true-colour display's capabilities.
constexpr int display_raster_caps = 0xBE99;

}  // namespace

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
    if (lookup_dc(hdc) == nullptr) return 0;
    if (const zg::print::PrinterJob* job = zg::print::printer_job(hdc))
        return zg::print::printer_device_caps(*job, index);
    switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES: return GetSystemMetrics(SM_CYSCREEN);
    case BITSPIXEL: return 32;
    case RASTERCAPS: return display_raster_caps;
    default: return 0;
    }
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
