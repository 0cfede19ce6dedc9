// The process's one GDI handle table and its stock objects; see handle_table.h.
//
// Handles carry the object's kind as their tag (kind + 1, so tag 0 is never valid), which makes
// a pen handle passed where a brush is wanted fail at lookup. Stock objects live in the table
// like any other object but are flagged, never counted as live and never freed.
#include "objects/handle_table.h"

#include "objects/slot_table.h"

#include <array>
#include <cstring>

namespace zg {
namespace {

struct Table {
    SlotTable<GdiObject> slots;
    std::array<int, static_cast<std::size_t>(ObjectKind::Count)> live{};
    std::array<HGDIOBJ, default_bitmap_index + 1> stock{};
    Table() { handle_detail::live_slots = &slots; }
    ~Table() { handle_detail::live_slots = nullptr; }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
};

Table& table() {
    static Table t;
    return t;
}

std::size_t kind_index(ObjectKind kind) { return static_cast<std::size_t>(kind); }

HGDIOBJ to_handle(std::uint64_t value) { return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(value)); }
std::uint64_t to_value(HGDIOBJ handle) { return reinterpret_cast<std::uintptr_t>(handle); }

std::unique_ptr<GdiObject> make_stock_pen(int style, COLORREF color) {
    auto pen = std::make_unique<PenObject>();
    pen->style = style;
    pen->width = 0;
    pen->color = color;
    return pen;
}

std::unique_ptr<GdiObject> make_stock_brush(UINT style, COLORREF color) {
    auto brush = std::make_unique<BrushObject>();
    brush->style = style;
    brush->color = color;
    return brush;
}

// The stock fonts as Windows describes them through GetObjectA (height, weight, pitch, face).
std::unique_ptr<GdiObject> make_stock_font(LONG height, LONG weight, BYTE pitch_family, const char* face) {
    auto font = std::make_unique<FontObject>();
    font->logfont.lfHeight = height;
    font->logfont.lfWeight = weight;
    font->logfont.lfCharSet = ANSI_CHARSET;
    font->logfont.lfPitchAndFamily = pitch_family;
    std::strncpy(font->logfont.lfFaceName, face, LF_FACESIZE - 1);
    if (pitch_family == (FIXED_PITCH | FF_MODERN) && face[0] == '\0') font->logfont.lfCharSet = 255;  // OEM
    return font;
}

// The 1 x 1 monochrome bitmap every new memory DC holds; black, as on Windows.
std::unique_ptr<GdiObject> make_default_bitmap() {
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = Surface(1, 1, 0);
    bitmap->bits_per_pixel = 1;
    return bitmap;
}

std::unique_ptr<GdiObject> make_system_font() {
    auto font = make_stock_font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
    static_cast<FontObject&>(*font).logfont.lfWidth = 7;
    return font;
}

std::unique_ptr<GdiObject> make_stock(int index) {
    switch (index) {
    case WHITE_BRUSH: return make_stock_brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return make_stock_brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return make_stock_brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return make_stock_brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return make_stock_brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return make_stock_brush(BS_NULL, RGB(0, 0, 0));
    case WHITE_PEN: return make_stock_pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return make_stock_pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return make_stock_pen(PS_NULL, RGB(0, 0, 0));
    case OEM_FIXED_FONT: return make_stock_font(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "");
    case ANSI_FIXED_FONT: return make_stock_font(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier");
    case ANSI_VAR_FONT: return make_stock_font(12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    case SYSTEM_FONT: return make_system_font();
    case DEVICE_DEFAULT_FONT: return make_stock_font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
    case SYSTEM_FIXED_FONT: return make_stock_font(16, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier");
    case DEFAULT_GUI_FONT: return make_stock_font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg");
    case DC_BRUSH: return make_stock_brush(BS_SOLID, RGB(255, 255, 255));
    case DC_PEN: return make_stock_pen(PS_SOLID, RGB(0, 0, 0));
    case default_bitmap_index: return make_default_bitmap();
    default: return nullptr;
    }
}

}  // namespace

HGDIOBJ insert_object(std::unique_ptr<GdiObject> object) {
    Table& t = table();
    ObjectKind kind = object->kind;
    bool stock = object->stock;
    std::uint64_t value = t.slots.insert(std::move(object), static_cast<unsigned>(kind) + 1);
    if (value != 0 && !stock) ++t.live[kind_index(kind)];
    return to_handle(value);
}

bool free_object(HGDIOBJ handle) {
    Table& t = table();
    GdiObject* object = t.slots.lookup(to_value(handle));
    if (object == nullptr || object->stock) return false;
    --t.live[kind_index(object->kind)];
    return t.slots.remove(to_value(handle)) != nullptr;
}

HGDIOBJ stock_object(int index) {
    Table& t = table();
    if (index < 0 || static_cast<std::size_t>(index) >= t.stock.size()) return nullptr;
    HGDIOBJ& slot = t.stock[static_cast<std::size_t>(index)];
    if (slot != nullptr) return slot;
    std::unique_ptr<GdiObject> object = make_stock(index);
    if (!object) return nullptr;
    object->stock = true;
    slot = insert_object(std::move(object));
    return slot;
}

int live_objects(ObjectKind kind) {
    if (kind == ObjectKind::Count) return 0;
    return table().live[kind_index(kind)];
}

std::vector<HGDIOBJ> handles_of_kind(ObjectKind kind) {
    std::vector<HGDIOBJ> handles;
    table().slots.for_each([&](std::uint64_t value, const GdiObject& object) {
        if (object.kind == kind) handles.push_back(to_handle(value));
    });
    return handles;
}

int live_objects_total() {
    int total = 0;
    for (int count : table().live) total += count;
    return total;
}

}  // namespace zg
