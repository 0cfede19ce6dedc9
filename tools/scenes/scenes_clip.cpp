// Scenes of clipping: each kind of clip region (made with IntersectClipRect, ExcludeClipRect,
// SelectClipRgn and ExtSelectClipRgn in every mode) under every family of drawing calls, so
// that a pixel drawn outside the clip region, or one missing inside it, shows. A last scene
// notes what the clip calls return and what GetClipBox reports after each.
#include "scene.h"

#include <array>
#include <string>

namespace scenes {

namespace {

constexpr int scene_w = 160, scene_h = 120;

enum class ClipKind { Rect, Holes, Stripes, EllipseXor, Nested, OrEllipse, Empty };

HRGN stripes_region() {
    HRGN all = CreateRectRgn(0, 0, 0, 0);
    for (int x = 3; x < scene_w; x += 9) {
        HRGN s = CreateRectRgn(x, 2, x + 5, scene_h - 2);
        CombineRgn(all, all, s, RGN_OR);
        DeleteObject(s);
    }
    HRGN band = CreateRectRgn(0, 50, scene_w, 58);
    CombineRgn(all, all, band, RGN_OR);
    DeleteObject(band);
    return all;
}

void select_clip(HDC dc, ClipKind kind, const Canvas& c) {
    switch (kind) {
    case ClipKind::Rect: c.note(IntersectClipRect(dc, 150, 110, 11, 7)); return;
    case ClipKind::Holes:
        for (int y = 4; y < scene_h; y += 13)
            for (int x = 4; x < scene_w; x += 13) c.note(ExcludeClipRect(dc, x, y, x + 6, y + 5));
        return;
    case ClipKind::Stripes: {
        HRGN r = stripes_region();
        c.note(SelectClipRgn(dc, r));
        DeleteObject(r);
        return;
    }
    case ClipKind::EllipseXor: {
        HRGN e = CreateEllipticRgn(20, 10, 140, 110);
        c.note(ExtSelectClipRgn(dc, e, RGN_XOR));
        DeleteObject(e);
        return;
    }
    case ClipKind::Nested: {
        HRGN e = CreateEllipticRgn(50, 30, 110, 90);
        HRGN r = CreateRectRgn(-20, 20, 130, 200);
        c.note(IntersectClipRect(dc, 5, 5, 155, 115));
        c.note(ExtSelectClipRgn(dc, e, RGN_DIFF));
        c.note(ExtSelectClipRgn(dc, r, RGN_AND));
        DeleteObject(e);
        DeleteObject(r);
        return;
    }
    case ClipKind::OrEllipse: {
        HRGN r = CreateRectRgn(0, 0, 60, 120);
        HRGN e = CreateEllipticRgn(40, 20, 150, 100);
        c.note(SelectClipRgn(dc, r));
        c.note(ExtSelectClipRgn(dc, e, RGN_OR));
        DeleteObject(r);
        DeleteObject(e);
        return;
    }
    case ClipKind::Empty: c.note(IntersectClipRect(dc, 30, 30, 30, 90)); return;
    }
}

void shapes(const Canvas& c) {
    for (const PenSpec pen : {PenSpec{PS_SOLID, 1}, PenSpec{PS_SOLID, 5}}) {
        const Selection s = select_objects(c.dc, pen, RGB(0x20, 0x30, 0xA0), false, RGB(0xF0, 0xB0, 0x20));
        const int o = pen.width == 1 ? 0 : 58;
        c.note(Rectangle(c.dc, 2, 2 + o, 40, 50 + o));
        c.note(Ellipse(c.dc, 42, 2 + o, 92, 52 + o));
        c.note(RoundRect(c.dc, 94, 2 + o, 156, 40 + o, 17, 13));
        c.note(Pie(c.dc, 10, 20 + o, 70, 60 + o, 60, 20 + o, 10, 50 + o));
        c.note(Chord(c.dc, 80, 10 + o, 150, 58 + o, 150, 30 + o, 80, 20 + o));
        const POINT star[] = {{120, 4 + o}, {140, 56 + o}, {96, 22 + o}, {150, 22 + o}, {100, 56 + o}};
        c.note(Polygon(c.dc, star, 5));
        restore_objects(s);
    }
    SetROP2(c.dc, R2_XORPEN);
    c.note(Rectangle(c.dc, 30, 30, 130, 90));
    SetROP2(c.dc, R2_COPYPEN);
}

void lines(const Canvas& c) {
    const Selection s = select_objects(c.dc, {PS_SOLID, 1}, RGB(0x90, 0x10, 0x10), true, 0);
    for (int k = 0; k < 40; ++k) {
        const int x = k < 20 ? k * 8 : scene_w - 1, y = k < 20 ? 0 : (k - 20) * 6;
        MoveToEx(c.dc, 80, 60, nullptr);
        c.note(LineTo(c.dc, x, y));
        MoveToEx(c.dc, 80, 60, nullptr);
        LineTo(c.dc, scene_w - 1 - x, scene_h - 1 - y);
    }
    c.note(Arc(c.dc, 10, 10, 150, 110, 150, 60, 10, 60));
    for (int y = 1; y < scene_h; y += 4)
        for (int x = 1; x < scene_w; x += 4) c.note(static_cast<long long>(SetPixel(c.dc, x, y, RGB(0, x, y))));
    restore_objects(s);
    const Selection w = select_objects(c.dc, {PS_SOLID, 7}, RGB(0x10, 0x80, 0x10), true, 0);
    const POINT zig[] = {{5, 100}, {50, 15}, {90, 105}, {150, 20}};
    c.note(Polyline(c.dc, zig, 4));
    restore_objects(w);
}

HBITMAP pattern_bitmap(HDC mem, int w, int h, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HBITMAP bm = CreateDIBSection(mem, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    auto* p = static_cast<unsigned*>(*bits);
    for (int i = 0; i < w * h; ++i) p[i] = 0x00030507u * static_cast<unsigned>(i) + 0x00204000u;
    return bm;
}

void blits(const Canvas& c) {
    HDC mem = CreateCompatibleDC(c.dc);
    void* bits = nullptr;
    HBITMAP bm = pattern_bitmap(mem, 48, 40, &bits);
    HGDIOBJ old = SelectObject(mem, bm);
    c.note(BitBlt(c.dc, 2, 2, 48, 40, mem, 0, 0, SRCCOPY));
    c.note(BitBlt(c.dc, 40, 20, 48, 40, mem, 0, 0, SRCINVERT));
    c.note(BitBlt(c.dc, 100, 70, -48, -40, mem, 47, 39, NOTSRCCOPY));
    c.note(StretchBlt(c.dc, 90, 2, 68, 50, mem, 3, 3, 30, 20, SRCCOPY));
    c.note(BitBlt(c.dc, 20, 60, 80, 50, c.dc, 10, 50, SRCCOPY));  // overlapping, within one DC
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 48, 40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    c.note(SetDIBitsToDevice(c.dc, 110, 60, 48, 40, 0, 0, 0, 40, bits, &info, DIB_RGB_COLORS));
    c.note(StretchDIBits(c.dc, 2, 80, 100, 38, 0, 0, 48, 40, bits, &info, DIB_RGB_COLORS, SRCCOPY));
    HBRUSH b = CreateSolidBrush(RGB(0x11, 0x99, 0xEE));
    HGDIOBJ old_brush = SelectObject(c.dc, b);
    c.note(PatBlt(c.dc, 60, 5, 30, 110, PATCOPY));
    c.note(PatBlt(c.dc, 0, 40, 160, 12, DSTINVERT));
    SelectObject(c.dc, old_brush);
    DeleteObject(b);
    SelectObject(mem, old);
    DeleteObject(bm);
    DeleteDC(mem);
}

void regions(const Canvas& c) {
    HBRUSH b = CreateSolidBrush(RGB(0x60, 0x20, 0x80));
    HRGN e = CreateEllipticRgn(5, 5, 100, 80);
    const POINT tri[] = {{60, 20}, {158, 60}, {40, 118}};
    HRGN p = CreatePolygonRgn(tri, 3, ALTERNATE);
    c.note(FillRgn(c.dc, e, b));
    c.note(InvertRgn(c.dc, p));
    HGDIOBJ old = SelectObject(c.dc, GetStockObject(GRAY_BRUSH));
    OffsetRgn(e, 55, 38);
    c.note(PaintRgn(c.dc, e));
    SelectObject(c.dc, old);
    DeleteObject(e);
    DeleteObject(p);
    DeleteObject(b);
}

void note_clip_box(const Canvas& c) {
    RECT r{};
    c.note(GetClipBox(c.dc, &r));
    c.note(r.left);
    c.note(r.top);
    c.note(r.right);
    c.note(r.bottom);
}

// What the calls return: each on a DC without a clip region, then on one with, then errors.
void clip_calls(const Canvas& c) {
    HRGN q = CreateRectRgn(-5, 4, 8, 30);
    HRGN r = CreateRectRgn(5, 2, 30, 8);
    for (int mode = RGN_AND; mode <= RGN_COPY; ++mode) {
        for (HRGN start : {static_cast<HRGN>(nullptr), r}) {
            c.note(SelectClipRgn(c.dc, start));
            c.note(ExtSelectClipRgn(c.dc, q, mode));
            note_clip_box(c);
            c.note(ExtSelectClipRgn(c.dc, nullptr, mode));
            note_clip_box(c);
        }
    }
    c.note(ExtSelectClipRgn(c.dc, q, 0));
    c.note(ExtSelectClipRgn(c.dc, q, 6));
    SelectClipRgn(c.dc, nullptr);
    c.note(IntersectClipRect(c.dc, 30, 30, 40, 40));  // outside the 20 x 10 scene
    note_clip_box(c);
    c.note(IntersectClipRect(c.dc, 10, 1, 4, 6));
    note_clip_box(c);
    SelectClipRgn(c.dc, nullptr);
    c.note(ExcludeClipRect(c.dc, 3, 3, 8, 50));
    note_clip_box(c);
    c.note(ExcludeClipRect(c.dc, -10, -10, 50, 50));
    note_clip_box(c);
    SelectClipRgn(c.dc, nullptr);
    c.note(ExcludeClipRect(c.dc, 5, 5, 5, 9));
    note_clip_box(c);
    c.note(SelectObject(c.dc, q) == reinterpret_cast<HGDIOBJ>(SIMPLEREGION));
    note_clip_box(c);
    // The clip region is a copy: changing the region afterwards changes nothing.
    c.note(CombineRgn(q, q, r, RGN_OR));
    note_clip_box(c);
    c.note(static_cast<long long>(SetPixel(c.dc, 1, 1, RGB(1, 2, 3))));
    c.note(static_cast<long long>(SetPixel(c.dc, 10, 1, RGB(4, 5, 6))));
    c.note(static_cast<long long>(GetPixel(c.dc, 10, 1)));
    DeleteObject(q);
    DeleteObject(r);
}

using Family = void (*)(const Canvas&);

}  // namespace

void add_clip_scenes(std::vector<Scene>& out) {
    const std::array<std::pair<const char*, ClipKind>, 7> kinds{{{"rect", ClipKind::Rect},
                                                                 {"holes", ClipKind::Holes},
                                                                 {"stripes", ClipKind::Stripes},
                                                                 {"ellipse_xor", ClipKind::EllipseXor},
                                                                 {"nested", ClipKind::Nested},
                                                                 {"or_ellipse", ClipKind::OrEllipse},
                                                                 {"empty", ClipKind::Empty}}};
    const std::array<std::pair<const char*, Family>, 4> families{
        {{"shapes", shapes}, {"lines", lines}, {"blits", blits}, {"regions", regions}}};
    for (const auto& [kind_name, kind] : kinds) {
        for (const auto& [family_name, family] : families) {
            out.push_back({std::string("clip_") + kind_name + "_" + family_name, scene_w, scene_h,
                           [kind, family](const Canvas& c) {
                               select_clip(c.dc, kind, c);
                               family(c);
                               note_clip_box(c);
                           }});
        }
    }
    out.push_back({"clip_calls", 20, 10, clip_calls});
}

}  // namespace scenes
