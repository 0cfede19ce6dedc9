// Memory DCs and bitmaps: CreateCompatibleDC, 32-bit DIB sections, compatible (and
// discardable, which are the same thing today) bitmaps, and GetDIBits. Every bitmap here is 32
// bits per pixel; a DIB section's surface borrows the section's memory, with a negative stride
// for a bottom-up section, so drawing code always sees rows top to bottom.
#include "dc/device_context.h"
#include "gdi/blit_rows.h"
#include "gdi/dib_header.h"
#include "memory_guard.h"
#include "objects/handle_table.h"

#include <algorithm>

namespace zg::gdi {

namespace {

constexpr long long max_bitmap_pixels = 1LL << 26;  // 256 MB: beyond this creation fails

bool size_ok(long long w, long long h) { return w > 0 && h > 0 && w * h <= max_bitmap_pixels; }

HBITMAP insert_bitmap(std::unique_ptr<BitmapObject> bitmap) {
    return static_cast<HBITMAP>(insert_object(std::move(bitmap)));
}

HBITMAP make_dib_section(int width, int height, void** bits) {
    const int rows = std::abs(height);
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->dib_section = true;
    bitmap->dib_memory.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows), 0u);
    std::uint32_t* base = bitmap->dib_memory.data();
    if (height > 0)  // bottom-up: the first row in memory is the bottom of the picture
        bitmap->surface = Surface(width, rows, -width, base + static_cast<std::ptrdiff_t>(rows - 1) * width);
    else
        bitmap->surface = Surface(width, rows, width, base);
    HBITMAP handle = insert_bitmap(std::move(bitmap));
    if (bits != nullptr) *bits = base;  // only once nothing can fail
    return handle;
}

HBITMAP make_compatible(HDC hdc, int cx, int cy) {
    if (hdc != nullptr && lookup_dc(hdc) == nullptr) return nullptr;
    if (cx < 0 || cy < 0) return nullptr;
    // Windows hands out a 1 x 1 bitmap for an empty size.
    const int w = std::max(cx, 1), h = std::max(cy, 1);
    if (cx == 0 || cy == 0) return make_compatible(hdc, w, h);
    if (!size_ok(w, h)) return nullptr;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = Surface(w, h, 0u);
    return insert_bitmap(std::move(bitmap));
}

void fill_info_header(BITMAPINFOHEADER& h, const Surface& s) {
    h.biWidth = s.width();
    h.biHeight = s.height();
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(s.width()) * static_cast<DWORD>(s.height()) * 4u;
}

}  // namespace

}  // namespace zg::gdi

using namespace zg;

extern "C" {

// Creating a DC or a bitmap allocates (a bitmap up to 256 MB): out of memory, it fails with
// ERROR_NOT_ENOUGH_MEMORY (memory_guard.h).
HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && lookup_dc(hdc) == nullptr) return nullptr;
    return within_memory(HDC{}, [] { return create_dc(DcType::Memory, nullptr, nullptr); });
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                DWORD offset) {
    if (ppvBits != nullptr) *ppvBits = nullptr;
    if (pbmi == nullptr || hSection != nullptr || offset != 0 || usage != DIB_RGB_COLORS) return nullptr;
    if (hdc != nullptr && lookup_dc(hdc) == nullptr) return nullptr;
    const std::optional<gdi::DibView> dib = gdi::read_dib_header(pbmi->bmiHeader, gdi::DibUse::Create);
    if (!dib || !gdi::size_ok(dib->width, dib->height)) return nullptr;
    return within_memory(HBITMAP{},
                         [&] { return gdi::make_dib_section(dib->width, pbmi->bmiHeader.biHeight, ppvBits); });
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    return within_memory(HBITMAP{}, [&] { return gdi::make_compatible(hdc, cx, cy); });
}

HBITMAP WINAPI CreateDiscardableBitmap(HDC hdc, int cx, int cy) { return CreateCompatibleBitmap(hdc, cx, cy); }

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage) {
    auto* bitmap = lookup_as<BitmapObject>(hbm, ObjectKind::Bitmap);
    if (lookup_dc(hdc) == nullptr || bitmap == nullptr || lpbmi == nullptr || usage != DIB_RGB_COLORS) return 0;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    const Surface& s = bitmap->surface;
    if (lpvBits == nullptr) {  // a query: describe the bitmap
        gdi::fill_info_header(h, s);
        return s.height();
    }
    const std::optional<gdi::DibView> dib = gdi::read_dib_header(h);
    if (!dib || start >= static_cast<UINT>(s.height())) return 0;
    const int lines = static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(s.height()) - start));
    const int copy_width = std::min<int>(dib->width, s.width());
    const bool top_down = dib->top_down;
    auto* out = static_cast<std::uint32_t*>(lpvBits);
    // start and cLines count scan lines from the bottom of the picture in either orientation;
    // a top-down buffer receives the same band with its rows top to bottom.
    // A bottom-up buffer walks the surface upwards from the band's bottom row.
    const int band_top = s.height() - static_cast<int>(start) - lines;
    const int first = top_down ? band_top : s.height() - 1 - static_cast<int>(start);
    gdi::copy_rows(out, h.biWidth, s.row(first), top_down ? s.stride() : -s.stride(), copy_width, lines);
    return lines;
}

}  // extern "C"
