// The device a DC draws on, behind one interface: a surface (a window's client area or a memory
// DC's bitmap) or a printer's page. The calls whose meaning differs by device (the capabilities
// GetDeviceCaps reports, block transfers) ask the DC's device; everything else draws on the DC's
// surface, which a printer DC does not have, so there it draws nothing.
//
// Window and memory DCs share one surface device (gdi/surface_device.cpp); each printer DC has a
// device of its own that holds its job (print/printer_device.cpp).
#pragma once

#include <platform/win32.h>

#include <memory>

namespace zg {

// A block transfer as the caller gave it: the destination origin and extent, the source DC, its
// origin and extent (for BitBlt, the destination's extent), and the raster operation.
struct BlockTransfer {
    int x = 0, y = 0, width = 0, height = 0;
    HDC source = nullptr;
    int source_x = 0, source_y = 0, source_width = 0, source_height = 0;
    DWORD rop = 0;
};

class Device {
public:
    Device() = default;
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // GetDeviceCaps: what the device reports for `index`, 0 for an index it does not know.
    virtual int caps(int index) const = 0;
    // BitBlt and StretchBlt onto `hdc`, the DC whose device this is.
    virtual BOOL bit_blt(HDC hdc, const BlockTransfer& transfer) = 0;
    virtual BOOL stretch_blt(HDC hdc, const BlockTransfer& transfer) = 0;
};

// The device of every window and memory DC.
std::shared_ptr<Device> surface_device();

}  // namespace zg
