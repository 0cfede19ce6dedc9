// A tiny program for the script tests: opens one 120 x 80 window the way the graphics library
// does, prints every input message it dispatches ("message wParam a b time", the message in hex;
// a b are x y for the mouse, and for keys the repeat count and the top three lParam bits:
// context, previous state, transition), paints a red pixel where the left button is released,
// and ends when its window is destroyed.
//
// Usage: display_script_probe [setup|busy]
//   setup  first takes and drops three messages, as the graphics library's constructor does
//          before its window can record input
//   busy   loops without ever sleeping or blocking: peek, dispatch, draw a pixel; at the end
//          prints "frames N" (gives up after 5,000,000 frames)
#include <platform/win32.h>

#include <cstdio>
#include <string>

namespace {

HDC window_dc = nullptr;

bool is_reported(UINT message) {
    return (message >= WM_KEYDOWN && message <= WM_SYSCHAR) || (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) ||
           message == WM_CLOSE;
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_LBUTTONDOWN) SetCapture(hwnd);
    if (message == WM_LBUTTONUP) {
        ReleaseCapture();
        SetPixel(window_dc, LOWORD(lparam), HIWORD(lparam), RGB(255, 0, 0));
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

void report(const MSG& msg) {
    bool key = msg.message >= WM_KEYDOWN && msg.message <= WM_SYSCHAR;
    unsigned b = key ? HIWORD(msg.lParam) >> 13 : HIWORD(msg.lParam);
    if (is_reported(msg.message))
        std::printf("%04x %llu %u %u %lu\n", msg.message, static_cast<unsigned long long>(msg.wParam),
                    LOWORD(msg.lParam), b, static_cast<unsigned long>(msg.time));
}

void drop_three_messages() {
    MSG msg;
    for (int i = 0; i < 3; ++i) PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
}

void run_busy() {
    long frames = 0;
    for (MSG msg{}; frames < 5000000 && msg.message != WM_QUIT; ++frames) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            report(msg);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        SetPixel(window_dc, static_cast<int>(frames % 120), 0, RGB(0, 0, frames & 0xFF));
    }
    std::printf("frames %s\n", frames < 5000000 ? "some" : "all");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    std::printf("starting\n");
    std::fflush(stdout);
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.lpszClassName = "Core Script Probe";
    RegisterClassA(&cls);
    DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND hwnd =
        CreateWindowExA(0, cls.lpszClassName, "probe", style, CW_USEDEFAULT, 0, 120 + GetSystemMetrics(SM_CXEDGE),
                        80 + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYEDGE) - 1, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    window_dc = GetDC(hwnd);
    std::printf("opened\n");
    if (mode == "setup") drop_three_messages();
    if (mode == "busy") run_busy();
    MSG msg;
    while (mode != "busy" && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        report(msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ReleaseDC(hwnd, window_dc);
    std::printf("done\n");
    return 0;
}
