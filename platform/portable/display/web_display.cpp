// The web display: the portable platform compiled to WebAssembly, one <canvas> per window in the
// page (web/zorgraphics.js builds the page side: canvases, title bars, dialogs, event queues).
//
// Output: presenting copies only the damaged rectangle into the canvas, as RGBA; it happens when
// the program sleeps or waits, and while it keeps polling at most about 60 times a second.
// Input: the page queues browser events; every poll drains them into Win32 messages with the SDL
// display's packing, virtual keys and characters (the page maps keys as sdl_keys.cpp does).
// Blocking: the program's loops (Sleep, GetMessage, a message box) give the browser its turn
// through Asyncify, so a program runs unchanged. Never inside static constructors: a program's
// window may be a static object, and a yield before main has begun loses what the constructor
// built; the page tells when main has begun (web_yield_allowed).
//
// With a script (the page's ?script=, written to ZG_SCRIPT), time and input are the headless
// display's, virtual, and the canvases show every frame; a `snapshot NAME` keeps the canvas's
// pixels in the page under NAME (web_snapshot.cpp), for the tests to compare with native ones.
#include "display/display.h"
#include "display/web_page.h"
#include "text/cp1252.h"
#include "user/message_queue.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

// The page side's entry points (web_page.h), defined here so that linking the display links them.
// clang-format off
EM_JS(int, web_screen_width, (), { return screen.width | 0; });
EM_JS(int, web_screen_height, (), { return screen.height | 0; });
EM_JS(double, web_now_ms, (), { return performance.now(); });
EM_JS(int, web_yield_allowed, (), { return Module.zg.mainStarted ? 1 : 0; });

EM_JS(void, web_open_window, (int id, int width, int height, const char* caption), {
    Module.zg.openWindow(id, width, height, UTF8ToString(caption));
});
EM_JS(void, web_close_window, (int id), { Module.zg.closeWindow(id); });
EM_JS(void, web_set_caption, (int id, const char* caption), { Module.zg.setCaption(id, UTF8ToString(caption)); });
EM_JS(void, web_show_window, (int id, int visible), { Module.zg.showWindow(id, visible != 0); });
EM_JS(void, web_set_capture, (int id), { Module.zg.captor = id; });
EM_JS(void, web_present, (int id, const uint32_t* rgba, int left, int top, int width, int height), {
    Module.zg.present(id, HEAPU8.subarray(rgba, rgba + width * height * 4), left, top, width, height);
});
EM_JS(void, web_keep_snapshot, (int id, const char* name), { Module.zg.keepSnapshot(id, UTF8ToString(name)); });

EM_JS(void, web_note_frame, (double milliseconds), { Module.zg.frames.push(milliseconds); });

EM_JS(int, web_next_event, (int* event), {
    var next = Module.zg.events.shift();
    if (next === undefined) return 0;
    for (var i = 0; i < 6; i++) HEAP32[(event >> 2) + i] = next[i] | 0;
    return 1;
});
EM_ASYNC_JS(void, web_wait_for_event, (), {
    await new Promise(function(resolve) { Module.zg.waitForEvent(resolve); });
});

EM_ASYNC_JS(void, web_message_box, (const char* text, const char* caption, int warning), {
    var message = UTF8ToString(text), title = UTF8ToString(caption);
    await new Promise(function(resolve) { Module.zg.messageBox(message, title, warning != 0, resolve); });
});
EM_ASYNC_JS(int, web_print_dialog, (const char* printers), {
    var names = UTF8ToString(printers).split("\n").filter(function(n) { return n.length > 0; });
    return await new Promise(function(resolve) { Module.zg.printDialog(names, resolve); });
});
EM_JS(void, web_print_picture, (const uint32_t* rgba, int width, int height, int left, int top, int to_width,
                                int to_height, int page_width, int page_height), {
    Module.zg.printPicture(HEAPU8.slice(rgba, rgba + width * height * 4), width, height,
                           [left, top, to_width, to_height], [page_width, page_height]);
});
EM_JS(void, web_print_page_end, (), { Module.zg.printPageEnd(); });
EM_JS(void, web_print_document, (const char* title), { Module.zg.printDocument(UTF8ToString(title)); });
// clang-format on

namespace zg {
namespace {

constexpr double present_interval_ms = 16;
constexpr int empty_peeks_before_nap = 200;
constexpr int nap_ms = 4;
constexpr SIZE least_screen{1280, 1024};

enum EventKind { MouseMove = 1, MouseButton = 2, KeyEvent = 3, CloseEvent = 4, ExposeEvent = 5 };
enum PageButton { LeftButton = 0, MiddleButton = 1, RightButton = 2 };

HWND to_hwnd(int id) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(static_cast<unsigned>(id))); }
int to_id(HWND hwnd) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(hwnd)); }

class WebDisplay final : public Display {
public:
    WebDisplay() {
        const char* script = std::getenv("ZG_SCRIPT");
        if (script != nullptr && script[0] != '\0') m_scripted.reset(make_headless_display());
    }

    // A page scrolls: windows are not limited to the browser's screen, only as large as on the
    // headless display's screen at least (where the native snapshots come from).
    SIZE screen_size() const override {
        return {std::max<LONG>(web_screen_width(), least_screen.cx),
                std::max<LONG>(web_screen_height(), least_screen.cy)};
    }

    void open_window(Window& window) override {
        if (m_scripted) m_scripted->open_window(window);
        web_open_window(to_id(window.hwnd), window.surface.width(), window.surface.height(), window.caption.c_str());
    }
    void close_window(Window& window) override {
        if (m_scripted) m_scripted->close_window(window);
        web_close_window(to_id(window.hwnd));
    }
    void set_caption(Window& window) override { web_set_caption(to_id(window.hwnd), window.caption.c_str()); }
    void show_window(Window& window) override {
        web_show_window(to_id(window.hwnd), window.visible ? 1 : 0);
        window.surface.add_damage(window.surface.bounds());
        present(window);
    }
    void set_capture(Window* window) override { web_set_capture(window != nullptr ? to_id(window->hwnd) : 0); }

    void poll() override {
        if (m_scripted) return m_scripted->poll();  // snapshots present what they show
        drain_events();
        if (web_now_ms() - m_last_present < present_interval_ms) return;
        present_all();
        yield(0);
    }

    int polls_before_idle() const override {
        return m_scripted ? m_scripted->polls_before_idle() : empty_peeks_before_nap;
    }

    void idle_poll() override {
        if (m_scripted) return scripted([&] { m_scripted->idle_poll(); });
        present_all();
        yield(nap_ms);
        drain_events();
    }

    bool wait() override {
        if (m_scripted) {
            bool more = false;
            scripted([&] { more = m_scripted->wait(); });
            return more;
        }
        reset_idle_count();
        if (all_windows().empty()) return false;
        present_all();
        drain_events();
        while (queue_empty() && !all_windows().empty()) {
            if (!web_yield_allowed()) return false;
            web_wait_for_event();
            drain_events();
            present_all();
        }
        return true;
    }

    // A frame is the program's work between two sleeps, presenting included: the page keeps its
    // length (Module.zg.frames) for the measurements.
    void sleep(DWORD milliseconds) override {
        const double start = web_now_ms();
        if (m_awake_since > 0 && web_yield_allowed()) web_note_frame(start - m_awake_since);
        sleep_for(milliseconds);
        m_awake_since = web_now_ms();
    }

    DWORD tick_count() override {
        if (m_scripted) return m_scripted->tick_count();
        return static_cast<DWORD>(static_cast<std::uint64_t>(web_now_ms()));
    }

    int message_box(HWND owner, const char* text, const char* caption, UINT type) override {
        if (m_scripted) return m_scripted->message_box(owner, text, caption, type);
        return message_box_utf8(owner, windows_1252_to_utf8(text), windows_1252_to_utf8(caption), type);
    }

    int message_box_utf8(HWND owner, const std::string& text, const std::string& caption, UINT type) override {
        if (m_scripted) return m_scripted->message_box_utf8(owner, text, caption, type);
        present_all();
        if (!web_yield_allowed()) {
            std::fprintf(stderr, "zorgraphics: message box \"%s\": %s\n", caption.c_str(), text.c_str());
            return IDOK;
        }
        web_message_box(text.c_str(), caption.c_str(), (type & MB_ICONWARNING) != 0 ? 1 : 0);
        return IDOK;
    }

    int print_dialog(HWND owner, const std::vector<std::string>& printers) override {
        if (m_scripted) return m_scripted->print_dialog(owner, printers);
        present_all();
        if (!web_yield_allowed()) return -1;
        std::string names;
        for (const std::string& name : printers) names += windows_1252_to_utf8(name) + '\n';
        return web_print_dialog(names.c_str());
    }

private:
    void sleep_for(DWORD milliseconds) {
        if (m_scripted) return scripted([&] { m_scripted->sleep(milliseconds); });
        reset_idle_count();
        const double until = web_now_ms() + milliseconds;
        present_all();
        if (!web_yield_allowed()) return;
        const double left = until - web_now_ms();
        yield(left > 0 ? static_cast<unsigned>(left) : 0);
        drain_events();
    }

    // A scripted sleep or wait runs on the virtual clock; what was drawn reaches the canvases.
    template <class F>
    void scripted(F&& step) {
        step();
        present_all();
    }

    void yield(unsigned milliseconds) {
        if (web_yield_allowed()) emscripten_sleep(milliseconds);
    }

    void present(Window& window) {
        if (!window.visible) return;
        const Rect damage = window.surface.take_damage();
        if (damage.empty()) return;
        m_rgba.resize(static_cast<std::size_t>(damage.width()) * static_cast<std::size_t>(damage.height()));
        std::uint32_t* out = m_rgba.data();
        for (int y = damage.top; y < damage.bottom; ++y) {
            const std::uint32_t* row = window.surface.row(y);
            for (int x = damage.left; x < damage.right; ++x) *out++ = rgba_of(row[x]);
        }
        web_present(to_id(window.hwnd), m_rgba.data(), damage.left, damage.top, damage.width(), damage.height());
    }

    // 0x00RRGGBB to the bytes R, G, B, 255 a canvas takes (little-endian memory).
    static std::uint32_t rgba_of(std::uint32_t pixel) {
        return 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
    }

    void present_all() {
        m_last_present = web_now_ms();
        for (HWND hwnd : all_windows()) {
            if (Window* window = lookup_window(hwnd)) present(*window);
        }
    }

    void drain_events() {
        int event[6];
        while (web_next_event(event) != 0) translate(event);
    }

    void translate(const int* event) {
        const HWND hwnd = to_hwnd(event[1]);
        Window* window = lookup_window(hwnd);
        if (window == nullptr) return;
        switch (event[0]) {
        case MouseMove: mouse(hwnd, WM_MOUSEMOVE, event[2], event[3], event[4]); break;
        case MouseButton: button(hwnd, event); break;
        case KeyEvent: key(hwnd, event); break;
        case CloseEvent: post_message(hwnd, WM_CLOSE, 0, 0); break;
        case ExposeEvent: window->surface.add_damage(window->surface.bounds()); break;
        default: break;
        }
    }

    // Shift and Control ride in the page's modifier bits 0 and 1.
    WPARAM mouse_flags(int modifiers) const {
        WPARAM flags = m_buttons;
        if ((modifiers & 1) != 0) flags |= MK_SHIFT;
        if ((modifiers & 2) != 0) flags |= MK_CONTROL;
        return flags;
    }

    // While captured, the page reports the mouse in the captor's own coordinates, negative left
    // of and above it.
    void mouse(HWND hwnd, UINT message, int x, int y, int modifiers) {
        post_message(hwnd, message, mouse_flags(modifiers), MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
    }

    // event: kind, window, x, y, modifiers, button | down << 8.
    void button(HWND hwnd, const int* event) {
        const int which = event[5] & 0xFF;
        const bool down = (event[5] >> 8) != 0;
        const WPARAM flag = which == LeftButton ? MK_LBUTTON : which == RightButton ? MK_RBUTTON : 0;
        m_buttons = down ? (m_buttons | flag) : (m_buttons & ~flag);
        UINT message = 0;
        if (which == LeftButton) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        if (which == RightButton) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        if (which == MiddleButton) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        if (message != 0) mouse(hwnd, message, event[2], event[3], event[4]);
    }

    // event: kind, window, virtual key, typed character, flags (1 down, 2 repeat, 4 Alt).
    void key(HWND hwnd, const int* event) {
        const auto vk = static_cast<WPARAM>(event[2]);
        const auto typed = static_cast<unsigned char>(event[3]);
        const bool down = (event[4] & 1) != 0, repeat = (event[4] & 2) != 0, alt = (event[4] & 4) != 0;
        const bool system = alt || vk == VK_F10 || vk == VK_MENU;
        LPARAM lparam = down ? key_lparam(typed, typed != 0) : (key_up_flags | 1);
        if (alt) lparam |= key_alt_flag;
        if (down && repeat) lparam |= LPARAM{1} << 30;
        const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        post_message(hwnd, message, vk, lparam);
    }

    std::unique_ptr<Display> m_scripted;  // the headless display's clock and script, when a script runs
    std::vector<std::uint32_t> m_rgba;
    double m_last_present = 0;
    double m_awake_since = 0;  // when the last sleep ended
    WPARAM m_buttons = 0;
};

}  // namespace

Display* make_web_display() { return new WebDisplay(); }

}  // namespace zg
