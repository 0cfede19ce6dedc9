// The device of window and memory DCs: it describes the screen, as Windows does for both, and
// block transfers write the DC's surface.
#include "dc/device.h"
#include "gdi/surface_transfers.h"

namespace zg {
namespace {

// What Wine's display driver reports for RASTERCAPS: bit blits, 64 KB+ bitmaps, stretching,
// DIB transfers, flood fill and the rest of a true-colour display's capabilities.
constexpr int display_raster_caps = 0xBE99;

class SurfaceDevice final : public Device {
public:
    int caps(int index) const override {
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

    BOOL bit_blt(HDC hdc, const BlockTransfer& t) override {
        return gdi::bit_blt(hdc, t.x, t.y, t.width, t.height, t.source, t.source_x, t.source_y, t.rop);
    }

    BOOL stretch_blt(HDC hdc, const BlockTransfer& t) override { return gdi::stretch_onto_surface(hdc, t); }
};

}  // namespace

std::shared_ptr<Device> surface_device() {
    static const std::shared_ptr<Device> device = std::make_shared<SurfaceDevice>();
    return device;
}

}  // namespace zg
