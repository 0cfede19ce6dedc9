// This library beside the software drawing a Linux programmer would otherwise pick: cairo's image
// backend (pixman, antialiasing off so both draw aliased pixels) and SDL2's software renderer,
// in one process, each on its own 1000 x 700 32-bit picture. Every case draws the same shape with
// each side's best call for it (one cairo path for many lines, one SDL geometry call for a
// filled convex shape); a side without such a call shows "-". Prints one table in microseconds
// per call, the best of many short rounds (as tools/scenes/raster_timing does), and the ratio
// ours / best peer. A measurement for people, not a test: `make bench-vs-peers` runs it with the
// default threads and with ZG_RASTER_THREADS=1.
//
// Usage: vs_peers [--only CASE [--calls N [--side ours|cairo|sdl]]]. With --only, only that
// case is timed; with --calls too, one side (ours unless named) runs N times untimed (for
// callgrind).
#include <platform/win32.h>

#include "best_round.h"
#include "dib_picture.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int width = 1000, height = 700;
constexpr double pi = 3.14159265358979323846;

using Op = std::function<void()>;

// Short rounds (about a millisecond), at least 40 of them, the best kept: on a shared machine
// the best round is the one no other process interrupted.
double best_us(const Op& op, const Op& flush) { return zg::timing::best_round_us(op, flush, {10000, 40, 150000.0}); }

// This library: memory DCs holding top-down DIB sections.
BITMAPINFO top_down_info() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

struct Ours {
    BITMAPINFO info = top_down_info();
    zg::tools::DibPicture picture{info}, other_picture{info};
    HDC dc = picture.dc(), other_dc = other_picture.dc();
    void* bits = picture.bits();
    void* other_bits = other_picture.bits();
    Ours() {
        std::memset(bits, 0x40, std::size_t{width} * height * 4);
        std::memset(other_bits, 0x80, std::size_t{width} * height * 4);
    }
};

// Selects a pen and brush for one case and deletes them after it.
class OursTools {
public:
    OursTools(HDC dc, int pen_style, int pen_width, bool brush) : m_dc(dc) {
        m_pen = pen_width < 0 ? nullptr : CreatePen(pen_style, pen_width, RGB(0, 0, 0));
        m_brush = brush ? CreateSolidBrush(RGB(250, 200, 100)) : nullptr;
        m_old_pen = SelectObject(dc, m_pen != nullptr ? m_pen : GetStockObject(NULL_PEN));
        m_old_brush = SelectObject(dc, m_brush != nullptr ? m_brush : GetStockObject(NULL_BRUSH));
    }
    ~OursTools() {
        SelectObject(m_dc, m_old_pen);
        SelectObject(m_dc, m_old_brush);
        if (m_pen != nullptr) DeleteObject(m_pen);
        if (m_brush != nullptr) DeleteObject(m_brush);
    }
    OursTools(const OursTools&) = delete;
    OursTools& operator=(const OursTools&) = delete;

private:
    HDC m_dc;
    HPEN m_pen;
    HBRUSH m_brush;
    HGDIOBJ m_old_pen, m_old_brush;
};

struct Cairo {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_t* other = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    Cairo() {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(cr, options);
        cairo_font_options_destroy(options);
        cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 14);
    }
    ~Cairo() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        cairo_surface_destroy(other);
    }
    Cairo(const Cairo&) = delete;
    Cairo& operator=(const Cairo&) = delete;
};

struct Sdl {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = surface != nullptr ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    SDL_Texture* texture = renderer != nullptr ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                                   SDL_TEXTUREACCESS_STREAMING, width, height)
                                               : nullptr;
    std::vector<std::uint32_t> image = std::vector<std::uint32_t>(std::size_t{width} * height, 0x00808080);
    ~Sdl() {
        if (texture != nullptr) SDL_DestroyTexture(texture);
        if (renderer != nullptr) SDL_DestroyRenderer(renderer);
        if (surface != nullptr) SDL_FreeSurface(surface);
    }
    Sdl() = default;
    Sdl(const Sdl&) = delete;
    Sdl& operator=(const Sdl&) = delete;
};

// The shapes every side draws (GDI boxes; the peers take the same centres and sizes).
struct Box {
    int l, t, r, b;
    double cx() const { return (l + r) / 2.0; }
    double cy() const { return (t + b) / 2.0; }
};
constexpr Box ellipse_box{400, 200, 600, 400};
constexpr Box round_box{300, 200, 700, 500};
constexpr Box arc_box{300, 150, 700, 550};
constexpr Box frame_box{300, 200, 700, 500};

std::vector<POINT> zigzag() {
    std::vector<POINT> p;
    for (int i = 0; i <= 100; ++i) p.push_back({100 + 8 * i, 300 + (i % 2 != 0 ? 60 : -60) + (i * 13) % 50});
    return p;
}

std::vector<POINT> star() {
    std::vector<POINT> p;
    for (int i = 0; i < 100; ++i) p.push_back({500 + (i % 2 != 0 ? 80 : 200) * (i % 4 < 2 ? 1 : -1) / 2, 100 + i * 5});
    return p;
}

void cairo_ellipse_path(cairo_t* cr, const Box& b, double angle0, double angle1) {
    cairo_save(cr);
    cairo_translate(cr, b.cx(), b.cy());
    cairo_scale(cr, (b.r - b.l) / 2.0, (b.b - b.t) / 2.0);
    cairo_arc(cr, 0, 0, 1, angle0, angle1);
    cairo_restore(cr);
}

void cairo_round_rect_path(cairo_t* cr, const Box& b, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, b.r - radius, b.t + radius, radius, -pi / 2, 0);
    cairo_arc(cr, b.r - radius, b.b - radius, radius, 0, pi / 2);
    cairo_arc(cr, b.l + radius, b.b - radius, radius, pi / 2, pi);
    cairo_arc(cr, b.l + radius, b.t + radius, radius, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void cairo_points_path(cairo_t* cr, const std::vector<POINT>& p, bool closed) {
    cairo_move_to(cr, p[0].x, p[0].y);
    for (std::size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].x, p[i].y);
    if (closed) cairo_close_path(cr);
}

// Strokes (and first fills, with `fill`) the current path with a black pen of `pen` pixels.
void cairo_paint_path(cairo_t* cr, double pen, bool fill) {
    if (fill) {
        cairo_set_source_rgb(cr, 1, 0.8, 0.4);
        cairo_fill_preserve(cr);
    }
    cairo_set_source_rgb(cr, 0, 0, 0);
    if (pen <= 0) {
        cairo_fill(cr);
        return;
    }
    cairo_set_line_width(cr, pen);
    cairo_stroke(cr);
}

// A triangle fan of a convex outline, one SDL_RenderGeometry call.
void sdl_fan(SDL_Renderer* renderer, const std::vector<SDL_FPoint>& outline) {
    std::vector<SDL_Vertex> v;
    v.reserve(outline.size() * 3);
    const SDL_Color colour{0, 0, 0, 255};
    for (std::size_t i = 1; i + 1 < outline.size(); ++i)
        for (const SDL_FPoint& p : {outline[0], outline[i], outline[i + 1]}) v.push_back({p, colour, {0, 0}});
    SDL_RenderGeometry(renderer, nullptr, v.data(), static_cast<int>(v.size()), nullptr, 0);
}

std::vector<SDL_FPoint> ellipse_points(const Box& b, int count) {
    std::vector<SDL_FPoint> p;
    for (int i = 0; i < count; ++i) {
        const double a = 2 * pi * i / count;
        p.push_back({static_cast<float>(b.cx() + (b.r - b.l) / 2.0 * std::cos(a)),
                     static_cast<float>(b.cy() + (b.b - b.t) / 2.0 * std::sin(a))});
    }
    return p;
}

struct Case {
    std::string name;
    Op ours, cairo, sdl;                       // an empty side has no call for the case
    int pen_style = PS_SOLID, pen_width = -1;  // -1: null pen
    bool brush = false;
};

struct Sides {
    Ours ours;
    Cairo cairo;
    Sdl sdl;
};

void add_line_cases(std::vector<Case>& cases, Sides& s) {
    cases.push_back({"lines_1000_short_w1",
                     [&s] {
                         for (int i = 0; i < 1000; ++i) {
                             const int x = 100 + (i * 37) % 700, y = 100 + (i * 53) % 500;
                             MoveToEx(s.ours.dc, x, y, nullptr);
                             LineTo(s.ours.dc, x + 9, y + 4);
                         }
                     },
                     [&s] {
                         for (int i = 0; i < 1000; ++i) {
                             const int x = 100 + (i * 37) % 700, y = 100 + (i * 53) % 500;
                             cairo_move_to(s.cairo.cr, x + 0.5, y + 0.5);
                             cairo_line_to(s.cairo.cr, x + 9.5, y + 4.5);
                         }
                         cairo_paint_path(s.cairo.cr, 1, false);
                     },
                     [&s] {
                         for (int i = 0; i < 1000; ++i) {
                             const int x = 100 + (i * 37) % 700, y = 100 + (i * 53) % 500;
                             SDL_RenderDrawLine(s.sdl.renderer, x, y, x + 9, y + 4);
                         }
                     },
                     PS_SOLID, 1});
    static const std::vector<POINT> zig = zigzag();
    for (int pen : {1, 2, 3, 5, 10}) {
        Case c{"polyline_100_w" + std::to_string(pen),
               [&s] { Polyline(s.ours.dc, zig.data(), static_cast<int>(zig.size())); },
               [&s, pen] {
                   cairo_points_path(s.cairo.cr, zig, false);
                   cairo_paint_path(s.cairo.cr, pen, false);
               },
               {},
               PS_SOLID,
               pen};
        if (pen == 1) {
            static std::vector<SDL_Point> sdl_zig;
            for (const POINT& p : zig) sdl_zig.push_back({p.x, p.y});
            c.sdl = [&s] { SDL_RenderDrawLines(s.sdl.renderer, sdl_zig.data(), static_cast<int>(sdl_zig.size())); };
        }
        cases.push_back(c);
    }
}

void add_curve_cases(std::vector<Case>& cases, Sides& s) {
    const Box e = ellipse_box, q = arc_box, rr = round_box;
    for (int pen : {1, 2, 3, 5, 10}) {
        cases.push_back({"ellipse_200_w" + std::to_string(pen),
                         [&s, e] { Ellipse(s.ours.dc, e.l, e.t, e.r, e.b); },
                         [&s, e, pen] {
                             cairo_ellipse_path(s.cairo.cr, e, 0, 2 * pi);
                             cairo_paint_path(s.cairo.cr, pen, false);
                         },
                         {},
                         PS_SOLID,
                         pen});
    }
    // The simulator's kind of call: a brush and an inside-frame pen.
    cases.push_back({"ellipse_200_insideframe5_filled",
                     [&s, e] { Ellipse(s.ours.dc, e.l, e.t, e.r, e.b); },
                     [&s, e] {
                         cairo_ellipse_path(s.cairo.cr, {e.l + 2, e.t + 2, e.r - 2, e.b - 2}, 0, 2 * pi);
                         cairo_paint_path(s.cairo.cr, 5, true);
                     },
                     {},
                     PS_INSIDEFRAME,
                     5,
                     true});
    for (int pen : {1, 3, 5}) {
        cases.push_back({"roundrect_400x300_c80_w" + std::to_string(pen),
                         [&s, rr] { RoundRect(s.ours.dc, rr.l, rr.t, rr.r, rr.b, 80, 80); },
                         [&s, rr, pen] {
                             cairo_round_rect_path(s.cairo.cr, rr, 40);
                             cairo_paint_path(s.cairo.cr, pen, false);
                         },
                         {},
                         PS_SOLID,
                         pen});
        cases.push_back({"arc_quarter_400_w" + std::to_string(pen),
                         [&s, q] { Arc(s.ours.dc, q.l, q.t, q.r, q.b, q.r, q.t + 200, q.l + 200, q.t); },
                         [&s, q, pen] {
                             cairo_ellipse_path(s.cairo.cr, q, -pi / 2, 0);
                             cairo_paint_path(s.cairo.cr, pen, false);
                         },
                         {},
                         PS_SOLID,
                         pen});
    }
    for (int pen : {1, 5}) {
        cases.push_back({"chord_200_filled_w" + std::to_string(pen),
                         [&s, e] { Chord(s.ours.dc, e.l, e.t, e.r, e.b, e.r, e.t + 100, e.l, e.t + 100); },
                         [&s, e, pen] {
                             cairo_new_path(s.cairo.cr);
                             cairo_ellipse_path(s.cairo.cr, e, pi, 2 * pi);
                             cairo_close_path(s.cairo.cr);
                             cairo_paint_path(s.cairo.cr, pen, true);
                         },
                         {},
                         PS_SOLID,
                         pen,
                         true});
        cases.push_back({"pie_200_filled_w" + std::to_string(pen),
                         [&s, e] { Pie(s.ours.dc, e.l, e.t, e.r, e.b, e.r, e.t + 100, e.l + 100, e.t); },
                         [&s, e, pen] {
                             cairo_move_to(s.cairo.cr, e.cx(), e.cy());
                             cairo_ellipse_path(s.cairo.cr, e, -pi / 2, 0);
                             cairo_close_path(s.cairo.cr);
                             cairo_paint_path(s.cairo.cr, pen, true);
                         },
                         {},
                         PS_SOLID,
                         pen,
                         true});
    }
}

void add_polygon_cases(std::vector<Case>& cases, Sides& s) {
    static const std::vector<POINT> points = star();
    for (int pen : {1, 5}) {
        cases.push_back({"polygon_star100_w" + std::to_string(pen),
                         [&s] { Polygon(s.ours.dc, points.data(), static_cast<int>(points.size())); },
                         [&s, pen] {
                             cairo_points_path(s.cairo.cr, points, true);
                             cairo_paint_path(s.cairo.cr, pen, false);
                         },
                         {},
                         PS_SOLID,
                         pen});
    }
    cases.push_back({"polygon_star100_filled",
                     [&s] { Polygon(s.ours.dc, points.data(), static_cast<int>(points.size())); },
                     [&s] {
                         cairo_set_fill_rule(s.cairo.cr, CAIRO_FILL_RULE_EVEN_ODD);
                         cairo_points_path(s.cairo.cr, points, true);
                         cairo_paint_path(s.cairo.cr, 0, false);
                     },
                     {},
                     PS_SOLID,
                     -1,
                     true});
    static const std::vector<POINT> triangle{{300, 100}, {500, 400}, {200, 350}};
    static const std::vector<SDL_FPoint> sdl_triangle{{300, 100}, {500, 400}, {200, 350}};
    cases.push_back({"polygon_triangle_filled", [&s] { Polygon(s.ours.dc, triangle.data(), 3); },
                     [&s] {
                         cairo_points_path(s.cairo.cr, triangle, true);
                         cairo_paint_path(s.cairo.cr, 0, false);
                     },
                     [&s] { sdl_fan(s.sdl.renderer, sdl_triangle); }, PS_SOLID, -1, true});
    static const std::vector<SDL_FPoint> sdl_ellipse = ellipse_points(ellipse_box, 256);
    const Box e = ellipse_box;
    cases.push_back({"ellipse_200_filled", [&s, e] { Ellipse(s.ours.dc, e.l, e.t, e.r, e.b); },
                     [&s, e] {
                         cairo_ellipse_path(s.cairo.cr, e, 0, 2 * pi);
                         cairo_paint_path(s.cairo.cr, 0, false);
                     },
                     [&s] { sdl_fan(s.sdl.renderer, sdl_ellipse); }, PS_SOLID, -1, true});
}

void add_rectangle_cases(std::vector<Case>& cases, Sides& s) {
    const Box f = frame_box;
    for (int pen : {1, 3, 5}) {
        Case c{"rectangle_400x300_insideframe" + std::to_string(pen),
               [&s, f] { Rectangle(s.ours.dc, f.l, f.t, f.r, f.b); },
               [&s, f, pen] {
                   const double in = pen / 2.0;
                   cairo_rectangle(s.cairo.cr, f.l + in, f.t + in, f.r - f.l - 2 * in, f.b - f.t - 2 * in);
                   cairo_paint_path(s.cairo.cr, pen, false);
               },
               {},
               PS_INSIDEFRAME,
               pen};
        if (pen == 1) {
            const SDL_Rect r{f.l, f.t, f.r - f.l, f.b - f.t};
            c.sdl = [&s, r] { SDL_RenderDrawRect(s.sdl.renderer, &r); };
        }
        cases.push_back(c);
    }
    const SDL_Rect area{201, 71, 799, 629};
    cases.push_back({"fill_799x629", [&s] { Rectangle(s.ours.dc, 201, 71, 1001, 701); },
                     [&s] {
                         cairo_rectangle(s.cairo.cr, 201, 71, 799, 629);
                         cairo_paint_path(s.cairo.cr, 0, false);
                     },
                     [&s, area] { SDL_RenderFillRect(s.sdl.renderer, &area); }, PS_SOLID, -1, true});
    cases.push_back({"text_20_bold14",
                     [&s] {
                         SetBkMode(s.ours.dc, TRANSPARENT);
                         TextOutA(s.ours.dc, 100, 100, "Precession 12.5 deg", 20);
                     },
                     [&s] {
                         cairo_move_to(s.cairo.cr, 100, 114);
                         cairo_show_text(s.cairo.cr, "Precession 12.5 deg ");
                     },
                     {}});
}

void add_transfer_cases(std::vector<Case>& cases, Sides& s) {
    auto cairo_copy = [&s](double scale) {
        cairo_t* cr = s.cairo.cr;
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, s.cairo.other, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        if (scale == 1) {
            cairo_paint(cr);
        } else {
            cairo_rectangle(cr, 0, 0, width / 2, height / 2);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    };
    cases.push_back({"copy_window", [&s] { BitBlt(s.ours.dc, 0, 0, width, height, s.ours.other_dc, 0, 0, SRCCOPY); },
                     [cairo_copy] { cairo_copy(1); },
                     [&s] { SDL_RenderCopy(s.sdl.renderer, s.sdl.texture, nullptr, nullptr); }});
    const SDL_Rect half{0, 0, width / 2, height / 2};
    cases.push_back(
        {"stretch_2x",
         [&s] { StretchBlt(s.ours.dc, 0, 0, width, height, s.ours.other_dc, 0, 0, width / 2, height / 2, SRCCOPY); },
         [cairo_copy] { cairo_copy(2); },
         [&s, half] { SDL_RenderCopy(s.sdl.renderer, s.sdl.texture, &half, nullptr); }});
    cases.push_back({"image_1to1",
                     [&s] {
                         StretchDIBits(s.ours.dc, 0, 0, width, height, 0, 0, width, height, s.ours.other_bits,
                                       &s.ours.info, DIB_RGB_COLORS, SRCCOPY);
                     },
                     [&s] {
                         cairo_surface_t* image =
                             cairo_image_surface_create_for_data(static_cast<unsigned char*>(s.ours.other_bits),
                                                                 CAIRO_FORMAT_RGB24, width, height, width * 4);
                         cairo_save(s.cairo.cr);
                         cairo_set_operator(s.cairo.cr, CAIRO_OPERATOR_SOURCE);
                         cairo_set_source_surface(s.cairo.cr, image, 0, 0);
                         cairo_paint(s.cairo.cr);
                         cairo_restore(s.cairo.cr);
                         cairo_surface_destroy(image);
                     },
                     [&s] {
                         SDL_UpdateTexture(s.sdl.texture, nullptr, s.sdl.image.data(), width * 4);
                         SDL_RenderCopy(s.sdl.renderer, s.sdl.texture, nullptr, nullptr);
                     }});
}

std::string cell(double us) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", us);
    return us < 0 ? std::string("-") : std::string(text);
}

void run_case(Sides& s, const Case& c) {
    const OursTools tools(s.ours.dc, c.pen_style, c.pen_width, c.brush);
    const double ours = best_us(c.ours, [] { GdiFlush(); });
    const double cairo = c.cairo ? best_us(c.cairo, [&s] { cairo_surface_flush(s.cairo.surface); }) : -1;
    const double sdl =
        c.sdl && s.sdl.renderer != nullptr ? best_us(c.sdl, [&s] { SDL_RenderFlush(s.sdl.renderer); }) : -1;
    double best = 1e30;
    for (double peer : {cairo, sdl})
        if (peer > 0) best = std::min(best, peer);
    std::printf("%-34s %10s %10s %10s %7.2f\n", c.name.c_str(), cell(ours).c_str(), cell(cairo).c_str(),
                cell(sdl).c_str(), ours / best);
    std::fflush(stdout);
}

void run_untimed(Sides& s, const Case& c, const std::string& side, long calls) {
    const OursTools tools(s.ours.dc, c.pen_style, c.pen_width, c.brush);
    const Op& op = side == "cairo" ? c.cairo : side == "sdl" ? c.sdl : c.ours;
    if (!op) return;
    for (long i = 0; i < calls; ++i) op();
    GdiFlush();
    cairo_surface_flush(s.cairo.surface);
    if (s.sdl.renderer != nullptr) SDL_RenderFlush(s.sdl.renderer);
}

}  // namespace

int main(int argc, char** argv) {
    const char* only = nullptr;
    const char* side = "ours";
    long calls = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--only") == 0) only = argv[i + 1];
        if (std::strcmp(argv[i], "--calls") == 0) calls = std::atol(argv[i + 1]);
        if (std::strcmp(argv[i], "--side") == 0) side = argv[i + 1];
    }
    Sides sides;
    std::vector<Case> cases;
    add_line_cases(cases, sides);
    add_curve_cases(cases, sides);
    add_polygon_cases(cases, sides);
    add_rectangle_cases(cases, sides);
    add_transfer_cases(cases, sides);
    if (calls <= 0) std::printf("%-34s %10s %10s %10s %7s\n", "case (us per call)", "ours", "cairo", "sdl", "ratio");
    for (const Case& c : cases) {
        if (only != nullptr && c.name != only) continue;
        if (calls > 0) {
            run_untimed(sides, c, side, calls);
            continue;
        }
        run_case(sides, c);
    }
    return 0;
}
