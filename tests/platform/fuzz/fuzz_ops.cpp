// The calls of the Win32 call fuzzer; see fuzz_ops.h. Buffers handed to the DIB calls are always
// as large as their header promises (reading past a promise would be the caller's fault). Blits
// keep source and destination within 2^20 of the origin: an offset between them of 2^31 or more
// (x = INT_MIN with a near source, or the reverse) still wraps when the copy's rectangle is
// narrowed to int, a known fault handled apart from this fuzzer.
#include "fuzz_ops.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz {

namespace {

constexpr std::array<int, 14> kEdges = {INT_MIN, INT_MIN + 1, -(1 << 30),    -(1 << 20) - 1, -65536,      -1,      0,
                                        1,       65535,       (1 << 20) + 1, 1 << 30,        INT_MAX - 1, INT_MAX, 2};
constexpr std::array<int, 9> kPenWidths = {0, 1, 2, 3, 7, 50, -5, INT_MAX, INT_MIN};
constexpr std::array<DWORD, 12> kRops = {SRCCOPY, SRCPAINT,  SRCAND,    SRCINVERT, BLACKNESS,  WHITENESS,
                                         PATCOPY, PATINVERT, DSTINVERT, 0,         0x00BB0226, 0x12345678};
constexpr std::array<const char*, 4> kFaces = {"", "Arial", "Courier New", "No Such Face"};
constexpr std::array<LONG, 8> kFontHeights = {-1000, -50, -12, 0, 8, 12, 40, 200};

// Bytes per row of a DIB of this width and depth, padded to 32 bits.
std::size_t dib_row_bytes(long long width, int bits) { return static_cast<std::size_t>((width * bits + 31) / 32 * 4); }

}  // namespace

int Session::coordinate() {
    const int roll = pick(100);
    if (roll < 55) return pick(80) - 20;
    if (roll < 75) return pick(4001) - 2000;
    if (roll < 90) return kEdges[static_cast<std::size_t>(pick(kEdges.size()))];
    return static_cast<int>(static_cast<std::uint32_t>(m_rng()));
}

int Session::size() {
    const int roll = pick(100);
    if (roll < 70) return 1 + pick(64);
    if (roll < 80) return 0;
    if (roll < 90) return -pick(40);
    return 65 + pick(536);
}

int Session::beside(int from) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(from) + size(), INT_MIN, INT_MAX));
}

HDC Session::dc() {
    const int roll = pick(100);
    if (roll < 88 && !m_dcs.empty()) return m_dcs[static_cast<std::size_t>(pick(static_cast<int>(m_dcs.size())))];
    if (roll < 93 && !m_stale.empty())
        return static_cast<HDC>(m_stale[static_cast<std::size_t>(pick(static_cast<int>(m_stale.size())))]);
    if (roll < 97 && !m_objects.empty())
        return static_cast<HDC>(m_objects[static_cast<std::size_t>(pick(static_cast<int>(m_objects.size())))].handle);
    return nullptr;
}

// Mostly a live object of the kind asked for; otherwise stale, of another kind, stock or null.
HGDIOBJ Session::object(DWORD kind) {
    std::vector<HGDIOBJ> fitting;
    for (const Made& m : m_objects)
        if (m.kind == kind) fitting.push_back(m.handle);
    const int roll = pick(100);
    if (roll < 80 && !fitting.empty()) return fitting[static_cast<std::size_t>(pick(static_cast<int>(fitting.size())))];
    if (roll < 87 && !m_stale.empty()) return m_stale[static_cast<std::size_t>(pick(static_cast<int>(m_stale.size())))];
    if (roll < 92 && !m_objects.empty())
        return m_objects[static_cast<std::size_t>(pick(static_cast<int>(m_objects.size())))].handle;
    if (roll < 97) return GetStockObject(pick(20) - 1);
    return nullptr;
}

void Session::expect(bool condition, const char* what) {
    if (!condition && m_problem.empty()) m_problem = what;
}

void Session::keep(HGDIOBJ handle, DWORD kind, const char* call) {
    if (handle == nullptr) return;
    expect(GetObjectType(handle) == kind, call);
    m_objects.push_back({handle, kind});
}

const char* Session::step() {
    m_problem.clear();
    switch (pick(22)) {
    case 0:
    case 1: return make_object();
    case 2: return make_dc();
    case 3: return delete_object();
    case 4:
    case 5:
    case 6: return select_and_state();
    case 7:
    case 8: return draw_lines();
    case 9:
    case 10:
    case 11: return draw_shapes();
    case 12:
    case 13: return use_regions();
    case 14:
    case 15: return blit();
    case 16:
    case 17: return transfer_dib();
    case 18:
    case 19: return describe();
    default: return text();
    }
}

const char* Session::make_object() {
    if (m_objects.size() > 40) return delete_object();
    switch (pick(7)) {
    case 0:
        keep(CreatePen(pick(9), kPenWidths[static_cast<std::size_t>(pick(kPenWidths.size()))], colour()), OBJ_PEN,
             "a new pen is a pen");
        return "CreatePen";
    case 1: keep(CreateSolidBrush(colour()), OBJ_BRUSH, "a new brush is a brush"); return "CreateSolidBrush";
    case 2: {
        LOGFONTA font{};
        font.lfHeight = kFontHeights[static_cast<std::size_t>(pick(kFontHeights.size()))];
        font.lfWeight = pick(3) * 350;
        font.lfItalic = static_cast<BYTE>(pick(2));
        std::strcpy(font.lfFaceName, kFaces[static_cast<std::size_t>(pick(kFaces.size()))]);
        keep(CreateFontIndirectA(&font), OBJ_FONT, "a new font is a font");
        return "CreateFontIndirectA";
    }
    case 3:
        keep(CreateCompatibleBitmap(dc(), size(), size()), OBJ_BITMAP, "a compatible bitmap is a bitmap");
        return "CreateCompatibleBitmap";
    case 4: {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size(), size(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        keep(CreateDIBSection(dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0), OBJ_BITMAP, "a DIB section is a bitmap");
        return "CreateDIBSection";
    }
    case 5:
        keep(CreateRectRgn(coordinate(), coordinate(), coordinate(), coordinate()), OBJ_REGION,
             "a rectangle region is a region");
        return "CreateRectRgn";
    default: {
        const int x = pick(200) - 50, y = pick(200) - 50;
        if (chance(50)) {
            keep(CreateEllipticRgn(x, y, beside(x), beside(y)), OBJ_REGION, "an elliptic region is a region");
            return "CreateEllipticRgn";
        }
        keep(CreateRoundRectRgn(x, y, beside(x), beside(y), size(), size()), OBJ_REGION,
             "a rounded region is a region");
        return "CreateRoundRectRgn";
    }
    }
}

const char* Session::make_dc() {
    if (m_dcs.size() >= 6) {
        const std::size_t i = static_cast<std::size_t>(pick(static_cast<int>(m_dcs.size())));
        DeleteDC(m_dcs[i]);
        m_stale.push_back(m_dcs[i]);
        m_dcs.erase(m_dcs.begin() + static_cast<std::ptrdiff_t>(i));
        return "DeleteDC";
    }
    HDC made = CreateCompatibleDC(chance(70) ? nullptr : dc());
    if (made != nullptr) {
        expect(GetObjectType(made) == OBJ_MEMDC, "a compatible DC is a memory DC");
        m_dcs.push_back(made);
    }
    return "CreateCompatibleDC";
}

// Deleting an object still selected is allowed; Windows finishes it when the DC lets go.
const char* Session::delete_object() {
    if (m_objects.empty()) return make_object();
    const std::size_t i = static_cast<std::size_t>(pick(static_cast<int>(m_objects.size())));
    DeleteObject(m_objects[i].handle);
    m_stale.push_back(m_objects[i].handle);
    m_objects.erase(m_objects.begin() + static_cast<std::ptrdiff_t>(i));
    if (chance(10)) DeleteObject(GetStockObject(pick(20)));  // stock objects survive deletion
    if (chance(10)) DeleteObject(m_stale[static_cast<std::size_t>(pick(static_cast<int>(m_stale.size())))]);
    return "DeleteObject";
}

const char* Session::select_and_state() {
    const HDC d = dc();
    switch (pick(8)) {
    case 0:
        SelectObject(d, object(std::array<DWORD, 5>{OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP,
                                                    OBJ_REGION}[static_cast<std::size_t>(pick(5))]));
        return "SelectObject";
    case 1: SetROP2(d, pick(20) - 2); return "SetROP2";
    case 2: SetPolyFillMode(d, pick(4)); return "SetPolyFillMode";
    case 3: SetArcDirection(d, pick(4)); return "SetArcDirection";
    case 4: SetStretchBltMode(d, pick(6)); return "SetStretchBltMode";
    case 5:
        SetBkMode(d, pick(4));
        SetBkColor(d, colour());
        return "SetBkMode";
    case 6:
        SetTextAlign(d, static_cast<UINT>(pick(64)));
        SetTextColor(d, colour());
        return "SetTextAlign";
    default: {
        POINT p{};
        MoveToEx(d, coordinate(), coordinate(), chance(50) ? &p : nullptr);
        GetCurrentPositionEx(d, chance(90) ? &p : nullptr);
        return "MoveToEx";
    }
    }
}

const char* Session::draw_lines() {
    const HDC d = dc();
    std::vector<POINT> points(static_cast<std::size_t>(pick(14)));
    for (POINT& p : points) p = {coordinate(), coordinate()};
    const int count = static_cast<int>(points.size());
    switch (pick(4)) {
    case 0: LineTo(d, coordinate(), coordinate()); return "LineTo";
    case 1: Polyline(d, points.empty() ? nullptr : points.data(), count); return "Polyline";
    case 2: {
        // Mostly a valid count (one start point and three per curve), sometimes any.
        const int curves = count == 0 ? 0 : 1 + (count - 1) / 3 * 3;
        PolyBezier(d, points.empty() ? nullptr : points.data(), chance(80) ? curves : count);
        return "PolyBezier";
    }
    default: {
        const int x = coordinate(), y = coordinate();
        const COLORREF set = SetPixel(d, x, y, colour());
        GetPixel(d, x, y);
        // Windows answers a colour even outside the bitmap, but never for a missing DC.
        expect(d != nullptr || set == CLR_INVALID, "SetPixel without a DC fails");
        return "SetPixel";
    }
    }
}

const char* Session::draw_shapes() {
    const HDC d = dc();
    const int l = coordinate(), t = coordinate();
    int r = chance(50) ? beside(l) : coordinate();
    int b = chance(50) ? beside(t) : coordinate();
    // Curves in boxes up to 2^20 across are stepped point by point, by design: a box between
    // 2^16 and 2^20 costs seconds (tens of seconds in a sanitizer build) and finds nothing more
    // than a smaller one, so the fuzzer keeps to either side of that band.
    auto costly = [](int from, int to) {
        const long long across = std::abs(static_cast<long long>(to) - from);
        return across > (1 << 16) && across <= (1 << 20);
    };
    if (costly(l, r)) r = beside(l);
    if (costly(t, b)) b = beside(t);
    switch (pick(8)) {
    case 0: Rectangle(d, l, t, r, b); return "Rectangle";
    case 1: RoundRect(d, l, t, r, b, coordinate(), coordinate()); return "RoundRect";
    case 2: Ellipse(d, l, t, r, b); return "Ellipse";
    case 3: Arc(d, l, t, r, b, coordinate(), coordinate(), coordinate(), coordinate()); return "Arc";
    case 4: Pie(d, l, t, r, b, coordinate(), coordinate(), coordinate(), coordinate()); return "Pie";
    case 5: Chord(d, l, t, r, b, coordinate(), coordinate(), coordinate(), coordinate()); return "Chord";
    case 6: PatBlt(d, l, t, r, b, kRops[static_cast<std::size_t>(pick(kRops.size()))]); return "PatBlt";
    default: {
        std::vector<POINT> points(static_cast<std::size_t>(pick(12)));
        for (POINT& p : points) p = {coordinate(), coordinate()};
        Polygon(d, points.empty() ? nullptr : points.data(), static_cast<int>(points.size()));
        return "Polygon";
    }
    }
}

const char* Session::use_regions() {
    const HRGN a = region();
    switch (pick(6)) {
    case 0: CombineRgn(a, region(), region(), pick(7)); return "CombineRgn";
    case 1: OffsetRgn(a, coordinate(), coordinate()); return "OffsetRgn";
    case 2: {
        RECT box{};
        const int kind = GetRgnBox(a, chance(90) ? &box : nullptr);
        PtInRegion(a, coordinate(), coordinate());
        expect(kind != SIMPLEREGION || (box.left < box.right && box.top < box.bottom), "a simple region has a box");
        return "GetRgnBox";
    }
    case 3: FillRgn(dc(), a, static_cast<HBRUSH>(object(OBJ_BRUSH))); return "FillRgn";
    case 4: PaintRgn(dc(), a); return "PaintRgn";
    default: {
        std::vector<POINT> points(static_cast<std::size_t>(1 + pick(10)));
        for (POINT& p : points) p = {coordinate(), pick(400) - 100};
        keep(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), pick(3)), OBJ_REGION,
             "a polygon region is a region");
        InvertRgn(dc(), a);
        return "CreatePolygonRgn";
    }
    }
}

const char* Session::blit() {
    const int near = 1 << 20;
    auto near_coordinate = [&] { return std::clamp(coordinate(), -near, near); };
    const int sx = near_coordinate(), sy = near_coordinate();
    const DWORD rop = kRops[static_cast<std::size_t>(pick(kRops.size()))];
    if (chance(50)) {
        BitBlt(dc(), near_coordinate(), near_coordinate(), size(), size(), chance(90) ? dc() : nullptr, sx, sy, rop);
        return "BitBlt";
    }
    StretchBlt(dc(), near_coordinate(), near_coordinate(), size(), size(), dc(), sx, sy,
               std::clamp(size(), -near, near), std::clamp(size(), -near, near), rop);
    return "StretchBlt";
}

// A header and a pixel block that agree, with random start lines, counts and offsets.
const char* Session::transfer_dib() {
    const std::array<WORD, 4> depths = {32, 24, 1, 8};
    const int width = 1 + pick(70), height = 1 + pick(70);
    const WORD bits = depths[static_cast<std::size_t>(pick(depths.size()))];
    std::vector<unsigned char> info_block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(info_block.data());
    info->bmiHeader = {sizeof(BITMAPINFOHEADER), width, chance(50) ? height : -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> pixels(dib_row_bytes(width, bits) * static_cast<std::size_t>(height));
    for (unsigned char& byte : pixels) byte = static_cast<unsigned char>(m_rng());
    const UINT lines = static_cast<UINT>(pick(height + 1));
    switch (pick(3)) {
    case 0:
        SetDIBitsToDevice(dc(), coordinate(), coordinate(), static_cast<DWORD>(pick(width + 3)),
                          static_cast<DWORD>(pick(height + 3)), pick(width + 4) - 2, pick(height + 4) - 2,
                          static_cast<UINT>(pick(height)), lines, pixels.data(), info, DIB_RGB_COLORS);
        return "SetDIBitsToDevice";
    case 1:
        StretchDIBits(dc(), coordinate(), coordinate(), size(), size(), pick(width), pick(height), pick(width + 1),
                      pick(height + 1), pixels.data(), info, DIB_RGB_COLORS,
                      kRops[static_cast<std::size_t>(pick(kRops.size()))]);
        return "StretchDIBits";
    default:
        GetDIBits(dc(), static_cast<HBITMAP>(object(OBJ_BITMAP)), static_cast<UINT>(pick(height)), lines,
                  chance(80) ? pixels.data() : nullptr, info, DIB_RGB_COLORS);
        return "GetDIBits";
    }
}

const char* Session::describe() {
    std::array<unsigned char, 256> buffer{};
    const std::array<int, 7> sizes = {0, 1, 4, 16, 24, 60, 200};
    const HGDIOBJ any = object(
        std::array<DWORD, 5>{OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION}[static_cast<std::size_t>(pick(5))]);
    const int asked = sizes[static_cast<std::size_t>(pick(sizes.size()))];
    const int written = GetObjectA(any, asked, chance(85) ? buffer.data() : nullptr);
    expect(written >= 0 && written <= static_cast<int>(buffer.size()), "GetObjectA stays within what it may write");
    GetCurrentObject(dc(), static_cast<UINT>(pick(12)));
    for (const Made& m : m_objects) expect(GetObjectType(m.handle) == m.kind, "a live object keeps its kind");
    return "GetObjectA";
}

const char* Session::text() {
    const HDC d = dc();
    std::array<char, 64> bytes{};
    for (char& c : bytes) c = static_cast<char>(m_rng());
    switch (pick(3)) {
    case 0:
        TextOutA(d, coordinate(), coordinate(), bytes.data(), pick(static_cast<int>(bytes.size()) + 1));
        return "TextOutA";
    case 1: {
        TEXTMETRICA metrics{};
        GetTextMetricsA(d, chance(90) ? &metrics : nullptr);
        return "GetTextMetricsA";
    }
    default: {
        std::array<char, 40> face{};
        const int n = GetTextFaceA(d, pick(static_cast<int>(face.size()) + 1), chance(90) ? face.data() : nullptr);
        expect(n >= 0 && n <= static_cast<int>(face.size()), "GetTextFaceA stays within its buffer");
        return "GetTextFaceA";
    }
    }
}

void Session::release_all() {
    for (HDC d : m_dcs) DeleteDC(d);
    m_dcs.clear();
    for (const Made& m : m_objects) DeleteObject(m.handle);
    m_objects.clear();
    // Objects deleted while selected are finished by now; a stale handle fails harmlessly.
    for (HGDIOBJ h : m_stale) DeleteObject(h);
    m_stale.clear();
}

}  // namespace fuzz
