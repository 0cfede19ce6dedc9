// Scenes of regions: each way of making one, their combinations, offsets, boxes and point
// tests (as notes), and painting them with FillRgn, PaintRgn and InvertRgn.
#include "scene.h"

namespace scenes {

namespace {

void note_region(const Canvas& c, HRGN r) {
    RECT box{};
    c.note(GetRgnBox(r, &box));
    c.note(box.left);
    c.note(box.top);
    c.note(box.right);
    c.note(box.bottom);
}

// Each shape region of small and odd sizes, inverted over a grey background.
void region_shapes(const Canvas& c, int kind) {
    HBRUSH grey = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    int i = 0;
    for (int h = 0; h < 8; ++h) {
        for (int w = 0; w < 8; ++w) {
            const int l = 2 + w * 13, t = 2 + h * 13;
            HRGN r = kind == 0   ? CreateEllipticRgn(l, t, l + w + 1, t + h + 1)
                     : kind == 1 ? CreateRoundRectRgn(l, t, l + w + 2, t + h + 3, w, h)
                                 : CreateRectRgn(l + w + 1, t + h + 1, l, t);
            c.note(InvertRgn(c.dc, r));
            if (i++ % 5 == 0) note_region(c, r);
            DeleteObject(r);
        }
    }
    const int big[][4] = {{110, 4, 170, 44}, {110, 50, 171, 101}, {175, 4, 236, 104}};
    for (const auto& b : big) {
        HRGN r = kind == 0   ? CreateEllipticRgn(b[0], b[1], b[2], b[3])
                 : kind == 1 ? CreateRoundRectRgn(b[0], b[1], b[2], b[3], 21, 14)
                             : CreateRectRgn(b[0], b[1], b[2], b[3]);
        c.note(FillRgn(c.dc, r, grey));
        note_region(c, r);
        DeleteObject(r);
    }
    DeleteObject(grey);
}

void polygon_regions(const Canvas& c, int mode) {
    const POINT star[] = {{30, 2}, {48, 58}, {2, 22}, {58, 22}, {12, 58}};
    const POINT twice[] = {{70, 5}, {110, 5}, {110, 45}, {80, 45}, {80, 15}, {100, 15}, {100, 35}, {70, 35}};
    const POINT tri[] = {{5, 65}, {60, 70}, {20, 95}};
    for (const auto& poly :
         {std::vector<POINT>(star, star + 5), std::vector<POINT>(twice, twice + 8), std::vector<POINT>(tri, tri + 3)}) {
        HRGN r = CreatePolygonRgn(poly.data(), static_cast<int>(poly.size()), mode);
        c.note(PaintRgn(c.dc, r));
        note_region(c, r);
        c.note(PtInRegion(r, 30, 30));
        c.note(PtInRegion(r, 90, 25));
        DeleteObject(r);
    }
    c.note(CreatePolygonRgn(star, 1, mode) != nullptr);
}

void combinations(const Canvas& c) {
    const int modes[] = {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY};
    int i = 0;
    for (int mode : modes) {
        const int ox = 4 + i * 44;
        HRGN a = CreateEllipticRgn(ox, 4, ox + 30, 34);
        HRGN b = CreateRectRgn(ox + 12, 14, ox + 40, 40);
        HRGN d = CreateRectRgn(0, 0, 0, 0);
        c.note(CombineRgn(d, a, b, mode));
        c.note(InvertRgn(c.dc, d));
        note_region(c, d);
        c.note(OffsetRgn(d, 0, 40));
        c.note(PaintRgn(c.dc, d));
        note_region(c, d);
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(d);
        ++i;
    }
    HRGN e = CreateRectRgn(0, 0, 0, 0);
    note_region(c, e);
    c.note(CombineRgn(e, e, e, RGN_AND));
    c.note(CombineRgn(e, e, e, 9));
    DeleteObject(e);
}

}  // namespace

void add_region_scenes(std::vector<Scene>& out) {
    const char* names[] = {"region_elliptic", "region_roundrect", "region_rect"};
    for (int kind = 0; kind < 3; ++kind) {
        out.push_back({names[kind], 240, 108, [kind](const Canvas& c) {
                           HGDIOBJ old = SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
                           region_shapes(c, kind);
                           SelectObject(c.dc, old);
                       }});
    }
    for (int mode : {ALTERNATE, WINDING}) {
        out.push_back({mode == WINDING ? "region_polygon_winding" : "region_polygon_alternate", 120, 100,
                       [mode](const Canvas& c) { polygon_regions(c, mode); }});
    }
    out.push_back({"region_combine", 224, 84, combinations});
}

}  // namespace scenes
