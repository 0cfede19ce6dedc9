// Block transfers onto a DC's surface (gdi_blit.cpp, dib_transfer.cpp): what the surface device
// does for BitBlt and StretchBlt.
#pragma once

#include "dc/device.h"

namespace zg::gdi {

BOOL bit_blt(HDC hdc, int x, int y, int cx, int cy, HDC hdc_src, int x1, int y1, DWORD rop);
BOOL stretch_onto_surface(HDC hdc, const BlockTransfer& transfer);

}  // namespace zg::gdi
