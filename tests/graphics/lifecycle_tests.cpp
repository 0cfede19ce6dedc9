// Window lifecycle: construction state, the registry, the farewell wait and its refusal on a
// window that is gone, and the release of every native object.
#include "test_support.h"

#include <graphics/window_registry.h>

#include <cstdint>
#include <cstring>

using namespace graphics_test;

namespace {

HWND FakeHandle(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

window* FakeWindow(std::uintptr_t value) { return reinterpret_cast<window*>(value); }

}  // namespace

TEST(WindowLifecycle, OpensWithTheRequestedClientAreaCaptionAndClass) {
    auto w = OpenWindow(300, 200);
    const HWND handle = WindowInspector::Handle(*w);
    ASSERT_NE(handle, nullptr);
    RECT client{};
    ASSERT_EQ(GetClientRect(handle, &client), 1);
    EXPECT_EQ(client.right - client.left, 300);
    EXPECT_EQ(client.bottom - client.top, 200);
    char caption[64] = {};
    GetWindowTextA(handle, caption, sizeof caption);
    EXPECT_STREQ(caption, "Graphics Window");
    EXPECT_EQ(FindWindowA("Zorgraphics Library", nullptr), handle);
    EXPECT_TRUE(IsWindow(handle));
}

TEST(WindowLifecycle, StartsUnbufferedWithWhiteDrawingStateAndUnknownCursor) {
    auto w = OpenWindow();
    EXPECT_EQ(WindowInspector::Active(*w), WindowInspector::Screen(*w));
    EXPECT_EQ(WindowInspector::Buffer(*w), nullptr);
    EXPECT_FALSE(WindowInspector::Buffering(*w));
    EXPECT_EQ(WindowInspector::PenWidth(*w), 0);
    EXPECT_NE(WindowInspector::Font(*w), nullptr);
    EXPECT_EQ(w->SetPen(BLACK, 1), WHITE);
    EXPECT_EQ(w->SetBrush(BLACK), WHITE);
    int x = 0;
    int y = 0;
    w->GetMousePosition(x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
}

TEST(WindowLifecycle, SizeQueriesReturnTheRequestAndDoNotPump) {
    auto w = OpenWindow(123, 45);
    PostClick(*w, LEFT_BUTTON, 5, 6);
    int width = 0;
    int height = 0;
    w->GetWindowSize(width, height);
    EXPECT_EQ(w->GetWidth(), 123);
    EXPECT_EQ(w->GetHeight(), 45);
    EXPECT_EQ(width, 123);
    EXPECT_EQ(height, 45);
    int x = 0;
    int y = 0;
    // Nothing was pumped above: the press comes first, then the release gives the click.
    EXPECT_EQ(w->PollMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(w->PollMouseClick(x, y), LEFT_CLICK);
}

TEST(WindowLifecycle, SetTitleReplacesTheCaption) {
    auto w = OpenWindow();
    w->SetTitle(std::string("Simulation de la precession"));
    char caption[64] = {};
    GetWindowTextA(WindowInspector::Handle(*w), caption, sizeof caption);
    EXPECT_STREQ(caption, "Simulation de la precession");
    w->SetTitle(static_cast<const char*>(nullptr));
    GetWindowTextA(WindowInspector::Handle(*w), caption, sizeof caption);
    EXPECT_STREQ(caption, "");
}

TEST(WindowRegistry, ListsLiveWindowsAndGoesAwayWithTheLast) {
    EXPECT_EQ(WindowRegistry::Active(), nullptr);
    auto first = OpenWindow();
    auto second = OpenWindow();
    WindowRegistry* registry = WindowRegistry::Active();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->nWindows, 2u);
    EXPECT_EQ(registry->Lookup(WindowInspector::Handle(*first)), first.get());
    EXPECT_EQ(registry->Lookup(WindowInspector::Handle(*second)), second.get());
    first.reset();
    EXPECT_EQ(registry->nWindows, 1u);
    EXPECT_EQ(registry->Lookup(WindowInspector::Handle(*second)), second.get());
    second.reset();
    EXPECT_EQ(WindowRegistry::Active(), nullptr);
}

// The count decides which window is the last (and so waits for the farewell click): it must stay
// exact past 65,535 windows.
TEST(WindowRegistry, CountStaysExactPastSixteenBits) {
    WindowRegistry registry;
    registry.Register(FakeHandle(0x10), FakeWindow(0x100));
    registry.nWindows = 65535;
    registry.Register(FakeHandle(0x20), FakeWindow(0x200));
    EXPECT_EQ(registry.nWindows, 65536u);
    registry.Unregister(FakeHandle(0x10));
    EXPECT_EQ(registry.nWindows, 65535u);
}

TEST(WindowRegistry, KeepsTheFirstWindowOfAHandleAndIgnoresAbsentHandles) {
    WindowRegistry registry;
    registry.Register(FakeHandle(0x10), FakeWindow(0x100));
    registry.Register(FakeHandle(0x20), FakeWindow(0x200));
    registry.Register(FakeHandle(0x10), FakeWindow(0x300));
    EXPECT_EQ(registry.nWindows, 2u);
    EXPECT_EQ(registry.Lookup(FakeHandle(0x10)), FakeWindow(0x100));
    registry.Unregister(FakeHandle(0x30));
    EXPECT_EQ(registry.nWindows, 2u);
    registry.Unregister(FakeHandle(0x10));
    EXPECT_EQ(registry.nWindows, 1u);
    EXPECT_EQ(registry.Lookup(FakeHandle(0x10)), nullptr);
    EXPECT_EQ(registry.Lookup(FakeHandle(0x20)), FakeWindow(0x200));
}

TEST(WindowRegistry, WaitCloseIsSetPerRegistryAndStartsTrue) {
    {
        window w(kWidth, kHeight, 40, 40);
        EXPECT_TRUE(w.SetWaitClose(false));
        EXPECT_FALSE(w.SetWaitClose(false));
    }
    window again(kWidth, kHeight, 40, 40);
    EXPECT_TRUE(again.SetWaitClose(false));
}

TEST(WindowFarewell, OnlyTheLastWindowPromptsAndAClickBeforeThePromptDoesNotCount) {
    auto first = std::make_unique<window>(kWidth, kHeight, 40, 40);
    auto last = std::make_unique<window>(kWidth, kHeight, 40, 40);
    EXPECT_EQ(CaptureOutput([&] { first.reset(); }), "");

    // A completed click already queued, then a right click whose release arrives after the prompt.
    PostClick(*last, LEFT_BUTTON, 1, 2);
    int x = 0;
    int y = 0;
    last->GetMousePosition(x, y);
    last->GetMousePosition(x, y);
    Post(*last, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8));
    Post(*last, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(7, 8));
    Post(*last, WM_RBUTTONUP, 0, MAKELPARAM(7, 8));
    const HWND handle = WindowInspector::Handle(*last);
    const int allocationsBefore = NothrowAllocationCount();
    const std::string output = CaptureOutput([&] { last.reset(); });
    EXPECT_EQ(output, "Click mouse in the graphics window to finish execution.\n");
    EXPECT_FALSE(IsWindow(handle));
    // The right click's record is the one allocation of the destruction: the wait took it.
    EXPECT_EQ(NothrowAllocationCount() - allocationsBefore, 1);
}

TEST(WindowFarewell, AClosedWindowNeitherPromptsNorWaits) {
    auto w = std::make_unique<window>(kWidth, kHeight, 40, 40);
    const HWND handle = WindowInspector::Handle(*w);
    Post(*w, WM_CLOSE, 0, 0);
    w->PumpMessages();
    ASSERT_FALSE(IsWindow(handle));
    EXPECT_EQ(CaptureOutput([&] { w.reset(); }), "");
}

TEST(WindowLifecycle, AConstructionThatRunsOutOfMemoryThrowsAndLeavesNoWindow) {
    ArmAllocationFailure(true);
    EXPECT_THROW(window(kWidth, kHeight, 40, 40), error);
    ArmAllocationFailure(false);
    EXPECT_EQ(WindowRegistry::Active(), nullptr);
    EXPECT_EQ(FindWindowA("Zorgraphics Library", nullptr), nullptr);
}

TEST(WindowLifecycle, DestructionLeavesNoLiveGdiObject) {
    const int before = LiveGdiObjects();
    if (before < 0) {
        GTEST_SKIP() << "the platform keeps no count of GDI objects";
    }
    {
        auto w = OpenWindow();
        w->SetBuffering(true);
        w->DrawCircle(20, 20, 10, FILLED);
        w->DrawString(5, 5, "text");
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}
