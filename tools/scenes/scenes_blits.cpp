// Scenes of block transfers: PatBlt with each pattern ROP, BitBlt with each source ROP
// between two DIB sections and within one (overlapping), with negative extents and clipping,
// and GetDIBits reading a bottom-up copy back (as notes).
#include "scene.h"

#include <cstring>

namespace scenes {

namespace {

void patblts(const Canvas& c) {
    HBRUSH b = CreateSolidBrush(RGB(0x11, 0x99, 0xEE));
    HGDIOBJ old = SelectObject(c.dc, b);
    const DWORD rops[] = {PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS};
    int x = 2;
    for (DWORD rop : rops) {
        c.note(PatBlt(c.dc, x, 2, 10, 20, rop));
        c.note(PatBlt(c.dc, x + 10, 40, -10, -14, rop));
        x += 12;
    }
    c.note(PatBlt(c.dc, -5, 30, 200, 3, PATCOPY));
    SelectObject(c.dc, GetStockObject(NULL_BRUSH));
    c.note(PatBlt(c.dc, 2, 44, 30, 4, PATCOPY));
    SelectObject(c.dc, old);
    DeleteObject(b);
}

HBITMAP make_source(HDC mem, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = 12;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bm = CreateDIBSection(mem, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    auto* p = static_cast<unsigned*>(*bits);
    for (unsigned i = 0; i < 16 * 12; ++i) p[i] = 0x00010203u * i + 0x00400000u;
    return bm;
}

void bitblts(const Canvas& c) {
    HDC mem = CreateCompatibleDC(c.dc);
    void* bits = nullptr;
    HBITMAP bm = make_source(mem, &bits);
    HGDIOBJ old = SelectObject(mem, bm);
    const DWORD rops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, NOTSRCCOPY};
    int x = 2;
    for (DWORD rop : rops) {
        c.note(BitBlt(c.dc, x, 2, 16, 12, mem, 0, 0, rop));
        c.note(BitBlt(c.dc, x + 16, 30, -16, -12, mem, 16, 12, rop));
        x += 18;
    }
    c.note(BitBlt(c.dc, -4, 34, 20, 20, mem, -3, 2, SRCCOPY));
    c.note(BitBlt(c.dc, 40, 34, 16, 12, mem, 8, 6, SRCCOPY));
    c.note(BitBlt(c.dc, 60, 40, 30, 10, c.dc, 55, 36, SRCCOPY));  // overlapping, within one DC
    c.note(BitBlt(c.dc, 0, 0, 5, 5, nullptr, 0, 0, SRCCOPY));
    // GetDIBits of the bottom-up source, read top-down and bottom-up.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    c.note(GetDIBits(mem, bm, 0, 0, nullptr, &info, DIB_RGB_COLORS));
    c.note(info.bmiHeader.biWidth);
    c.note(info.bmiHeader.biHeight);
    c.note(info.bmiHeader.biBitCount);
    unsigned rows[16 * 12];
    for (int sign : {1, -1}) {
        info.bmiHeader.biHeight = 12 * sign;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        std::memset(rows, 0, sizeof rows);
        c.note(GetDIBits(mem, bm, 2, 5, rows, &info, DIB_RGB_COLORS));
        for (int i = 0; i < 5; ++i) c.note(rows[i * 16 + 3]);
    }
    SelectObject(mem, old);
    DeleteObject(bm);
    DeleteDC(mem);
}

}  // namespace

void add_blit_scenes(std::vector<Scene>& out) {
    out.push_back({"patblt", 64, 50, patblts});
    out.push_back({"bitblt", 96, 56, bitblts});
}

}  // namespace scenes
