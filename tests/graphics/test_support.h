// Shared helpers of the window library's tests: a fixture that opens a small window which closes
// without the farewell wait, input posted the way the platform would queue it, pixel snapshots,
// standard-output capture, and the white-box view of a window's fields.
#pragma once

#include <graphics/window.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Reads the private fields of a window; the library declares this type its friend for tests.
struct WindowInspector {
    static HWND Handle(const window& w) { return w.hwndWindow; }
    static HDC Active(const window& w) { return w.dcActive; }
    static HDC Screen(const window& w) { return w.dcScreen; }
    static HBITMAP Buffer(const window& w) { return w.bmapBuffer; }
    static HPEN Pen(const window& w) { return w.penObject; }
    static HBRUSH Brush(const window& w) { return w.brshObject; }
    static HFONT Font(const window& w) { return w.fontObject; }
    static color PenColor(const window& w) { return w.penColor; }
    static color BrushColor(const window& w) { return w.brshColor; }
    static int PenWidth(const window& w) { return w.penWidth; }
    static bool Buffering(const window& w) { return w.bBuffering; }
};

// Nothrow allocations (allocation_hook.cpp): while armed, every nothrow new fails; the count
// grows by one for each nothrow new, failed or not.
void ArmAllocationFailure(bool armed);
int NothrowAllocationCount();
// The same for the throwing forms, which only the portable platform's own code reaches.
void ArmThrowingAllocationFailure(bool armed);
int ThrowingAllocationCount();

namespace graphics_test {

constexpr int kWidth = 240;
constexpr int kHeight = 160;

// A window at a fixed place whose destruction neither prompts nor waits.
std::unique_ptr<window> OpenWindow(int width = kWidth, int height = kHeight);

// Live GDI objects of the process, and live pens (portable platform only); -1 when the platform
// cannot tell, and the test then skips.
int LiveGdiObjects();
int LivePens();

void Post(const window& w, UINT message, WPARAM wParam, LPARAM lParam);
void PostClick(const window& w, MouseButton button, int x, int y);

// Pixels of the rectangle [left, right) x [top, bottom) of a device context, row by row.
std::vector<COLORREF> Snapshot(HDC dc, int left, int top, int right, int bottom);
// Fills the client area with white, so a test starts from a known picture.
void Wipe(window& w);

// Runs body with standard output captured and returns what it wrote, whole.
template <class Body>
std::string CaptureReports(Body body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

// What CaptureReports gives, without the caller lines ("  in DrawLine(...) at file:line") that
// follow each report: the reports' own texts, which most tests check.
std::string WithoutCallerLines(const std::string& output);

template <class Body>
std::string CaptureOutput(Body body) {
    return WithoutCallerLines(CaptureReports(body));
}

}  // namespace graphics_test
