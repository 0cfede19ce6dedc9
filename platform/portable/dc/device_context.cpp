// Creation, lookup and destruction of device contexts; see device_context.h.
//
// Every object a DC holds has its select_count raised while held, so DeleteObject can defer
// freeing it; the last deselection (here, or in SelectObject) finishes a pending deletion.
#include "dc/device_context.h"

#include "activity.h"
#include "objects/handle_table.h"

#include <algorithm>
#include <deque>

namespace zg {

Device* device_of(HDC hdc) {
    DeviceContext* dc = lookup_dc(hdc);
    return dc != nullptr ? dc->device.get() : nullptr;
}

void exchange_selection(HGDIOBJ outgoing, HGDIOBJ incoming) {
    if (GdiObject* object = lookup_object(incoming)) ++object->select_count;
    GdiObject* object = lookup_object(outgoing);
    if (object == nullptr) return;
    --object->select_count;
    if (object->select_count == 0 && object->delete_pending) free_object(outgoing);
}

HDC create_dc(DcType type, HWND hwnd, Surface* window_surface, std::shared_ptr<Device> device) {
    auto dc = std::make_unique<DeviceContext>();
    dc->type = type;
    dc->device = std::move(device);
    dc->hwnd = hwnd;
    dc->window_surface = type == DcType::Window ? window_surface : nullptr;
    swap_selection(dc->pen, static_cast<HPEN>(stock_object(BLACK_PEN)));
    swap_selection(dc->brush, static_cast<HBRUSH>(stock_object(WHITE_BRUSH)));
    swap_selection(dc->font, static_cast<HFONT>(stock_object(SYSTEM_FONT)));
    if (type == DcType::Memory) swap_selection(dc->bitmap, static_cast<HBITMAP>(stock_object(default_bitmap_index)));
    return static_cast<HDC>(insert_object(std::move(dc)));
}

bool destroy_dc(HDC hdc) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr) return false;
    if (auto* bitmap = lookup_as<BitmapObject>(dc->bitmap, ObjectKind::Bitmap)) bitmap->selected_into = nullptr;
    swap_selection(dc->pen, HPEN{});
    swap_selection(dc->brush, HBRUSH{});
    swap_selection(dc->font, HFONT{});
    swap_selection(dc->bitmap, HBITMAP{});
    return free_object(hdc);
}

namespace {

// Window DCs whose window died before they were released, oldest first. Windows keeps a dead
// window's DC in its small DC cache, so the handle stays a DC for a while and a late ReleaseDC
// still succeeds; here too, but only the newest few stay, so a program that never releases the
// DCs of windows the user closed does not fill the table.
constexpr std::size_t kept_orphans = 8;

std::deque<HDC>& orphans() {
    static std::deque<HDC> list;
    return list;
}

bool is_orphan(HDC hdc) {
    DeviceContext* dc = lookup_dc(hdc);
    return dc != nullptr && dc->type == DcType::Window && dc->orphaned;
}

void keep_orphan(HDC hdc) {
    std::deque<HDC>& list = orphans();
    list.erase(std::remove_if(list.begin(), list.end(), [](HDC kept) { return !is_orphan(kept); }), list.end());
    list.push_back(hdc);
    while (list.size() > kept_orphans) {
        destroy_dc(list.front());
        list.pop_front();
    }
}

}  // namespace

void detach_window_dcs(HWND hwnd) {
    for (HGDIOBJ handle : handles_of_kind(ObjectKind::DC)) {
        DeviceContext* dc = lookup_dc(static_cast<HDC>(handle));
        if (dc == nullptr || dc->type != DcType::Window || dc->hwnd != hwnd || dc->orphaned) continue;
        dc->window_surface = nullptr;
        dc->orphaned = true;
        keep_orphan(static_cast<HDC>(handle));
    }
}

}  // namespace zg
