// Windows and messages through the Win32 calls only (portable headless, or Windows under Wine):
// class registration, creation and destruction messages, stale handles, geometry, the queue's
// filters and TranslateMessage's characters.
#include <platform/win32.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr char class_name[] = "Core Test Window";
constexpr DWORD library_style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::vector<UINT>& seen() {
    static std::vector<UINT> messages;
    return messages;
}

LRESULT CALLBACK recording_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    seen().push_back(message);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

void register_test_class() {
    static bool registered = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = recording_procedure;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        cls.lpszClassName = class_name;
        return RegisterClassA(&cls) != 0;
    }();
    ASSERT_TRUE(registered);
}

HWND make_window(const char* title, int width = 200, int height = 100) {
    register_test_class();
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, library_style, FALSE, 0);
    return CreateWindowExA(0, class_name, title, library_style, CW_USEDEFAULT, 0, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void drain_queue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

std::ptrdiff_t position_of(UINT message) {
    for (std::size_t i = 0; i < seen().size(); ++i) {
        if (seen()[i] == message) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

TEST(WindowClasses, RegisterOnceAndCreateOnlyKnownClasses) {
    register_test_class();
    WNDCLASSA again{};
    again.lpfnWndProc = recording_procedure;
    again.lpszClassName = "core test window";  // class names ignore case
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(CreateWindowExA(0, "No Such Class", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW) != nullptr, true);
}

TEST(Windows, CreationAndDestructionSendTheirMessagesInOrder) {
    seen().clear();
    HWND hwnd = make_window("order");
    ASSERT_NE(hwnd, nullptr);
    std::ptrdiff_t nccreate = position_of(WM_NCCREATE), create = position_of(WM_CREATE);
    ASSERT_GE(nccreate, 0);
    EXPECT_GT(create, nccreate);
    seen().clear();
    EXPECT_TRUE(DestroyWindow(hwnd));
    std::ptrdiff_t destroy = position_of(WM_DESTROY);
    ASSERT_GE(destroy, 0);
    ASSERT_FALSE(seen().empty());
    EXPECT_EQ(seen().back(), static_cast<UINT>(WM_NCDESTROY));
    drain_queue();
}

TEST(Windows, ClientAreaIsWhatAdjustWindowRectExAskedFor) {
    HWND hwnd = make_window("size", 321, 123);
    RECT client{};
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.right, 321);
    EXPECT_EQ(client.bottom, 123);
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(hwnd, &outer));
    RECT expected{0, 0, 321, 123};
    AdjustWindowRectEx(&expected, library_style, FALSE, 0);
    EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);
    DestroyWindow(hwnd);
    drain_queue();
}

// Windows keeps a captioned window between its tracking sizes: a little larger than the screen
// at most, and a caption's worth at least, whatever was asked.
TEST(Windows, OuterSizeStaysWithinTheTrackingSizes) {
    register_test_class();
    struct Case {
        int width, height, expected_width, expected_height;
    };
    const int cx = GetSystemMetrics(SM_CXSCREEN) + 12, cy = GetSystemMetrics(SM_CYSCREEN) + 12;
    const Case cases[] = {{100000, 100000, cx, cy}, {2147483647, 2147483647, cx, cy}, {-5, -5, 112, 27}};
    for (const Case& c : cases) {
        HWND hwnd = CreateWindowExA(0, class_name, "tracking", library_style, CW_USEDEFAULT, 0, c.width, c.height,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hwnd, nullptr);
        RECT outer{};
        ASSERT_TRUE(GetWindowRect(hwnd, &outer));
        EXPECT_EQ(outer.right - outer.left, c.expected_width) << c.width;
        EXPECT_EQ(outer.bottom - outer.top, c.expected_height) << c.height;
        DestroyWindow(hwnd);
    }
    drain_queue();
}

TEST(Windows, DestroyedHandleFailsEverywhereAndIsNotReused) {
    HWND old = make_window("stale");
    ASSERT_TRUE(DestroyWindow(old));
    HWND fresh = make_window("fresh");
    EXPECT_NE(fresh, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(IsWindow(fresh));
    EXPECT_FALSE(DestroyWindow(old));
    EXPECT_FALSE(SetWindowTextA(old, "x"));
    RECT rect{};
    EXPECT_FALSE(GetClientRect(old, &rect));
    EXPECT_EQ(GetDC(old), nullptr);
    EXPECT_FALSE(PostMessageA(old, WM_USER, 0, 0));
    EXPECT_EQ(SetCapture(old), nullptr);
    DestroyWindow(fresh);
    drain_queue();
}

TEST(Windows, CaptionTextAndFindWindow) {
    HWND hwnd = make_window("Graphics Window");
    EXPECT_EQ(FindWindowA(class_name, nullptr), hwnd);
    EXPECT_EQ(FindWindowA(nullptr, "Graphics Window"), hwnd);
    ASSERT_TRUE(SetWindowTextA(hwnd, "Simulation \xe9t\xe9"));
    char text[64]{};
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 14);
    EXPECT_STREQ(text, "Simulation \xe9t\xe9");
    char small[5]{};
    EXPECT_EQ(GetWindowTextA(hwnd, small, sizeof small), 4);
    EXPECT_STREQ(small, "Simu");
    EXPECT_EQ(FindWindowA(nullptr, "Graphics Window"), nullptr);
    DestroyWindow(hwnd);
    EXPECT_EQ(FindWindowA(class_name, nullptr), nullptr);
    drain_queue();
}

TEST(Windows, CloseByDefaultHandlingDestroysTheWindow) {
    HWND hwnd = make_window("close");
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    drain_queue();
}

TEST(Messages, PeekFiltersByWindowAndRange) {
    HWND first = make_window("first");
    HWND second = make_window("second");
    drain_queue();
    ASSERT_TRUE(PostMessageA(first, WM_USER + 1, 1, 0));
    ASSERT_TRUE(PostMessageA(second, WM_USER + 2, 2, 0));
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 3, 3, 0));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, second, WM_USER, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_FALSE(PeekMessageA(&msg, second, WM_USER, WM_USER + 10, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_USER, WM_USER + 10, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));  // still there
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, first);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
    DestroyWindow(first);
    DestroyWindow(second);
    drain_queue();
}

// The character TranslateMessage posts for a key-down; 0 when it posts none.
WPARAM char_of_key(HWND hwnd, WPARAM vk) {
    drain_queue();
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
    MSG msg{};
    if (!PeekMessageA(&msg, hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) return 0xFFFF;
    TranslateMessage(&msg);
    if (!PeekMessageA(&msg, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE)) return 0;
    return msg.wParam;
}

TEST(Messages, TranslateMessageTypesTheCharactersOfKeys) {
    HWND hwnd = make_window("keys");
    EXPECT_EQ(char_of_key(hwnd, VK_ESCAPE), 27u);
    EXPECT_EQ(char_of_key(hwnd, VK_RETURN), 13u);
    EXPECT_EQ(char_of_key(hwnd, VK_BACK), 8u);
    EXPECT_EQ(char_of_key(hwnd, VK_TAB), 9u);
    EXPECT_EQ(char_of_key(hwnd, 'Q'), static_cast<WPARAM>('q'));
    EXPECT_EQ(char_of_key(hwnd, '7'), static_cast<WPARAM>('7'));
    for (WPARAM silent : {VK_DELETE, VK_INSERT, VK_LEFT, VK_F1, VK_SHIFT, VK_CONTROL})
        EXPECT_EQ(char_of_key(hwnd, silent), 0u) << "virtual key " << silent;
    MSG mouse{hwnd, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(TranslateMessage(&mouse));
    DestroyWindow(hwnd);
    drain_queue();
}

TEST(Capture, OneWindowHoldsItAndTheLoserIsTold) {
    HWND first = make_window("a");
    HWND second = make_window("b");
    EXPECT_EQ(SetCapture(first), nullptr);
    EXPECT_EQ(GetCapture(), first);
    seen().clear();
    EXPECT_EQ(SetCapture(second), first);
    EXPECT_GE(position_of(WM_CAPTURECHANGED), 0);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    SetCapture(first);
    DestroyWindow(first);
    EXPECT_EQ(GetCapture(), nullptr);  // a dead window holds nothing
    DestroyWindow(second);
    drain_queue();
}

}  // namespace
