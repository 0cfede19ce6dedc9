// The headless display in-process: window surfaces and DCs, the library's frame formula, the
// virtual clock, and waits that end instead of hanging. (The script runs in a subprocess:
// script_tests.cpp.)
#include <platform/gdi_count.h>
#include <platform/object_counts.h>
#include <platform/win32.h>

#include "dc/device_context.h"
#include "display/display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

constexpr char class_name[] = "Core Headless Window";
constexpr DWORD library_style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK plain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A window made the way the graphics library makes it: outer size from the client size plus
// SM_CXEDGE, SM_CYCAPTION and SM_CYEDGE - 1.
HWND library_window(int width, int height) {
    static bool registered = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = plain_procedure;
        cls.lpszClassName = class_name;
        return RegisterClassA(&cls) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExA(0, class_name, "Graphics Window", library_style, CW_USEDEFAULT, 0,
                           width + GetSystemMetrics(SM_CXEDGE),
                           height + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYEDGE) - 1, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void drain_queue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

TEST(Headless, LibraryFrameFormulaGivesTheExactClientSize) {
    HWND hwnd = library_window(1000, 700);
    RECT client{};
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right, 1000);
    EXPECT_EQ(client.bottom, 700);
    DestroyWindow(hwnd);
}

TEST(Headless, WindowDcDrawsOnAWhiteSurfaceUntilTheWindowDies) {
    HWND hwnd = library_window(120, 30);
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 119, 29), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 120, 0), CLR_INVALID);
    SetPixel(dc, 5, 6, RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 5, 6), RGB(1, 2, 3));
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    DestroyWindow(hwnd);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));  // the handle stays valid...
    EXPECT_EQ(GetPixel(dc, 5, 6), CLR_INVALID);                // ...with nothing behind it
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}

TEST(Headless, WindowLifetimeLeavesNoObjectBehind) {
    int objects = zg_live_gdi_objects();
    int windows = zg_live_windows();
    HWND hwnd = library_window(100, 100);
    HDC dc = GetDC(hwnd);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_EQ(zg_live_windows(), windows + 1);
    SelectObject(dc, old);
    DeleteObject(pen);
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
    drain_queue();
    EXPECT_EQ(zg_live_gdi_objects(), objects);
    EXPECT_EQ(zg_live_windows(), windows);
}

TEST(Headless, SleepAdvancesTheVirtualClockAtOnce) {
    auto started = std::chrono::steady_clock::now();
    DWORD before = GetTickCount();
    Sleep(60000);
    EXPECT_EQ(GetTickCount() - before, 60000u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST(Headless, WaitingWithNothingToComeClosesWindowsThenReturns) {
    drain_queue();
    HWND hwnd = library_window(10, 10);
    drain_queue();
    EXPECT_TRUE(WaitMessage());  // nothing scripted: the "user" closes the window
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(WaitMessage());  // no window left: returns instead of blocking
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST(Headless, PollingWithoutEndCountsAsWaiting) {
    drain_queue();
    HWND hwnd = library_window(10, 10);
    drain_queue();
    MSG msg{};
    int polls = 0;
    while (!PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE) && polls < 100000) ++polls;
    EXPECT_LT(polls, 100000);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    DestroyWindow(hwnd);
}

TEST(Headless, DrawingBetweenPollsIsBusyNotWaiting) {
    drain_queue();
    HWND hwnd = library_window(10, 10);
    HDC dc = GetDC(hwnd);
    drain_queue();
    MSG msg{};
    for (int i = 0; i < 20000; ++i) {
        ASSERT_FALSE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) << "closed after " << i << " draws";
        SetPixel(dc, i % 10, 0, RGB(i & 0xFF, 0, 0));
    }
    EXPECT_TRUE(IsWindow(hwnd));
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
}

// Reading pixels is work, not waiting: a program that only reads must keep its window.
TEST(Headless, ReadingPixelsBetweenPollsIsBusyNotWaiting) {
    drain_queue();
    HWND hwnd = library_window(10, 10);
    HDC dc = GetDC(hwnd);
    drain_queue();
    MSG msg{};
    for (int i = 0; i < 3000; ++i) {
        ASSERT_FALSE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) << "closed after " << i << " reads";
        ASSERT_EQ(GetPixel(dc, i % 10, 0), RGB(255, 255, 255));
    }
    EXPECT_TRUE(IsWindow(hwnd));
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
}

// As on Windows, the DC of a window that died unreleased stays a DC for a late ReleaseDC; but
// only the newest few stay, so windows closed by the user cannot fill the handle table.
TEST(Headless, DeadWindowsDoNotKeepTheirUnreleasedDcs) {
    drain_queue();
    int dcs = zg_live_objects_of_type(OBJ_DC);
    HDC last = nullptr;
    for (int i = 0; i < 100; ++i) {
        HWND hwnd = library_window(10, 10);
        last = GetDC(hwnd);
        ASSERT_NE(last, nullptr);
        DestroyWindow(hwnd);
    }
    drain_queue();
    EXPECT_LE(zg_live_objects_of_type(OBJ_DC), dcs + 8);
    EXPECT_EQ(GetObjectType(last), static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(ReleaseDC(nullptr, last), 1);
    EXPECT_EQ(GetObjectType(last), 0u);
}

// Atoms of registered classes run from 0xC000 to 0xFFFF: the class past the last one is
// refused and not registered, and an unregistered class's atom serves the next one.
TEST(Headless, ClassAtomsNeverWrapAndAreReused) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = plain_procedure;
    std::vector<std::string> names;
    std::vector<ATOM> atoms;
    for (int i = 0; i < 0x4001; ++i) {
        names.push_back("atom class " + std::to_string(i));
        cls.lpszClassName = names.back().c_str();
        atoms.push_back(RegisterClassA(&cls));
        if (atoms.back() == 0) break;
        ASSERT_GE(atoms.back(), 0xC000);
        ASSERT_TRUE(atoms.size() == 1 || atoms.back() > atoms[atoms.size() - 2]);
    }
    ASSERT_EQ(atoms.back(), 0) << "registered " << names.size() << " classes";
    EXPECT_EQ(CreateWindowExA(0, names.back().c_str(), "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    ASSERT_GE(names.size(), 2u);
    ASSERT_TRUE(UnregisterClassA(names[names.size() - 2].c_str(), nullptr));
    cls.lpszClassName = "atom class again";
    EXPECT_EQ(RegisterClassA(&cls), atoms[atoms.size() - 2]);
    EXPECT_TRUE(UnregisterClassA(cls.lpszClassName, nullptr));
    for (const std::string& name : names) UnregisterClassA(name.c_str(), nullptr);
}

TEST(Headless, UnknownDisplayNamesAreNotTakenForSdl) {
    std::string accepted;
    EXPECT_STREQ(zg::find_display(nullptr, &accepted)->name, "sdl");
    EXPECT_EQ(accepted, "sdl, headless");
    EXPECT_STREQ(zg::find_display("", nullptr)->name, "sdl");
    EXPECT_STREQ(zg::find_display("headless")->name, "headless");
    for (const char* wrong : {"HEADLESS", "headless ", "headles", "sdl2", " sdl"})
        EXPECT_EQ(zg::find_display(wrong), nullptr) << wrong;
}

TEST(Headless, QuitComesAfterPostedMessages) {
    drain_queue();
    PostQuitMessage(3);
    PostMessageA(nullptr, WM_USER, 0, 0);
    MSG msg{};
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
