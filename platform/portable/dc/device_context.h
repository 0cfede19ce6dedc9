// Device contexts: the drawing state of GDI (selected objects, mix mode, colours, text
// alignment, current position, fill mode, arc direction) and the surface they draw into.
//
// A window DC draws into its window's surface; a memory DC into the bitmap selected into it
// (a new memory DC holds a 1 x 1 default bitmap). When a window is destroyed its DCs lose
// their surface (surface() returns null) and drawing on them draws nothing; only the newest few
// of such DCs stay valid handles until released, the older ones are freed.
#pragma once

#include "activity.h"
#include "dc/device.h"
#include "objects/gdi_objects.h"
#include "objects/handle_table.h"
#include "surface/surface.h"

#include <memory>

namespace zg {

// A printer DC draws into no surface: its device records what is copied onto it.
enum class DcType : std::uint8_t { Window, Memory, Printer };

struct DeviceContext : GdiObject {
    DeviceContext() : GdiObject(ObjectKind::DC) {}

    DcType type = DcType::Window;
    HWND hwnd = nullptr;                // owning window of a window DC
    Surface* window_surface = nullptr;  // set for window DCs while the window lives
    std::shared_ptr<Device> device;     // what GetDeviceCaps and block transfers ask
    bool orphaned = false;              // a window DC whose window died

    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;  // memory DCs only

    int rop2 = R2_COPYPEN;
    COLORREF text_color = RGB(0, 0, 0);
    COLORREF bk_color = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    POINT position{0, 0};
    int poly_fill_mode = ALTERNATE;
    int arc_direction = AD_COUNTERCLOCKWISE;
    int stretch_mode = BLACKONWHITE;  // SetStretchBltMode: how shrinking merges source pixels

    // The clip region a region selected into the DC set (SelectObject copies it, as
    // SelectClipRgn does); drawing is limited to it while has_clip is true.
    bool has_clip = false;
    raster::Region clip;

    // Where drawing goes: the window's surface or the selected bitmap's; null if none.
    Surface* surface();
    PenObject* pen_object();
    BrushObject* brush_object();
    FontObject* font_object();
};

// Inline, with the lookups below: a small drawing call makes several.
inline DeviceContext* lookup_dc(HDC hdc) {
    note_activity();
    return lookup_as<DeviceContext>(hdc, ObjectKind::DC);
}

inline Surface* DeviceContext::surface() {
    if (type == DcType::Window) return window_surface;
    auto* selected = lookup_as<BitmapObject>(bitmap, ObjectKind::Bitmap);
    return selected ? &selected->surface : nullptr;
}

inline PenObject* DeviceContext::pen_object() { return lookup_as<PenObject>(pen, ObjectKind::Pen); }
inline BrushObject* DeviceContext::brush_object() { return lookup_as<BrushObject>(brush, ObjectKind::Brush); }
inline FontObject* DeviceContext::font_object() { return lookup_as<FontObject>(font, ObjectKind::Font); }
// The device of a DC; null for a handle that is not a DC.
Device* device_of(HDC hdc);

// Makes a DC on `device` with the default objects selected (black pen, white brush, system font
// and, for memory DCs, the default bitmap) and returns its handle.
HDC create_dc(DcType type, HWND hwnd, Surface* window_surface, std::shared_ptr<Device> device = surface_device());

// Deselects everything (freeing objects whose deletion was pending) and frees the DC.
bool destroy_dc(HDC hdc);

// Called when a window dies: its DCs lose their surface; the newest few (over all windows) stay
// valid handles for a late ReleaseDC, older ones are freed.
void detach_window_dcs(HWND hwnd);

// Moves the select counts from `outgoing` to `incoming` (either may be null) and finishes a
// pending deletion of `outgoing` once nothing holds it.
void exchange_selection(HGDIOBJ outgoing, HGDIOBJ incoming);

// Makes `object` the one in `slot`; returns the handle that was there.
template <class Handle>
Handle swap_selection(Handle& slot, Handle object) {
    Handle previous = slot;
    if (previous == object) return previous;
    slot = object;
    exchange_selection(previous, object);
    return previous;
}

}  // namespace zg
