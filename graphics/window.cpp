// Lifecycle of a `window`: class registration, creation of a native window whose client area is
// exactly the requested size, the initial pen, brush and font, registration in the process-wide
// registry, the caption and size operations, and the release of everything at destruction with
// the farewell prompt and wait when the last window goes.
//
// The outer size comes from AdjustWindowRectEx for the window's own style, so the client area is
// width x height on every platform. A window whose native window is gone (failed creation, or
// closed by the user) is destroyed without prompt or wait: no click could ever end the wait.
#include <graphics/library_internal.h>
#include <graphics/utf8_text.h>
#include <graphics/window.h>
#include <graphics/window_registry.h>

#include <cstdio>
#include <utility>

namespace {

constexpr const char* kClassName = "Zorgraphics Library";
constexpr const char* kInitialCaption = "Graphics Window";
constexpr DWORD kWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

using graphics_detail::ReportFatal;

}  // namespace

void graphics_detail::WriteLine(const char* text) noexcept {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

window::window(int width, int height, int x, int y, std::source_location where)
    : iWindowWidth(width), iWindowHeight(height), madeAt(where) {
    const graphics_detail::CallScope scope("window", where, width, height, x, y);
    hInstance = GetModuleHandleA(nullptr);
    wndClass.style = 0;
    wndClass.lpfnWndProc = WindowProcedure;
    wndClass.cbClsExtra = 0;
    wndClass.cbWndExtra = 0;
    wndClass.hInstance = hInstance;
    wndClass.hIcon = nullptr;
    wndClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wndClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wndClass.lpszMenuName = nullptr;
    wndClass.lpszClassName = kClassName;
    RegisterClassA(&wndClass);

    // The frame's thickness is asked for on an empty rectangle and added in 64 bits: adjusting the
    // client rectangle itself would wrap for a width near INT_MAX.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int outerWidth = graphics_detail::Saturate(static_cast<long long>(width) + frame.right - frame.left);
    const int outerHeight = graphics_detail::Saturate(static_cast<long long>(height) + frame.bottom - frame.top);
    hwndWindow = CreateWindowExA(0, kClassName, kInitialCaption, kWindowStyle, x, y, outerWidth, outerHeight, nullptr,
                                 nullptr, hInstance, nullptr);
    if (hwndWindow != nullptr) {
        ShowWindow(hwndWindow, SW_SHOW);
        dcScreen = GetDC(hwndWindow);
        dcActive = dcScreen;
    }
    try {
        SetPen(WHITE, 0);
        SetBrush(WHITE);
        SetFont(10, PLAIN, SWISS, nullptr);
        WindowRegistry& registry = WindowRegistry::Acquire();
        registry.Register(hwndWindow, this);
    } catch (...) {
        // The destructor will not run for a half-built object: give back what exists.
        if (WindowRegistry* registry = WindowRegistry::Active(); registry != nullptr && registry->nWindows == 0) {
            WindowRegistry::Release();
        }
        ReleaseNativeObjects();
        if (hwndWindow != nullptr) {
            DestroyWindow(hwndWindow);
        }
        throw;
    }
}

window::~window() {
    const graphics_detail::CallScope scope("~window", madeAt);
    ReleaseNativeObjects();
    WindowRegistry* registry = WindowRegistry::Active();
    if (registry != nullptr && registry->nWindows == 1) {
        if (registry->bWaitClose && !IsGone()) {
            FarewellWait();
        }
        registry->Unregister(hwndWindow);
        WindowRegistry::Release();
    } else if (registry != nullptr) {
        registry->Unregister(hwndWindow);
    }
    if (hwndWindow != nullptr) {
        DestroyWindow(hwndWindow);
    }
}

// The native objects go in this order: the screen's device context, the back buffer's, then the
// pen, the brush, the font and the back buffer itself. Each failure is reported and the handle
// forgotten all the same.
void window::ReleaseNativeObjects() {
    if (dcScreen != nullptr) {
        // A window that is already gone took its device context with it: nothing to release.
        if (!IsGone() && ReleaseDC(hwndWindow, dcScreen) == 0) {
            ReportFatal("Fatal Error: Failed to release dcScreen in window class destructor!");
        }
        if (dcActive == dcScreen) {
            dcActive = nullptr;
        }
        dcScreen = nullptr;
    }
    if (dcActive != nullptr && DeleteDC(dcActive) != 1) {
        ReportFatal("Fatal Error: Failed to delete dcActive in window class destructor!");
    }
    dcActive = nullptr;
    if (penObject != nullptr && DeleteObject(std::exchange(penObject, nullptr)) != 1) {
        ReportFatal("Fatal Error: Failed to delete penObject in window class destructor!");
    }
    if (brshObject != nullptr && DeleteObject(std::exchange(brshObject, nullptr)) != 1) {
        ReportFatal("Fatal Error: Failed to delete brshObject in window class destructor!");
    }
    if (fontObject != nullptr && DeleteObject(std::exchange(fontObject, nullptr)) != 1) {
        ReportFatal("Fatal Error: Failed to delete fontObject in window class destructor!");
    }
    if (bmapBuffer != nullptr && DeleteObject(std::exchange(bmapBuffer, nullptr)) != 1) {
        ReportFatal("Fatal Error: Failed to delete bmapBuffer in window class destructor!");
    }
}

// Clicks made before the prompt do not count: the queue is emptied first. An exception from the
// pumping (out of memory while recording) ends the wait instead of leaving the destructor.
void window::FarewellWait() {
    try {
        ClearMouseQueue();
        if (IsGone()) {
            return;
        }
        graphics_detail::WriteLine("Click mouse in the graphics window to finish execution.");
        int x = 0;
        int y = 0;
        WaitForMouseClick(x, y);
    } catch (...) {
        return;
    }
}

bool window::IsGone() const { return hwndWindow == nullptr || IsWindow(hwndWindow) == 0; }

void window::SetTitle(const char* text) {
    PumpMessages();
    graphics_detail::SetWindowTextUtf8(hwndWindow, text != nullptr ? text : "");
}

void window::SetTitle(std::string text) { SetTitle(text.c_str()); }

int window::GetWidth() const { return iWindowWidth; }

int window::GetHeight() const { return iWindowHeight; }

void window::GetWindowSize(int& width, int& height) const {
    width = iWindowWidth;
    height = iWindowHeight;
}

bool window::SetWaitClose(bool wait) {
    WindowRegistry* registry = WindowRegistry::Active();
    if (registry == nullptr) {
        return true;
    }
    return std::exchange(registry->bWaitClose, wait);
}
