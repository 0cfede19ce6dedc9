// Scenes of lines: one-pixel lines in every octant and both directions, ties and diagonals,
// clipping at every edge and from far away, polylines crossing themselves under XOR, wide
// pens at every width of the corpus, Bézier curves and SetPixel.
#include "scene.h"

namespace scenes {

namespace {

constexpr COLORREF line_colour = RGB(0x10, 0x80, 0x30);

// Lines from the centre to every point of a square ring, so every slope up to 1/20 appears.
void fan(const Canvas& c, int cx, int cy, int r, bool inwards) {
    for (int i = -r; i <= r; i += 1) {
        const POINT ends[] = {{cx + i, cy - r}, {cx + r, cy + i}, {cx - i, cy + r}, {cx - r, cy - i}};
        for (const POINT& e : ends) {
            if (inwards) {
                MoveToEx(c.dc, e.x, e.y, nullptr);
                LineTo(c.dc, cx, cy);
            } else {
                MoveToEx(c.dc, cx, cy, nullptr);
                LineTo(c.dc, e.x, e.y);
            }
        }
    }
}

// Short lines of every small slope, each on its own, so ties and diagonals are visible.
void short_lines(const Canvas& c, bool reverse) {
    int x = 2, y = 2;
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            const POINT a{x + 5, y + 5}, b{x + 5 + dx, y + 5 + dy};
            MoveToEx(c.dc, reverse ? b.x : a.x, reverse ? b.y : a.y, nullptr);
            c.note(LineTo(c.dc, reverse ? a.x : b.x, reverse ? a.y : b.y));
            x += 12;
        }
        x = 2;
        y += 12;
    }
}

void clipped_lines(const Canvas& c) {
    const int lines[][4] = {{-20, 5, 30, 40},        {70, -9, 10, 60}, {5, 70, 100, -30},  {-100000, 3, 100000, 37},
                            {40, -70000, 45, 90000}, {-3, -3, 70, 70}, {63, 0, -1, 64},    {99, 20, 130, 22},
                            {-50, 64, 150, 10},      {20, 63, 20, 70}, {0, 200, 64, -200}, {-7, 30, 7, 31}};
    for (const auto& l : lines) {
        MoveToEx(c.dc, l[0], l[1], nullptr);
        c.note(LineTo(c.dc, l[2], l[3]));
    }
}

void self_crossing(const Canvas& c) {
    const POINT zigzag[] = {{5, 5}, {55, 40}, {5, 40}, {55, 5}, {30, 55}, {30, 0}, {5, 5}};
    c.note(SetROP2(c.dc, R2_XORPEN));
    c.note(Polyline(c.dc, zigzag, 7));
    c.note(Polyline(c.dc, zigzag, 1));
    c.note(Polyline(c.dc, zigzag, 0));
    MoveToEx(c.dc, 60, 10, nullptr);
    c.note(LineTo(c.dc, 60, 10));
    SetROP2(c.dc, R2_COPYPEN);
}

void wide_lines(const Canvas& c) {
    const POINT path[] = {{10, 10}, {80, 14}, {40, 60}, {45, 20}, {100, 70}, {100, 30}, {130, 30}};
    c.note(Polyline(c.dc, path, 7));
    const int segs[][4] = {{10, 80, 60, 80},    {70, 75, 70, 110},  {80, 80, 120, 110}, {130, 110, 90, 75},
                           {140, 80, 141, 110}, {150, 80, 150, 80}, {10, 100, 60, 95}};
    for (const auto& s : segs) {
        MoveToEx(c.dc, s[0], s[1], nullptr);
        c.note(LineTo(c.dc, s[2], s[3]));
    }
}

void beziers(const Canvas& c) {
    const POINT curve[] = {{5, 60}, {20, 0}, {60, 100}, {90, 10}, {100, 0}, {120, 60}, {60, 60}};
    c.note(PolyBezier(c.dc, curve, 7));
    const POINT loop[] = {{10, 90}, {120, 120}, {0, 120}, {110, 90}};
    c.note(PolyBezier(c.dc, loop, 4));
    c.note(PolyBezier(c.dc, curve, 3));
    c.note(PolyBezier(c.dc, curve, 5));
}

// Curves a few pixels wide, one per cell of a grid, their points from a fixed pseudo-random
// sequence: the flatness test and the rounding decide every pixel at this size.
void tiny_beziers(const Canvas& c) {
    unsigned state = 12345;
    auto next = [&state](int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<unsigned>(range));
    };
    for (int cell = 0; cell < 196; ++cell) {
        const int x = 2 + (cell % 14) * 9, y = 2 + (cell / 14) * 9, range = 2 + cell % 6;
        POINT curve[4];
        for (POINT& p : curve) p = {x + next(range), y + next(range)};
        c.note(PolyBezier(c.dc, curve, 4));
    }
}

// The same curves drawn from either end: GDI's flatness test is not symmetric, so the two
// directions may split differently. Control points level with an end are the telling cases.
void reversed_beziers(const Canvas& c) {
    const POINT curves[][4] = {{{5, 5}, {5, 25}, {30, 25}, {30, 5}},   {{40, 20}, {40, 5}, {60, 5}, {62, 22}},
                               {{5, 40}, {20, 40}, {25, 60}, {5, 62}}, {{40, 40}, {60, 50}, {40, 50}, {60, 60}},
                               {{5, 70}, {5, 70}, {30, 90}, {30, 70}}, {{40, 70}, {45, 95}, {50, 60}, {60, 80}},
                               {{3, 2}, {2, 3}, {3, 3}, {2, 3}},       {{64, 64}, {64, 64}, {63, 64}, {62, 66}}};
    for (const auto& curve : curves) {
        c.note(PolyBezier(c.dc, curve, 4));
        const POINT back[] = {{curve[3].x + 65, curve[3].y},
                              {curve[2].x + 65, curve[2].y},
                              {curve[1].x + 65, curve[1].y},
                              {curve[0].x + 65, curve[0].y}};
        c.note(PolyBezier(c.dc, back, 4));
    }
}

// Curves whose control points lie far outside the canvas, up to where 28.4 fixed point no
// longer fits in 32 bits and GDI's arithmetic wraps.
void far_beziers(const Canvas& c) {
    const POINT curves[][4] = {{{10, 10}, {-3000, 900}, {4000, 1000}, {100, 20}},
                               {{10, 110}, {200000, -150000}, {-190000, -160000}, {110, 100}},
                               {{60, 5}, {-9000000, 9000000}, {9000000, 8000000}, {70, 120}},
                               {{5, 60}, {100000000, -3000}, {-120000000, 5000}, {120, 65}},
                               {{30, 30}, {1000000000, 2000000000}, {-1500000000, 700000000}, {90, 90}},
                               {{120, 10}, {-2000000000, -2000000000}, {2000000000, 2000000000}, {10, 120}}};
    for (const auto& curve : curves) c.note(PolyBezier(c.dc, curve, 4));
}

// Loops, cusps and straight curves under XOR: a pixel reached twice by the polyline (where it
// crosses itself, or by a run of equal points) shows as a gap.
void xor_beziers(const Canvas& c) {
    c.note(SetROP2(c.dc, R2_XORPEN));
    const POINT loop[] = {{10, 60}, {120, 120}, {0, 120}, {110, 60}};
    const POINT cusp[] = {{110, 60}, {10, 10}, {60, 60}, {10, 60}};
    const POINT runs[] = {{10, 60}, {60, 10}, {70, 10}, {70, 10}, {120, 50}, {120, 50}, {120, 50}};
    const POINT straight[] = {{120, 50}, {70, 55}, {90, 55}, {110, 55}};
    const POINT knot[] = {{5, 90}, {40, 125}, {5, 125}, {40, 90}};
    c.note(PolyBezier(c.dc, loop, 4));
    c.note(PolyBezier(c.dc, cusp, 4));
    c.note(PolyBezier(c.dc, runs, 7));
    c.note(PolyBezier(c.dc, straight, 4));
    c.note(PolyBezier(c.dc, knot, 4));
    SetROP2(c.dc, R2_COPYPEN);
}

void pixels(const Canvas& c) {
    for (int i = 0; i < 20; ++i) c.note(static_cast<long long>(SetPixel(c.dc, i * 3, i, RGB(i * 10, 255 - i, i))));
    c.note(static_cast<long long>(SetPixel(c.dc, -1, 3, RGB(1, 2, 3))));
    c.note(static_cast<long long>(SetPixel(c.dc, 3, 40, RGB(1, 2, 3))));
    SetROP2(c.dc, R2_NOT);
    c.note(static_cast<long long>(SetPixel(c.dc, 10, 10, RGB(9, 8, 7))));
    SetROP2(c.dc, R2_COPYPEN);
    c.note(static_cast<long long>(GetPixel(c.dc, 10, 10)));
    c.note(static_cast<long long>(GetPixel(c.dc, 0, 0)));
}

template <class Body>
Scene with_pen(const std::string& name, int w, int h, PenSpec pen, Body body) {
    return {name, w, h, [pen, body](const Canvas& c) {
                const Selection sel = select_objects(c.dc, pen, line_colour, true, 0);
                body(c);
                restore_objects(sel);
            }};
}

}  // namespace

void add_line_scenes(std::vector<Scene>& out) {
    const PenSpec thin{PS_SOLID, 1};
    out.push_back(with_pen("line_fan_out", 90, 90, thin, [](const Canvas& c) { fan(c, 45, 45, 40, false); }));
    out.push_back(with_pen("line_fan_in", 90, 90, thin, [](const Canvas& c) { fan(c, 45, 45, 40, true); }));
    out.push_back(with_pen("line_short", 112, 112, thin, [](const Canvas& c) { short_lines(c, false); }));
    out.push_back(with_pen("line_short_reversed", 112, 112, thin, [](const Canvas& c) { short_lines(c, true); }));
    out.push_back(with_pen("line_clip", 64, 64, thin, clipped_lines));
    out.push_back(with_pen("line_xor_polyline", 64, 64, thin, self_crossing));
    for (const PenSpec& pen : corpus_pens()) {
        out.push_back(with_pen("line_wide_" + pen.name(), 160, 120, pen, wide_lines));
        out.push_back(with_pen("line_wide_xor_" + pen.name(), 64, 64, pen, self_crossing));
    }
    out.push_back(with_pen("bezier_thin", 130, 130, thin, beziers));
    out.push_back(with_pen("bezier_wide", 130, 130, {PS_SOLID, 5}, beziers));
    out.push_back(with_pen("bezier_tiny", 130, 130, thin, tiny_beziers));
    out.push_back(with_pen("bezier_tiny_wide", 130, 130, {PS_SOLID, 3}, tiny_beziers));
    out.push_back(with_pen("bezier_reversed", 130, 100, thin, reversed_beziers));
    out.push_back(with_pen("bezier_far", 130, 130, thin, far_beziers));
    out.push_back(with_pen("bezier_xor", 130, 130, thin, xor_beziers));
    out.push_back(with_pen("bezier_xor_wide", 130, 130, {PS_SOLID, 4}, xor_beziers));
    out.push_back(with_pen("setpixel", 64, 40, thin, pixels));
}

}  // namespace scenes
