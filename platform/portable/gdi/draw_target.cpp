// Resolving a DC's drawing state; see draw_target.h.
#include "gdi/draw_target.h"

#include "objects/handle_table.h"

#include <algorithm>

namespace zg::gdi {

namespace {

PenState pen_state(DeviceContext& dc) {
    PenState pen;
    const PenObject* object = dc.pen_object();
    if (object == nullptr || object->style == PS_NULL) {
        pen.kind = PenKind::Null;
        return pen;
    }
    pen.width = std::max(object->width, 1);
    pen.kind = pen.width > 1 ? PenKind::Wide : PenKind::Thin;
    pen.inside_frame = object->style == PS_INSIDEFRAME;
    pen.mix = raster::make_mix(dc.rop2, to_pixel(object->color));
    // Wider pens draw every style solid.
    if (pen.kind == PenKind::Thin && object->style >= PS_DASH && object->style <= PS_DASHDOTDOT)
        pen.style = static_cast<std::uint8_t>(object->style);
    return pen;
}

BrushState brush_state(const DeviceContext& dc, const BrushObject* object) {
    BrushState brush;
    if (object == nullptr || object->style == BS_NULL) {
        brush.null = true;
        return brush;
    }
    brush.mix = raster::make_mix(dc.rop2, to_pixel(object->color));
    return brush;
}

}  // namespace

DrawTarget make_target(DeviceContext& dc, Uses uses) {
    DrawTarget target;
    target.dc = &dc;
    target.surface = dc.surface();
    if (target.surface != nullptr) target.visible = VisibleArea(dc, *target.surface);
    if (uses == Uses::Nothing)
        target.pen.kind = PenKind::Null;
    else
        target.pen = pen_state(dc);
    target.brush = uses == Uses::PenAndBrush ? brush_state(dc, dc.brush_object()) : brush_state(dc, nullptr);
    return target;
}

std::optional<DrawTarget> resolve_target(HDC hdc, Uses uses) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return std::nullopt;
    return make_target(*dc, uses);
}

std::optional<raster::Mix> solid_thin_pen(DeviceContext& dc) {
    const PenObject* object = dc.pen_object();
    if (object == nullptr || object->style == PS_NULL || object->width > 1) return std::nullopt;
    if (object->style >= PS_DASH && object->style <= PS_DASHDOTDOT) return std::nullopt;
    return raster::make_mix(dc.rop2, to_pixel(object->color));
}

std::optional<BrushState> resolve_brush(const DeviceContext& dc, HBRUSH brush) {
    const auto* object = lookup_as<BrushObject>(brush, ObjectKind::Brush);
    if (object == nullptr) return std::nullopt;
    return brush_state(dc, object);
}

namespace {

// With no brush, a code that reads the pattern still runs, but its steps that would fetch the
// pattern do nothing; what is left is an operation of the source and the destination alone
// (PATPAINT becomes source | destination). No value of the pattern explains it: it follows from
// how each code is split into steps, so it is kept as measured under Wine. Digit i is the truth
// table that code i leaves, indexed like the code's own low nibble (2 * source + destination);
// "a" leaves the destination as it was.
constexpr char null_brush_codes[] =
    "018c8a9886a4c21a111111478bebedee81214822828b2dedc123456786a7cdec"
    "41244148844b8deba125156786abc7ea612646628664624971274727877777e7"
    "818888888d8b8de79b294962d96b6de6ae83ea6889aeadeabe274b478bebbdee"
    "c12c856889cbceecde2d47278ddbedeeee2e4e478eeeeeeea12c4a6789aecdef";

std::uint8_t without_pattern(std::uint8_t index) {
    const char digit = null_brush_codes[index];
    const auto table = static_cast<std::uint8_t>(digit <= '9' ? digit - '0' : digit - 'a' + 10);
    return static_cast<std::uint8_t>(table | table << 4);
}

}  // namespace

std::uint8_t null_brush_code(std::uint8_t index) {
    return raster::rop_uses_pattern(index) ? without_pattern(index) : index;
}

std::optional<raster::Rop3> resolve_rop(DeviceContext& dc, DWORD rop) {
    const std::uint8_t index = raster::rop_index(rop);
    const BrushObject* brush = dc.brush_object();
    if (brush == nullptr || brush->style == BS_NULL) {
        const std::uint8_t left = null_brush_code(index);
        if (left == 0xAA) return std::nullopt;  // nothing changes
        return raster::make_rop3(left, 0);
    }
    return raster::make_rop3(index, to_pixel(brush->color));
}

Box ordered_box(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

Box inside_frame(const Box& box, const PenState& pen) {
    if (!pen.inside_frame || pen.kind != PenKind::Wide) return box;
    const long long w = pen.width;
    return {box.left + w / 2, box.top + w / 2, box.right - (w - 1) / 2, box.bottom - (w - 1) / 2};
}

}  // namespace zg::gdi
