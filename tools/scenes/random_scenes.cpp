// Random scenes; see random_scenes.h. Numbers come from std::mt19937, whose output the C++
// standard fixes, taken modulo small ranges, so a seed means the same calls on every compiler
// (the standard distributions are not portable and are not used).
#include "random_scenes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

namespace scenes {

namespace {

constexpr int scene_w = 64, scene_h = 48;

enum Kind : int {
    Pen,
    Brush,
    Rop2,
    Background,
    ClipRect,
    ExcludeRect,
    ClipRegion,
    RectangleCall,
    EllipseCall,
    RoundRectCall,
    ArcCall,
    ChordCall,
    PieCall,
    PolygonCall,
    PolylineCall,
    LineCall,
    BezierCall,
    PixelCall,
    PatBltCall,
    SelfBltCall,
    BitBltCall,
    StretchBltCall,
    StretchDibCall,
    SetDibCall,
    RegionPaintCall,
    TextCall,
    ArcDirectionCall,
    TextStateCall,
    KindCount
};

constexpr std::array<const char*, KindCount> kind_names{"pen",
                                                        "brush",
                                                        "SetROP2",
                                                        "SetBkMode",
                                                        "IntersectClipRect",
                                                        "ExcludeClipRect",
                                                        "ExtSelectClipRgn",
                                                        "Rectangle",
                                                        "Ellipse",
                                                        "RoundRect",
                                                        "Arc",
                                                        "Chord",
                                                        "Pie",
                                                        "Polygon",
                                                        "Polyline",
                                                        "LineTo",
                                                        "PolyBezier",
                                                        "SetPixel",
                                                        "PatBlt",
                                                        "BitBlt-self",
                                                        "BitBlt",
                                                        "StretchBlt",
                                                        "StretchDIBits",
                                                        "SetDIBitsToDevice",
                                                        "region-paint",
                                                        "TextOutA",
                                                        "SetArcDirection",
                                                        "SetTextColor"};

constexpr std::array<int, 7> pen_styles{PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
constexpr std::array<DWORD, 5> pattern_rops{PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS};
constexpr std::array<DWORD, 5> source_rops{SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, NOTSRCCOPY};
constexpr std::array<UINT, 6> text_aligns{TA_LEFT | TA_TOP,    TA_RIGHT | TA_BASELINE,  TA_CENTER | TA_BOTTOM,
                                          TA_LEFT | TA_BOTTOM, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_TOP};

class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) { return static_cast<int>(m_engine() % static_cast<std::uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    int x() { return between(-8, scene_w + 8); }
    int y() { return between(-8, scene_h + 8); }
    int colour() { return static_cast<int>(m_engine() & 0xFFFFFFu); }

private:
    std::mt19937 m_engine;
};

RandomCall make_call(Numbers& n) {
    RandomCall c;
    c.kind = n.below(KindCount);
    c.v[0] = n.x(), c.v[1] = n.y(), c.v[2] = n.x(), c.v[3] = n.y();
    c.v[4] = n.x(), c.v[5] = n.y(), c.v[6] = n.colour(), c.v[7] = n.below(1 << 16);
    return c;
}

// What the sequence draws with besides the scene's DC: a patterned source DC and its pixels.
struct Session {
    HDC dc;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HDC source = nullptr;
    HBITMAP source_bitmap = nullptr;
    HGDIOBJ old_source_bitmap = nullptr;
    void* source_bits = nullptr;
    BITMAPINFO source_info{};
};

void open_session(Session& s) {
    s.source_info.bmiHeader = {sizeof(BITMAPINFOHEADER), 24, 20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    s.source = CreateCompatibleDC(s.dc);
    s.source_bitmap = CreateDIBSection(s.source, &s.source_info, DIB_RGB_COLORS, &s.source_bits, nullptr, 0);
    auto* p = static_cast<unsigned*>(s.source_bits);
    for (unsigned i = 0; i < 24 * 20; ++i) p[i] = 0x00070301u * i + 0x00305070u;
    s.old_source_bitmap = SelectObject(s.source, s.source_bitmap);
}

void close_session(Session& s) {
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    if (s.pen != nullptr) DeleteObject(s.pen);
    if (s.brush != nullptr) DeleteObject(s.brush);
    SelectObject(s.source, s.old_source_bitmap);
    DeleteObject(s.source_bitmap);
    DeleteDC(s.source);
}

void select_pen(Session& s, const RandomCall& c) {
    HPEN pen =
        CreatePen(pen_styles[static_cast<std::size_t>(c.v[7] % 7)], (c.v[7] / 7) % 21, static_cast<COLORREF>(c.v[6]));
    SelectObject(s.dc, pen);
    if (s.pen != nullptr) DeleteObject(s.pen);
    s.pen = pen;
}

void select_brush(Session& s, const RandomCall& c) {
    if (c.v[7] % 4 == 0) {
        SelectObject(s.dc, GetStockObject(NULL_BRUSH));
        return;
    }
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(c.v[6]));
    SelectObject(s.dc, brush);
    if (s.brush != nullptr) DeleteObject(s.brush);
    s.brush = brush;
}

std::vector<POINT> points_of(const RandomCall& c, int count);

// Elliptic regions and the corners of rounded ones are at least 6 pixels each way, and elliptic
// ones at least a quarter as wide as they are tall: Wine leaves rows of narrower ones
// uninitialised and paints whatever its heap held there (see known-deviations.txt; regions of
// 6 x 34 and 7 x 33 took rows of garbage that changed with what the process had freed before),
// which no comparison can use.
HRGN simple_region(const RandomCall& c, int shape) {
    if (shape == 0) return CreateRectRgn(c.v[0], c.v[1], c.v[2], c.v[3]);
    if (shape == 3) {
        const std::vector<POINT> p = points_of(c, 3 + c.v[6] % 4);
        return CreatePolygonRgn(p.data(), static_cast<int>(p.size()), c.v[6] % 2 == 0 ? ALTERNATE : WINDING);
    }
    const int left = std::min(c.v[0], c.v[2]), top = std::min(c.v[1], c.v[3]);
    const int right = std::max(c.v[2], c.v[0]) + 6, bottom = std::max(c.v[3], c.v[1]) + 6;
    if (shape == 1) return CreateEllipticRgn(left, top, std::max(right, left + (bottom - top + 3) / 4), bottom);
    return CreateRoundRectRgn(left, top, right, bottom, 6 + (c.v[4] & 15), 6 + (c.v[5] & 15));
}

// A rectangle, ellipse, rounded rectangle or polygon, sometimes moved or combined with a
// rectangle made of the call's other numbers.
HRGN shape_region(const RandomCall& c) {
    HRGN r = simple_region(c, c.v[7] % 4);
    const int extra = (c.v[7] / 4) % 8;
    if (extra == 1) OffsetRgn(r, c.v[4] / 4 - 8, c.v[5] / 4 - 6);
    if (extra >= 2 && extra <= 5) {
        HRGN other = CreateRectRgn(c.v[4], c.v[5], c.v[4] + (c.v[6] & 31), c.v[5] + ((c.v[6] >> 8) & 31));
        CombineRgn(r, r, other, RGN_AND + extra - 2);
        DeleteObject(other);
    }
    return r;
}

std::vector<POINT> points_of(const RandomCall& c, int count) {
    Numbers n(static_cast<std::uint32_t>(c.v[7]) * 2654435761u);
    std::vector<POINT> out;
    for (int i = 0; i < count; ++i) out.push_back({n.x(), n.y()});
    return out;
}

void clip_call(const Session& s, const Canvas& canvas, const RandomCall& c) {
    if (c.kind == ClipRect) {
        canvas.note(IntersectClipRect(s.dc, c.v[0], c.v[1], c.v[2], c.v[3]));
        return;
    }
    if (c.kind == ExcludeRect) {
        canvas.note(ExcludeClipRect(s.dc, c.v[0], c.v[1], c.v[2], c.v[3]));
        return;
    }
    const int mode = RGN_AND + c.v[7] % 5;
    if (mode == RGN_COPY && c.v[6] % 2 == 0) {
        canvas.note(ExtSelectClipRgn(s.dc, nullptr, RGN_COPY));
        return;
    }
    HRGN r = shape_region(c);
    canvas.note(ExtSelectClipRgn(s.dc, r, mode));
    DeleteObject(r);
}

void state_call(Session& s, const Canvas& canvas, const RandomCall& c) {
    switch (c.kind) {
    case Pen: select_pen(s, c); return;
    case Brush: select_brush(s, c); return;
    case Rop2: canvas.note(SetROP2(s.dc, R2_BLACK + c.v[7] % 16)); return;
    case Background:
        SetBkMode(s.dc, c.v[7] % 2 == 0 ? OPAQUE : TRANSPARENT);
        SetBkColor(s.dc, static_cast<COLORREF>(c.v[6]));
        return;
    case ArcDirectionCall:
        canvas.note(SetArcDirection(s.dc, c.v[7] % 2 == 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE));
        return;
    case TextStateCall:
        SetTextColor(s.dc, static_cast<COLORREF>(c.v[6]));
        canvas.note(SetTextAlign(s.dc, text_aligns[static_cast<std::size_t>(c.v[7] % 6)]));
        return;
    default: clip_call(s, canvas, c); return;
    }
}

long long shape_call(const Session& s, const RandomCall& c) {
    const int* v = c.v;
    switch (c.kind) {
    case RectangleCall: return Rectangle(s.dc, v[0], v[1], v[2], v[3]);
    case EllipseCall: return Ellipse(s.dc, v[0], v[1], v[2], v[3]);
    case RoundRectCall: return RoundRect(s.dc, v[0], v[1], v[2], v[3], v[4] & 31, v[5] & 31);
    case ArcCall: return Arc(s.dc, v[0], v[1], v[2], v[3], v[4], v[5], v[5], v[4]);
    case ChordCall: return Chord(s.dc, v[0], v[1], v[2], v[3], v[4], v[5], v[5], v[4]);
    case PieCall: return Pie(s.dc, v[0], v[1], v[2], v[3], v[4], v[5], v[5], v[4]);
    case PolygonCall: {
        SetPolyFillMode(s.dc, v[6] % 2 == 0 ? ALTERNATE : WINDING);
        const std::vector<POINT> p = points_of(c, 3 + v[7] % 4);
        return Polygon(s.dc, p.data(), static_cast<int>(p.size()));
    }
    case PolylineCall: {
        const std::vector<POINT> p = points_of(c, 2 + v[7] % 4);
        return Polyline(s.dc, p.data(), static_cast<int>(p.size()));
    }
    case LineCall: MoveToEx(s.dc, v[0], v[1], nullptr); return LineTo(s.dc, v[2], v[3]);
    case BezierCall: {
        const std::vector<POINT> p = points_of(c, 4);
        return PolyBezier(s.dc, p.data(), 4);
    }
    default: return static_cast<long long>(SetPixel(s.dc, v[0], v[1], static_cast<COLORREF>(v[6])));
    }
}

long long transfer_call(const Session& s, const RandomCall& c) {
    const int* v = c.v;
    const int w = v[4] / 2, h = v[5] / 2;
    switch (c.kind) {
    case PatBltCall: return PatBlt(s.dc, v[0], v[1], w, h, pattern_rops[static_cast<std::size_t>(v[7] % 5)]);
    case SelfBltCall:
        return BitBlt(s.dc, v[0], v[1], w, h, s.dc, v[2], v[3], source_rops[static_cast<std::size_t>(v[7] % 5)]);
    case BitBltCall:
        return BitBlt(s.dc, v[0], v[1], w, h, s.source, v[2] / 3, v[3] / 3,
                      source_rops[static_cast<std::size_t>(v[7] % 5)]);
    case StretchBltCall:
        SetStretchBltMode(s.dc, BLACKONWHITE + v[6] % 3);
        return StretchBlt(s.dc, v[0], v[1], w, h, s.source, v[2] / 3, v[3] / 3, 1 + v[7] % 24, 1 + (v[7] / 24) % 20,
                          source_rops[static_cast<std::size_t>(v[6] % 5)]);
    case StretchDibCall:
        return StretchDIBits(s.dc, v[0], v[1], w, h, v[2] / 3, v[3] / 3, 1 + v[7] % 24, 1 + (v[7] / 24) % 20,
                             s.source_bits, &s.source_info, DIB_RGB_COLORS, SRCCOPY);
    default:
        return SetDIBitsToDevice(s.dc, v[0], v[1], static_cast<DWORD>(v[4] & 31), static_cast<DWORD>(v[5] & 31),
                                 v[2] & 15, v[3] & 15, 0, 20, s.source_bits, &s.source_info, DIB_RGB_COLORS);
    }
}

long long paint_call(const Session& s, const RandomCall& c) {
    if (c.kind == TextCall) {
        const char text[] = "Wg|Ax";
        return TextOutA(s.dc, c.v[0], c.v[1], text, 1 + c.v[7] % 5);
    }
    HRGN r = shape_region(c);
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(c.v[6]));
    const int how = (c.v[7] / 32) % 3;
    const long long result = how == 0 ? FillRgn(s.dc, r, b) : how == 1 ? InvertRgn(s.dc, r) : PaintRgn(s.dc, r);
    DeleteObject(b);
    DeleteObject(r);
    return result;
}

void perform(Session& s, const Canvas& canvas, const RandomCall& c) {
    if (c.kind <= ClipRegion || c.kind >= ArcDirectionCall) {
        state_call(s, canvas, c);
        return;
    }
    if (c.kind <= PixelCall) {
        canvas.note(shape_call(s, c));
        return;
    }
    canvas.note(c.kind <= SetDibCall ? transfer_call(s, c) : paint_call(s, c));
}

struct CallSelection {
    std::uint32_t seed = 0;
    std::vector<std::size_t> keep;  // empty: all calls
    bool all = true;
};

std::optional<CallSelection> parse_selection(const std::string& text) {
    CallSelection selection;
    std::istringstream in(text);
    long long seed = -1;
    if (!(in >> seed) || seed < 0 || seed > 0xFFFFFFFFLL) return std::nullopt;
    selection.seed = static_cast<std::uint32_t>(seed);
    if (in.peek() == std::char_traits<char>::eof()) return selection;
    if (in.get() != ':') return std::nullopt;
    selection.all = false;
    for (long long i = 0; in >> i;) {
        if (i < 0) return std::nullopt;
        selection.keep.push_back(static_cast<std::size_t>(i));
        if (in.peek() == '.') in.get();
    }
    if (!in.eof()) return std::nullopt;
    return selection;
}

std::vector<RandomCall> select(const CallSelection& selection) {
    std::vector<RandomCall> all = random_calls(selection.seed);
    if (selection.all) return all;
    std::vector<RandomCall> out;
    for (std::size_t i : selection.keep)
        if (i < all.size()) out.push_back(all[i]);
    return out;
}

}  // namespace

std::vector<RandomCall> random_calls(std::uint32_t seed) {
    Numbers n(seed);
    std::vector<RandomCall> calls(static_cast<std::size_t>(n.between(2, 9)));
    for (RandomCall& c : calls) c = make_call(n);
    return calls;
}

std::string kind_name(const RandomCall& call) {
    if (call.kind < 0 || call.kind >= KindCount) return "?";
    return kind_names[static_cast<std::size_t>(call.kind)];
}

std::string describe(const RandomCall& call) {
    std::ostringstream out;
    out << kind_name(call) << "(";
    for (int i = 0; i < 8; ++i) out << (i ? ", " : "") << call.v[i];
    out << ")";
    if (call.kind == Pen)
        out << "  style " << pen_styles[static_cast<std::size_t>(call.v[7] % 7)] << " width " << (call.v[7] / 7) % 21;
    return out.str();
}

namespace {

// The box of an ellipse, rounded rectangle, arc, chord or pie, a rounded rectangle's corner, and
// with a wide inside-frame pen the box inside the pen, which the pen may turn inside out (a
// negative size).
std::string box_note(const RandomCall& c, int style, int width) {
    const int w = std::abs(c.v[2] - c.v[0]), h = std::abs(c.v[3] - c.v[1]);
    std::string note = "  box " + std::to_string(w) + "x" + std::to_string(h);
    if (c.kind == RoundRectCall)  // the corner ellipse as drawn: no larger than the box
        note += ", corner " + std::to_string(std::min(w, c.v[4] & 31)) + "x" + std::to_string(std::min(h, c.v[5] & 31));
    if (style == PS_INSIDEFRAME && width > 1)
        note += ", inside the pen " + std::to_string(w - width + 1) + "x" + std::to_string(h - width + 1);
    return note;
}

// The elliptic or rounded region a clip call combines, as created (before a move or a combine
// with a rectangle): tall narrow ones are where Wine's regions go wrong.
std::string region_note(const RandomCall& c) {
    const int shape = c.v[7] % 4;
    if (shape != 1 && shape != 2) return {};
    if (c.v[7] % 5 == RGN_COPY - RGN_AND && c.v[6] % 2 == 0) return {};  // no region at all
    const int h = std::abs(c.v[3] - c.v[1]) + 6;
    const int w = std::max(std::abs(c.v[2] - c.v[0]) + 6, shape == 1 ? (h + 3) / 4 : 0);  // as simple_region widens it
    std::string note =
        (shape == 1 ? "  elliptic region " : "  rounded region ") + std::to_string(w) + "x" + std::to_string(h);
    if (shape == 2)
        note += ", corner " + std::to_string(std::min(w, 6 + (c.v[4] & 15))) + "x" +
                std::to_string(std::min(h, 6 + (c.v[5] & 15)));
    return note;
}

}  // namespace

std::vector<std::string> describe_calls(const std::vector<RandomCall>& calls) {
    std::vector<std::string> out;
    int style = PS_SOLID, width = 0;  // the DC's own pen until a call selects one
    for (const RandomCall& c : calls) {
        std::string line = describe(c);
        if (c.kind == Pen) {
            style = pen_styles[static_cast<std::size_t>(c.v[7] % 7)];
            width = (c.v[7] / 7) % 21;
        }
        if (c.kind >= EllipseCall && c.kind <= PieCall) line += box_note(c, style, width);
        if (c.kind == ClipRegion) line += region_note(c);
        out.push_back(line);
    }
    return out;
}

std::optional<std::vector<RandomCall>> kept_calls(const std::string& selection) {
    const std::optional<CallSelection> parsed = parse_selection(selection);
    if (!parsed) return std::nullopt;
    return select(*parsed);
}

std::optional<Scene> random_scene(const std::string& selection_text) {
    const std::optional<CallSelection> selection = parse_selection(selection_text);
    if (!selection) return std::nullopt;
    std::string name = "random_" + std::to_string(selection->seed);
    for (std::size_t i = 0; i < selection->keep.size(); ++i) {
        name += i ? '.' : '_';
        name += std::to_string(selection->keep[i]);
    }
    const std::vector<RandomCall> calls = select(*selection);
    return Scene{name, scene_w, scene_h, [calls](const Canvas& canvas) {
                     Session s{canvas.dc};
                     open_session(s);
                     for (const RandomCall& c : calls) perform(s, canvas, c);
                     close_session(s);
                 }};
}

const std::vector<std::string>& fixed_random_selections() {
    static const std::vector<std::string> selections{
#include "random_fixed.inc"
    };
    return selections;
}

void add_random_fixed_scenes(std::vector<Scene>& out) {
    for (const std::string& selection : fixed_random_selections())
        if (std::optional<Scene> scene = random_scene(selection)) out.push_back(std::move(*scene));
}

}  // namespace scenes
