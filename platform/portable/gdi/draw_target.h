// What a drawing call needs from its DC, resolved once per call: the surface, the pen (null,
// one-pixel or wide, with its mix) and the brush (null or solid, with its mix). Both mixes come
// from the DC's mix mode, which GDI applies to the brush as well as to the pen.
#pragma once

#include "dc/device_context.h"
#include "dc/visible_area.h"
#include "raster/mix.h"
#include "raster/rop3.h"

#include <cstdint>
#include <optional>

namespace zg::gdi {

enum class PenKind : std::uint8_t { Null, Thin, Wide };

struct PenState {
    PenKind kind = PenKind::Thin;
    // PS_DASH to PS_DASHDOTDOT for a styled one-pixel pen, else PS_SOLID. One byte, so the
    // state every drawing call builds stays the size it was.
    std::uint8_t style = PS_SOLID;
    int width = 1;
    bool inside_frame = false;
    raster::Mix mix;
};

struct BrushState {
    bool null = false;
    raster::Mix mix;
};

struct DrawTarget {
    DeviceContext* dc = nullptr;
    Surface* surface = nullptr;  // null when the DC's window is gone: the call draws nothing
    VisibleArea visible;         // where this call may write: the surface cut by the clip region
    PenState pen;
    BrushState brush;
};

// What a call draws with, so that a call resolves no object it does not use: each handle
// lookup is a good part of a small call's cost (SetPixel, a short LineTo).
enum class Uses : std::uint8_t { Nothing, Pen, PenAndBrush };

// Null for an invalid DC handle (the call fails as on Windows). What `uses` leaves out reads as
// a null pen or brush.
std::optional<DrawTarget> resolve_target(HDC hdc, Uses uses = Uses::PenAndBrush);
DrawTarget make_target(DeviceContext& dc, Uses uses);

// The mix of the DC's pen when it is a solid one-pixel pen, else nullopt: all that a short
// LineTo on an unclipped DC needs, where building a DrawTarget would cost more than the line.
std::optional<raster::Mix> solid_thin_pen(DeviceContext& dc);

// The brush of a handle given directly (FillRgn), mixed with the DC's mode; null brush handle
// or wrong kind gives nullopt.
std::optional<BrushState> resolve_brush(const DeviceContext& dc, HBRUSH brush);

// The box of two corners with its sides ordered, in 64-bit so that R - 1 and similar cannot
// overflow.
struct Box {
    long long left, top, right, bottom;
    long long width() const { return right - left; }
    long long height() const { return bottom - top; }
};
Box ordered_box(int x1, int y1, int x2, int y2);

// Shrinks a box for an inside-frame pen of width > 1: w/2 on the top-left, (w-1)/2 on the
// bottom-right.
Box inside_frame(const Box& box, const PenState& pen);

// The operation index a code amounts to under a null brush: one that reads no pattern.
std::uint8_t null_brush_code(std::uint8_t index);

// The ternary raster operation `rop` with this DC's brush as its pattern (under a null brush,
// what null_brush_code leaves); nullopt when the transfer would leave the destination unchanged.
std::optional<raster::Rop3> resolve_rop(DeviceContext& dc, DWORD rop);

}  // namespace zg::gdi
