// The portable platform with 32-bit pointers, as the web build runs it (under node): handles
// that fit a pointer, class names that live at small addresses, pointer-sized message
// parameters, and text through the FreeType the web build compiles. Each check names what failed;
// the exit status is the number of failures.
#include <platform/win32.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    if (ok) return;
    std::printf("FAILED: %s\n", what);
    ++failures;
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Handles are pointers: every GDI and window handle must be found again, and a stale one not.
void handles_round_trip() {
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    LOGPEN described{};
    check(GetObjectA(pen, sizeof described, &described) == sizeof described && described.lopnWidth.x == 3,
          "a pen's handle finds the pen");
    check(DeleteObject(pen) != 0, "a pen's handle deletes it");
    HPEN reused = CreatePen(PS_SOLID, 1, 0);
    check(GetObjectType(pen) == 0 && GetObjectType(reused) == OBJ_PEN, "a stale handle fails, its successor works");
    DeleteObject(reused);
}

// WebAssembly puts string literals at small addresses, where Windows has its atoms.
void class_names_at_small_addresses() {
    static const char name[] = "Pointer32 Test Class";
    std::printf("class name at 0x%lx\n", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(name)));
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.lpszClassName = name;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    check(cls.hCursor != nullptr, "the arrow cursor loads");
    const ATOM atom = RegisterClassA(&cls);
    check(atom != 0, "a class registers under a name at a small address");
    HWND hwnd = CreateWindowExA(0, name, "w", WS_OVERLAPPED, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr);
    check(hwnd != nullptr && IsWindow(hwnd), "a window of that class opens and its handle finds it");
    check(FindWindowA(name, nullptr) == hwnd, "the window is found by its class name");
    if (hwnd != nullptr) DestroyWindow(hwnd);
    check(!IsWindow(hwnd), "a destroyed window's handle fails");
    check(UnregisterClassA(name, nullptr) != 0, "the class unregisters by name");
}

// Pointer-sized parameters keep their sign: a point left of a window packs to negative halves.
void parameters_are_pointer_sized() {
    const LPARAM packed = MAKELPARAM(static_cast<short>(-5), static_cast<short>(7));
    check(static_cast<short>(LOWORD(packed)) == -5 && static_cast<short>(HIWORD(packed)) == 7,
          "coordinates survive MAKELPARAM");
    check(sizeof(LPARAM) == sizeof(void*) && sizeof(ULONG_PTR) == sizeof(void*), "parameters are pointer-sized");
    check(sizeof(PRINTDLGA) == 66 && sizeof(DOCINFOA) == 20, "print structures have 32-bit Windows' layout");
}

// FreeType built with emcc renders the preloaded face; a face the page lacks (DejaVu Sans, for
// the script family) falls back to it.
void text_draws(BYTE family) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 60, 30);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 60, 30, WHITENESS);
    LOGFONTA request{};
    request.lfHeight = -20;
    request.lfWeight = FW_NORMAL;
    request.lfPitchAndFamily = family;
    HFONT font = CreateFontIndirectA(&request);
    HGDIOBJ old_font = SelectObject(dc, font);
    check(TextOutA(dc, 2, 2, "Hg", 2) != 0, "TextOutA draws");
    int dark = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) dark += GetPixel(dc, x, y) != RGB(255, 255, 255) ? 1 : 0;
    }
    check(dark > 20, "the text has ink");
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace

int main() {
    setenv("ZG_DISPLAY", "headless", 1);
    handles_round_trip();
    class_names_at_small_addresses();
    parameters_are_pointer_sized();
    text_draws(FF_SWISS);
    text_draws(FF_SCRIPT);
    std::printf("%d failed\n", failures);
    return failures;
}
