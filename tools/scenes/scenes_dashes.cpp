// Scenes of styled one-pixel pens (dash, dot, dash-dot, dash-dot-dot): each style with opaque
// and transparent gaps over lines in every octant and both directions, polylines and polygons
// whose pattern runs on across vertices, and the outline of every closed shape in both arc
// directions, boxes given in every corner order; then the same under a clip region, under mix
// modes that show how the gaps mix, at width 0, at widths that draw solid, and with the null pen.
#include "scene.h"

#include <array>
#include <string>

namespace scenes {

namespace {

constexpr COLORREF dash_colour = RGB(0xC0, 0x20, 0x40);
constexpr COLORREF gap_colour = RGB(0x20, 0x40, 0xE0);
constexpr COLORREF fill_colour = RGB(0x30, 0xA0, 0x50);

struct Style {
    int style;
    const char* name;
};
constexpr std::array<Style, 4> styles{
    {{PS_DASH, "dash"}, {PS_DOT, "dot"}, {PS_DASHDOT, "dashdot"}, {PS_DASHDOTDOT, "dashdotdot"}}};

// Lines out of and into two centres, to points a few pixels apart on a square ring: every
// octant, both directions, diagonals and ties.
void octants(const Canvas& c) {
    for (int i = -30; i <= 30; i += 6) {
        const POINT ends[] = {{i, -30}, {30, i}, {-i, 30}, {-30, -i}};
        for (const POINT& e : ends) {
            MoveToEx(c.dc, 35, 35, nullptr);
            c.note(LineTo(c.dc, 35 + e.x, 35 + e.y));
            MoveToEx(c.dc, 105 + e.x, 35 + e.y, nullptr);
            c.note(LineTo(c.dc, 105, 35));
        }
    }
}

void paths(const Canvas& c) {
    const POINT zigzag[] = {{145, 5}, {195, 5}, {195, 5}, {150, 30}, {195, 60}, {145, 60}, {170, 8}};
    c.note(Polyline(c.dc, zigzag, 7));
    MoveToEx(c.dc, 145, 66, nullptr);
    for (const POINT& p : zigzag) c.note(LineTo(c.dc, p.x + 3, p.y + 62));
    const POINT star[] = {{10, 75}, {60, 75}, {15, 115}, {35, 68}, {55, 115}};
    c.note(Polygon(c.dc, star, 5));
    const POINT two[] = {{70, 70}, {100, 112}};
    c.note(Polygon(c.dc, two, 2));
}

// Closed shapes, odd and even sizes, then the arcs both ways round.
void shapes(const Canvas& c) {
    c.note(Rectangle(c.dc, 110, 72, 140, 100));
    c.note(Rectangle(c.dc, 112, 104, 116, 107));
    c.note(Ellipse(c.dc, 5, 125, 62, 166));
    c.note(Ellipse(c.dc, 66, 125, 90, 170));
    c.note(Ellipse(c.dc, 95, 128, 100, 134));
    c.note(RoundRect(c.dc, 103, 115, 160, 170, 20, 14));
    c.note(RoundRect(c.dc, 165, 125, 198, 168, 9, 40));
    for (int dir : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
        SetArcDirection(c.dc, dir);
        const int y = dir == AD_CLOCKWISE ? 230 : 175;
        c.note(Arc(c.dc, 5, y, 60, y + 50, 60, y + 10, 5, y + 12));
        c.note(Chord(c.dc, 65, y, 120, y + 45, 70, y + 45, 65, y));
        c.note(Pie(c.dc, 125, y, 195, y + 50, 195, y + 30, 125, y + 5));
    }
    SetArcDirection(c.dc, AD_COUNTERCLOCKWISE);
}

// The closed shapes under AD_CLOCKWISE, each box given in all four corner orders (one order a
// row): the pattern runs clockwise from the bottom right whichever corner comes first. Then a
// chord, a pie and a polygon, which run as their own points say.
void clockwise(const Canvas& c) {
    SetArcDirection(c.dc, AD_CLOCKWISE);
    for (int order = 0; order < 4; ++order) {
        const int y = 3 + order * 62;
        auto box = [&](int l, int t, int r, int b) {
            return order == 0   ? RECT{l, t, r, b}
                   : order == 1 ? RECT{r, t, l, b}
                   : order == 2 ? RECT{l, b, r, t}
                                : RECT{r, b, l, t};
        };
        RECT r = box(5, y, 38, y + 29);
        c.note(Rectangle(c.dc, r.left, r.top, r.right, r.bottom));
        r = box(8, y + 33, 30, y + 58);
        c.note(Ellipse(c.dc, r.left, r.top, r.right, r.bottom));
        r = box(42, y, 99, y + 41);
        c.note(Ellipse(c.dc, r.left, r.top, r.right, r.bottom));
        r = box(103, y, 108, y + 6);
        c.note(Ellipse(c.dc, r.left, r.top, r.right, r.bottom));
        r = box(103, y + 10, 160, y + 59);
        c.note(RoundRect(c.dc, r.left, r.top, r.right, r.bottom, 20, 14));
        r = box(165, y, 196, y + 57);
        c.note(RoundRect(c.dc, r.left, r.top, r.right, r.bottom, 9, 40));
    }
    c.note(Chord(c.dc, 5, 250, 60, 282, 60, 255, 5, 260));
    c.note(Pie(c.dc, 65, 250, 125, 282, 125, 270, 65, 252));
    const POINT turn[] = {{130, 252}, {195, 255}, {180, 282}, {140, 270}};
    c.note(Polygon(c.dc, turn, 4));
    SetArcDirection(c.dc, AD_COUNTERCLOCKWISE);
}

void everything(const Canvas& c) {
    octants(c);
    paths(c);
    shapes(c);
}

HRGN clip_region() {
    HRGN ring = CreateEllipticRgn(10, 10, 190, 270);
    HRGN bar = CreateRectRgn(60, 0, 90, 300);
    CombineRgn(ring, ring, bar, RGN_XOR);
    HRGN notch = CreateRectRgn(0, 150, 200, 160);
    CombineRgn(ring, ring, notch, RGN_DIFF);
    DeleteObject(bar);
    DeleteObject(notch);
    return ring;
}

template <class Body>
Scene styled(const std::string& name, PenSpec pen, int bk_mode, int rop2, bool brush, Body body) {
    return {name, 200, 285, [=](const Canvas& c) {
                const Selection sel = select_objects(c.dc, pen, dash_colour, !brush, fill_colour);
                SetBkColor(c.dc, gap_colour);
                c.note(SetBkMode(c.dc, bk_mode));
                SetROP2(c.dc, rop2);
                body(c);
                SetROP2(c.dc, R2_COPYPEN);
                SetBkMode(c.dc, OPAQUE);
                restore_objects(sel);
            }};
}

void clipped(const Canvas& c) {
    HRGN clip = clip_region();
    c.note(SelectClipRgn(c.dc, clip));
    DeleteObject(clip);
    everything(c);
    SelectClipRgn(c.dc, nullptr);
}

// Lines far outside the surface: the pattern still counts from their first point.
void far_lines(const Canvas& c) {
    MoveToEx(c.dc, -100003, 40, nullptr);
    c.note(LineTo(c.dc, 100000, 45));
    MoveToEx(c.dc, 150, -70001, nullptr);
    c.note(LineTo(c.dc, 160, 70000));
}

}  // namespace

void add_dash_scenes(std::vector<Scene>& out) {
    for (const Style& s : styles) {
        const std::string name = std::string("dash_") + s.name;
        out.push_back(styled(name + "_opaque", {s.style, 1}, OPAQUE, R2_COPYPEN, false, everything));
        out.push_back(styled(name + "_transparent", {s.style, 1}, TRANSPARENT, R2_COPYPEN, false, everything));
        out.push_back(styled(name + "_brush", {s.style, 0}, OPAQUE, R2_COPYPEN, true, everything));
        out.push_back(styled(name + "_clip", {s.style, 1}, OPAQUE, R2_COPYPEN, true, clipped));
        out.push_back(styled(name + "_far", {s.style, 1}, OPAQUE, R2_COPYPEN, false, far_lines));
        out.push_back(styled(name + "_clockwise", {s.style, 0}, OPAQUE, R2_COPYPEN, false, clockwise));
        out.push_back(styled(name + "_clockwise_xor", {s.style, 1}, TRANSPARENT, R2_XORPEN, true, clockwise));
        out.push_back(styled("bezier_" + name, {s.style, 1}, OPAQUE, R2_COPYPEN, false, [](const Canvas& c) {
            const POINT curve[] = {{5, 60}, {20, 0}, {60, 100}, {90, 10}, {100, 0}, {120, 60}, {60, 60}};
            c.note(PolyBezier(c.dc, curve, 7));
        }));
    }
    for (int rop2 : {R2_XORPEN, R2_NOT, R2_MASKPEN, R2_NOTMERGEPEN, R2_NOP}) {
        const std::string name = "dash_rop" + std::to_string(rop2);
        out.push_back(styled(name + "_opaque", {PS_DASHDOT, 1}, OPAQUE, rop2, true, everything));
        out.push_back(styled(name + "_transparent", {PS_DASHDOTDOT, 0}, TRANSPARENT, rop2, false, everything));
    }
    for (int width : {2, 3})
        out.push_back(
            styled("dash_wide" + std::to_string(width), {PS_DASH, width}, OPAQUE, R2_XORPEN, true, everything));
    out.push_back(styled("dash_null_pen", {PS_NULL, 1}, OPAQUE, R2_XORPEN, true, everything));
}

}  // namespace scenes
