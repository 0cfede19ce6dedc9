// DC state that belongs to the rasteriser: the polygon fill mode and the arc direction, and
// GdiFlush (drawing here is synchronous, so there is never a batch to flush).
#include "dc/device_context.h"

extern "C" {

int WINAPI SetPolyFillMode(HDC hdc, int mode) {
    zg::DeviceContext* dc = zg::lookup_dc(hdc);
    if (dc == nullptr || (mode != ALTERNATE && mode != WINDING)) return 0;
    int previous = dc->poly_fill_mode;
    dc->poly_fill_mode = mode;
    return previous;
}

int WINAPI GetPolyFillMode(HDC hdc) {
    zg::DeviceContext* dc = zg::lookup_dc(hdc);
    return dc == nullptr ? 0 : dc->poly_fill_mode;
}

int WINAPI SetArcDirection(HDC hdc, int dir) {
    zg::DeviceContext* dc = zg::lookup_dc(hdc);
    if (dc == nullptr || (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE)) return 0;
    int previous = dc->arc_direction;
    dc->arc_direction = dir;
    return previous;
}

int WINAPI GetArcDirection(HDC hdc) {
    zg::DeviceContext* dc = zg::lookup_dc(hdc);
    return dc == nullptr ? 0 : dc->arc_direction;
}

BOOL WINAPI GdiFlush(void) { return TRUE; }

}  // extern "C"
