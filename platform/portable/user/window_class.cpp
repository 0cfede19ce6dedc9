// Window classes: RegisterClassA, UnregisterClassA, and the arrow cursor.
//
// Classes are few, so a vector searched by name serves. An atom is 0xC000 plus the class's
// index, the range Windows gives registered classes; MAKEINTATOM names find them again.
#include "user/window.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace zg {
namespace {

constexpr ATOM first_atom = 0xC000;

std::vector<std::unique_ptr<WindowClass>>& classes() {
    static std::vector<std::unique_ptr<WindowClass>> list;
    return list;
}

bool is_atom(LPCSTR name) { return reinterpret_cast<std::uintptr_t>(name) < 0x10000; }

std::ptrdiff_t class_index(LPCSTR name) {
    if (name == nullptr) return -1;
    auto& list = classes();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i]) continue;
        bool found = is_atom(name) ? reinterpret_cast<std::uintptr_t>(name) == first_atom + i
                                   : same_name(list[i]->name, name);
        if (found) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
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
    auto& list = zg::classes();
    list.push_back(std::move(added));
    return static_cast<ATOM>(zg::first_atom + list.size() - 1);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    (void)hInstance;
    std::ptrdiff_t index = zg::class_index(lpClassName);
    if (index < 0) return FALSE;
    auto& slot = zg::classes()[static_cast<std::size_t>(index)];
    if (zg::class_has_windows(slot->name)) return FALSE;
    slot.reset();  // the slot stays so later atoms keep their numbers
    return TRUE;
}

// Only the system cursors exist; their handles are their resource numbers, as the cursor is
// drawn by the display and never looked at again.
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance != nullptr || !zg::is_atom(lpCursorName) || lpCursorName == nullptr) return nullptr;
    return reinterpret_cast<HCURSOR>(const_cast<char*>(lpCursorName));
}

}  // extern "C"
