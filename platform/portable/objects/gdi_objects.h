// The GDI objects behind the handles: pens, brushes, fonts, bitmaps, regions and device
// contexts all derive from GdiObject and live in the one handle table (handle_table.h).
//
// Selection bookkeeping: select_count says into how many DCs the object is selected. A
// DeleteObject of a selected pen, brush, font or bitmap does not free it under the DC: it is
// marked delete_pending and freed when the last DC deselects it, as Windows does.
#pragma once

#include <platform/win32.h>

#include "raster/region.h"
#include "surface/surface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zg {

enum class ObjectKind : std::uint8_t { Pen, Brush, Font, Bitmap, Region, DC, Count };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    ObjectKind kind;
    bool stock = false;           // stock objects are never deleted
    int select_count = 0;         // DCs that currently hold this object
    bool delete_pending = false;  // DeleteObject came while it was selected
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(ObjectKind::Pen) {}
    int style = PS_SOLID;  // PS_SOLID, PS_INSIDEFRAME, PS_NULL, ...
    int width = 0;         // 0 and 1 are the cosmetic one-pixel pen
    COLORREF color = 0;
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(ObjectKind::Brush) {}
    UINT style = BS_SOLID;  // BS_SOLID or BS_NULL
    COLORREF color = 0;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(ObjectKind::Font) {}
    LOGFONTA logfont{};  // the request as given; realised by the text module when first used
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(ObjectKind::Bitmap) {}
    Surface surface;                        // owned pixels, or the DIB section's memory
    std::vector<std::uint32_t> dib_memory;  // a DIB section's bits (surface borrows them)
    bool dib_section = false;
    int bits_per_pixel = 32;
    HDC selected_into = nullptr;  // a bitmap is selected into at most one memory DC
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(ObjectKind::Region) {}
    raster::Region region;
};

}  // namespace zg
