// The GDI object calls: creating, describing and deleting pens, brushes and fonts, and the
// stock objects. Selection into DCs lives with the DCs (dc/select_object.cpp).
//
// Deletion follows Windows: deleting a stock object "succeeds" and changes nothing; deleting an
// object that a DC still holds succeeds at once but frees it only when the last DC lets go;
// deleting a DC through DeleteObject is DeleteDC.
#include "activity.h"
#include "dc/device_context.h"
#include "objects/handle_table.h"
#include "memory_guard.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace zg;

namespace {

int copy_out(const void* source, int size, int capacity, LPVOID destination) {
    if (destination == nullptr) return size;
    if (capacity < size) return 0;
    std::memcpy(destination, source, static_cast<std::size_t>(size));
    return size;
}

int describe_pen(const PenObject& pen, int capacity, LPVOID out) {
    LOGPEN logpen{static_cast<UINT>(pen.style), {pen.width, 0}, pen.color};
    return copy_out(&logpen, sizeof logpen, capacity, out);
}

int describe_brush(const BrushObject& brush, int capacity, LPVOID out) {
    LOGBRUSH logbrush{brush.style, brush.color, 0};
    return copy_out(&logbrush, sizeof logbrush, capacity, out);
}

// A font hands over as much of its LOGFONTA as fits, as Windows does.
int describe_font(const FontObject& font, int capacity, LPVOID out) {
    int size = static_cast<int>(sizeof(LOGFONTA));
    if (out == nullptr) return size;
    if (capacity <= 0) return 0;
    int count = capacity < size ? capacity : size;
    std::memcpy(out, &font.logfont, static_cast<std::size_t>(count));
    return count;
}

int describe_bitmap(BitmapObject& bitmap, int capacity, LPVOID out) {
    BITMAP info{};
    info.bmWidth = bitmap.surface.width();
    info.bmHeight = bitmap.surface.height();
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(bitmap.bits_per_pixel);
    // Device-dependent rows are padded to 16 bits, DIB rows to 32 bits.
    // GDI computes the row size in 32 bits, so a row of 2^31 bits or more (2^26 pixels at 32
    // bits) wraps: measured under Wine, such a bitmap reports -2^28 bytes a row. The same wrap
    // is made here with unsigned arithmetic, which is defined, then shifted as a signed value.
    const std::uint32_t alignment_bits = bitmap.dib_section ? 32 : 16;
    const std::uint32_t padded_bits =
        static_cast<std::uint32_t>(info.bmWidth) * static_cast<std::uint32_t>(bitmap.bits_per_pixel) + alignment_bits -
        1;
    const auto alignment_bytes = static_cast<std::int32_t>(alignment_bits / 8);
    info.bmWidthBytes = (static_cast<std::int32_t>(padded_bits) >> 3) & ~(alignment_bytes - 1);
    if (bitmap.dib_section) info.bmBits = bitmap.surface.data();
    return copy_out(&info, sizeof info, capacity, out);
}

}  // namespace

extern "C" {

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i > default_bitmap_index) return nullptr;
    return stock_object(i);
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    return zg::within_memory(HPEN{}, [&]() -> HPEN {
        if (iStyle == PS_NULL) return static_cast<HPEN>(stock_object(NULL_PEN));
        auto pen = std::make_unique<PenObject>();
        pen->style = iStyle;
        // Windows keeps the magnitude of a negative width; INT_MIN has none in an int and draws as
        // the one-pixel pen there.
        pen->width = cWidth == std::numeric_limits<int>::min() ? 1 : std::abs(cWidth);
        pen->color = color;
        return static_cast<HPEN>(insert_object(std::move(pen)));
    });
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return zg::within_memory(HBRUSH{}, [&]() -> HBRUSH {
        auto brush = std::make_unique<BrushObject>();
        brush->style = BS_SOLID;
        brush->color = color;
        return static_cast<HBRUSH>(insert_object(std::move(brush)));
    });
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    return zg::within_memory(HFONT{}, [&]() -> HFONT {
        if (lplf == nullptr) return nullptr;
        auto font = std::make_unique<FontObject>();
        font->logfont = *lplf;
        font->logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
        return static_cast<HFONT>(insert_object(std::move(font)));
    });
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    zg::note_activity();
    GdiObject* object = lookup_object(ho);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;
    if (object->kind == ObjectKind::DC) return destroy_dc(static_cast<HDC>(ho)) ? TRUE : FALSE;
    if (object->select_count > 0) {
        object->delete_pending = true;
        return TRUE;
    }
    return free_object(ho) ? TRUE : FALSE;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    zg::note_activity();
    GdiObject* object = lookup_object(h);
    if (object == nullptr) return 0;
    switch (object->kind) {
    case ObjectKind::Pen: return OBJ_PEN;
    case ObjectKind::Brush: return OBJ_BRUSH;
    case ObjectKind::Font: return OBJ_FONT;
    case ObjectKind::Bitmap: return OBJ_BITMAP;
    case ObjectKind::Region: return OBJ_REGION;
    case ObjectKind::DC: return static_cast<DeviceContext*>(object)->type == DcType::Memory ? OBJ_MEMDC : OBJ_DC;
    case ObjectKind::Count: break;
    }
    return 0;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    zg::note_activity();
    GdiObject* object = lookup_object(h);
    if (object == nullptr) return 0;
    switch (object->kind) {
    case ObjectKind::Pen: return describe_pen(static_cast<PenObject&>(*object), c, pv);
    case ObjectKind::Brush: return describe_brush(static_cast<BrushObject&>(*object), c, pv);
    case ObjectKind::Font: return describe_font(static_cast<FontObject&>(*object), c, pv);
    case ObjectKind::Bitmap: return describe_bitmap(static_cast<BitmapObject&>(*object), c, pv);
    default: return 0;
    }
}

}  // extern "C"
