// Memory running out below the Win32 boundary: every call that allocates, run while every
// allocation fails, returns its documented failure value with ERROR_NOT_ENOUGH_MEMORY as the
// last error, lets no exception out, and works again once memory is back. Native only: the
// allocations are this program's own operator new, replaced here.
#include <platform/win32.h>

#include "../dib_canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {
bool failing = false;
}

void* operator new(std::size_t size) {
    void* block = failing ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

using zg_test::DibCanvas;

struct Call {
    std::string name;
    std::function<bool()> failed;  // true when the call returned its failure value
};

// A canvas clipped to two rectangles, so that drawing builds its visible area, with a wide pen.
struct Scene {
    DibCanvas canvas{64, 64, 0};
    DibCanvas other{32, 32, 0x123456};
    HPEN pen = CreatePen(PS_SOLID, 5, RGB(1, 2, 3));
    HRGN region = CreateEllipticRgn(0, 0, 60, 60);  // more rectangles than the clip region holds
    Scene() {
        HRGN clip = CreateRectRgn(0, 0, 30, 30);
        HRGN more = CreateRectRgn(40, 40, 60, 60);
        CombineRgn(clip, clip, more, RGN_OR);
        SelectClipRgn(canvas.dc(), clip);
        DeleteObject(clip);
        DeleteObject(more);
        SelectObject(canvas.dc(), pen);
    }
};

std::vector<Call> calls(Scene& s) {
    const HDC dc = s.canvas.dc();
    static const POINT zig[] = {{0, 0}, {50, 10}, {5, 60}, {63, 63}};
    static std::uint32_t pixels[16] = {};
    static BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 4, 4, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    LOGFONTA font{};
    font.lfHeight = 17;
    return {
        {"LineTo", [=] { return LineTo(dc, 60, 50) == FALSE; }},
        {"Polyline", [=] { return Polyline(dc, zig, 4) == FALSE; }},
        {"PolyBezier", [=] { return PolyBezier(dc, zig, 4) == FALSE; }},
        {"SetPixel", [=] { return SetPixel(dc, 5, 5, RGB(1, 1, 1)) == CLR_INVALID; }},
        {"Ellipse", [=] { return Ellipse(dc, 0, 0, 60, 60) == FALSE; }},
        {"PatBlt", [=] { return PatBlt(dc, 0, 0, 64, 64, DSTINVERT) == FALSE; }},
        {"BitBlt within the DC", [=] { return BitBlt(dc, 3, 3, 60, 60, dc, 0, 0, SRCCOPY) == FALSE; }},
        {"StretchBlt within the DC", [=] { return StretchBlt(dc, 0, 0, 64, 64, dc, 0, 0, 9, 9, SRCCOPY) == FALSE; }},
        {"StretchDIBits",
         [=] { return StretchDIBits(dc, 0, 0, 50, 50, 0, 0, 4, 4, pixels, &info, DIB_RGB_COLORS, SRCCOPY) == 0; }},
        {"SetDIBitsToDevice",
         [=] { return SetDIBitsToDevice(dc, 0, 0, 4, 4, 0, 0, 0, 4, pixels, &info, DIB_RGB_COLORS) == 0; }},
        {"IntersectClipRect", [=] { return IntersectClipRect(dc, 1, 1, 62, 62) == ERROR; }},
        {"ExcludeClipRect", [=] { return ExcludeClipRect(dc, 1, 1, 3, 3) == ERROR; }},
        {"ExtSelectClipRgn", [=, &s] { return ExtSelectClipRgn(dc, s.region, RGN_OR) == ERROR; }},
        {"SelectObject of a region", [=, &s] { return SelectObject(dc, s.region) == nullptr; }},
        {"CreatePen", [] { return CreatePen(PS_DASH, 1, 0) == nullptr; }},
        {"CreateSolidBrush", [] { return CreateSolidBrush(0) == nullptr; }},
        {"CreateFontIndirectA", [=] { return CreateFontIndirectA(&font) == nullptr; }},
        {"CreateCompatibleDC", [=] { return CreateCompatibleDC(dc) == nullptr; }},
        {"CreateCompatibleBitmap", [=] { return CreateCompatibleBitmap(dc, 100, 100) == nullptr; }},
        {"CreateDIBSection",
         [=] {
             void* bits = &info;
             return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) == nullptr && bits == nullptr;
         }},
    };
}

TEST(MemoryGuard, EveryAllocatingCallFailsCleanlyWhenMemoryRunsOut) {
    Scene scene;
    for (const Call& call : calls(scene)) {
        SetLastError(ERROR_SUCCESS);
        failing = true;
        bool failed = false, escaped = false;
        try {
            failed = call.failed();
        } catch (const std::bad_alloc&) {
            escaped = true;
        }
        failing = false;
        EXPECT_FALSE(escaped) << call.name << " let std::bad_alloc out";
        EXPECT_TRUE(failed) << call.name << " did not fail";
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY)) << call.name;
    }
    // With memory back, the same calls work (the objects they create stay until the end).
    for (const Call& call : calls(scene)) EXPECT_FALSE(call.failed()) << call.name << " failed with memory";
}

// Fails while memory is out, with the last error set, and works once it is back.
template <class Result>
Result fails_then_works(const std::string& name, Result failure, const std::function<Result()>& call) {
    SetLastError(ERROR_SUCCESS);
    failing = true;
    Result out_of_memory = failure;
    bool escaped = false;
    try {
        out_of_memory = call();
    } catch (const std::bad_alloc&) {
        escaped = true;
    }
    failing = false;
    EXPECT_FALSE(escaped) << name << " let std::bad_alloc out";
    EXPECT_EQ(out_of_memory, failure) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY)) << name;
    const Result result = call();
    EXPECT_NE(result, failure) << name << " failed with memory";
    return result;
}

TEST(MemoryGuard, WindowsAndTextFailCleanlyToo) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "memory guard";
    fails_then_works<ATOM>("RegisterClassA", 0, [&] { return RegisterClassA(&cls); });
    const HWND window = fails_then_works<HWND>("CreateWindowExA", nullptr, [] {
        return CreateWindowExA(0, "memory guard", "guard", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
    });
    const std::string caption(5000, 'c');
    fails_then_works<BOOL>("SetWindowTextA", FALSE, [&] { return SetWindowTextA(window, caption.c_str()); });
    const HDC dc = fails_then_works<HDC>("GetDC", nullptr, [&] { return GetDC(window); });
    LOGFONTA font{};
    font.lfHeight = 37;
    HFONT hfont = CreateFontIndirectA(&font);
    SelectObject(dc, hfont);
    fails_then_works<BOOL>("TextOutA", FALSE, [&] { return TextOutA(dc, 5, 5, "Glyphs", 6); });
    ReleaseDC(window, dc);
    DeleteObject(hfont);
    DestroyWindow(window);
}

}  // namespace
