// Window classes: RegisterClassA, UnregisterClassA, and the arrow cursor.
//
// Classes sit in a vector indexed by atom, with a map from the lower-case name. An atom is 0xC000 plus the class's
// index, the range Windows gives registered classes (0xC000 to 0xFFFF, so at most 16,384);
// MAKEINTATOM names find them again. An unregistered class's slot, and so its atom, is taken
// by the next registration, as Windows reuses atoms; with every atom in use registration fails
// and registers nothing.
#include "user/static_data.h"
#include "user/window.h"
#include "memory_guard.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <unordered_map>

namespace zg {
namespace {

constexpr ATOM first_atom = 0xC000;
constexpr std::size_t max_classes = 0x10000 - first_atom;

struct ClassTable {
    std::vector<std::unique_ptr<WindowClass>> slots;       // index = atom - first_atom
    std::unordered_map<std::string, std::size_t> by_name;  // lower-case name -> index
    std::size_t registered = 0;                            // slots in use
};

ClassTable& table() {
    static ClassTable classes;
    return classes;
}

std::vector<std::unique_ptr<WindowClass>>& classes() { return table().slots; }

// Windows tells an atom from a name by its value: below 0x10000, where no data of a process ever
// lies. WebAssembly has no such hole: its static data (string literals among it) begins near
// address 0, so there the values below 0x10000 that point into the static data are names.
bool is_atom(LPCSTR name) { return is_int_resource(name) && !in_static_data(reinterpret_cast<std::uintptr_t>(name)); }

std::string lower_case(const char* name) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::ptrdiff_t class_index(LPCSTR name) {
    if (name == nullptr) return -1;
    auto& list = classes();
    if (is_atom(name)) {
        std::uintptr_t atom = reinterpret_cast<std::uintptr_t>(name);
        if (atom < first_atom || atom - first_atom >= list.size() || !list[atom - first_atom]) return -1;
        return static_cast<std::ptrdiff_t>(atom - first_atom);
    }
    auto found = table().by_name.find(lower_case(name));
    return found == table().by_name.end() ? -1 : static_cast<std::ptrdiff_t>(found->second);
}

// The index a new class takes: the first free slot, or a new one; max_classes when none is left.
std::size_t free_index() {
    auto& list = classes();
    if (table().registered < list.size()) {
        auto unused = std::find(list.begin(), list.end(), nullptr);
        return static_cast<std::size_t>(unused - list.begin());
    }
    if (list.size() >= max_classes) return max_classes;
    list.emplace_back();
    return list.size() - 1;
}

bool class_has_windows(const std::string& name) {
    auto windows = all_windows();
    return std::any_of(windows.begin(), windows.end(), [&](HWND hwnd) {
        Window* window = lookup_window(hwnd);
        return window != nullptr && same_name(window->class_name, name.c_str());
    });
}

}  // namespace

bool same_name(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

const WindowClass* find_class(LPCSTR name) {
    std::ptrdiff_t index = class_index(name);
    return index < 0 ? nullptr : classes()[static_cast<std::size_t>(index)].get();
}

}  // namespace zg

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    return zg::within_memory(ATOM{}, [&]() -> ATOM {
        if (lpWndClass == nullptr || lpWndClass->lpfnWndProc == nullptr) return 0;
        LPCSTR name = lpWndClass->lpszClassName;
        if (name == nullptr || zg::is_atom(name) || name[0] == '\0' || zg::class_index(name) >= 0) return 0;
        auto added = std::make_unique<zg::WindowClass>();
        added->name = name;
        added->procedure = lpWndClass->lpfnWndProc;
        added->instance = lpWndClass->hInstance;
        added->cursor = lpWndClass->hCursor;
        added->background = lpWndClass->hbrBackground;
        added->style = lpWndClass->style;
        std::size_t index = zg::free_index();
        if (index >= zg::max_classes) return 0;
        zg::table().by_name[zg::lower_case(name)] = index;
        ++zg::table().registered;
        zg::classes()[index] = std::move(added);
        return static_cast<ATOM>(zg::first_atom + index);
    });
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    (void)hInstance;
    std::ptrdiff_t index = zg::class_index(lpClassName);
    if (index < 0) return FALSE;
    auto& slot = zg::classes()[static_cast<std::size_t>(index)];
    if (zg::class_has_windows(slot->name)) return FALSE;
    zg::table().by_name.erase(zg::lower_case(slot->name.c_str()));
    --zg::table().registered;
    slot.reset();  // the slot stays so later atoms keep their numbers; the next class takes it
    return TRUE;
}

// Only the system cursors exist; their handles are their resource numbers, as the cursor is
// drawn by the display and never looked at again.
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance != nullptr || !zg::is_int_resource(lpCursorName) || lpCursorName == nullptr) return nullptr;
    return reinterpret_cast<HCURSOR>(const_cast<char*>(lpCursorName));
}

}  // extern "C"
