// gone_window_probe: a program whose last X request fails. It opens a window on the SDL display,
// destroys it, sends an event to the window it had on the display's own connection (as SDL's
// wakeup may, racing with the destruction) and ends. The error reaches the program only while
// SDL closes the display at exit; the program must still end with status 0.
#include <platform/win32.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>

int main() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "gone window probe";
    RegisterClassA(&cls);
    HWND hwnd = CreateWindowExA(0, cls.lpszClassName, "gone", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    SDL_Window* window = SDL_GetKeyboardFocus() != nullptr ? SDL_GetKeyboardFocus() : SDL_GetWindowFromID(1);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (hwnd == nullptr || window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        std::fputs("gone_window_probe: no X11 window\n", stderr);
        return 2;
    }
    ::Display* display = info.info.x11.display;
    const ::Window gone = info.info.x11.window;
    DestroyWindow(hwnd);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &event);
    XFlush(display);
    std::puts("sent");
    return 0;
}
