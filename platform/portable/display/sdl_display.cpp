// The SDL display: one SDL window per Win32 window, its client area exactly the surface.
//
// Input: SDL events become Win32 messages with Windows' packing (client coordinates as 16-bit
// halves of lParam, MK_ flags in wParam, virtual-key codes), posted to the thread's queue; the
// text SDL reports for a key-down rides on that key-down so TranslateMessage can post WM_CHAR.
// Output: what is drawn reaches the screen without the program asking: the damaged area is
// presented whenever the program sleeps or blocks, and while it keeps polling at most about
// 60 times a second. Presenting copies only the damaged rectangle.
#include "display/display.h"
#include "text/cp1252.h"
#include "display/sdl_keys.h"
#include "display/x11_errors.h"
#include "user/message_queue.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace zg {
namespace {

constexpr std::uint64_t present_interval_ms = 16;
constexpr std::uint64_t pump_interval_ms = 2;
// Empty polls in a row after which a polling program is treated as waiting (display.cpp decides)
// and parked in SDL_WaitEventTimeout for a moment, so a busy-wait for a click does not burn a core.
constexpr int empty_peeks_before_nap = 200;
constexpr int nap_ms = 5;

struct SdlWindow {
    SDL_Window* window = nullptr;
    SDL_Surface* pixels = nullptr;  // wraps the Win32 window's Surface, no copy
};

std::uint64_t now_ms() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

[[noreturn]] void no_display(const char* reason) {
    std::fprintf(stderr, "zorgraphics: cannot open a display (SDL: %s); set ZG_DISPLAY=headless to run without one\n",
                 reason);
    std::exit(1);
}

bool has_environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// SDL falls back to its offscreen driver when no display server answers, and the Wayland client
// library complains on stderr while SDL probes; a program must rather be told at once, in one
// line. So on Linux, without any display variable (and no driver forced by SDL_VIDEODRIVER),
// SDL is not even tried; and an offscreen or dummy driver SDL picked by itself counts as none.
void require_display_server() {
#ifdef __linux__
    if (has_environment("SDL_VIDEODRIVER")) return;
    if (!has_environment("DISPLAY") && !has_environment("WAYLAND_DISPLAY")) no_display("no DISPLAY or WAYLAND_DISPLAY");
#endif
}

void reject_headless_drivers() {
    if (has_environment("SDL_VIDEODRIVER")) return;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)
        no_display("no video device");
}

SdlWindow* native(Window& window) { return static_cast<SdlWindow*>(window.native); }

POINT client_origin(Window& window) {
    RECT insets = nonclient_insets(window.style);
    return {window.frame.left + insets.left, window.frame.top + insets.top};
}

class SdlDisplay final : public Display {
public:
    ~SdlDisplay() override {
        if (m_started) SDL_Quit();
    }

    SIZE screen_size() const override {
        const_cast<SdlDisplay*>(this)->start();
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {1280, 1024};
        return {mode.w, mode.h};
    }

    void open_window(Window& window) override {
        start();
        auto* sdl = new SdlWindow();
        POINT origin = client_origin(window);
        sdl->window = SDL_CreateWindow(window.caption.c_str(), origin.x, origin.y, std::max(window.surface.width(), 1),
                                       std::max(window.surface.height(), 1), SDL_WINDOW_HIDDEN);
        if (sdl->window == nullptr) no_display(SDL_GetError());
        sdl->pixels =
            SDL_CreateRGBSurfaceWithFormatFrom(window.surface.data(), window.surface.width(), window.surface.height(),
                                               32, window.surface.stride() * 4, SDL_PIXELFORMAT_RGB888);
        window.native = sdl;
    }

    void close_window(Window& window) override {
        SdlWindow* sdl = native(window);
        if (sdl == nullptr) return;
        if (sdl->pixels) SDL_FreeSurface(sdl->pixels);
        SDL_DestroyWindow(sdl->window);
        delete sdl;
        window.native = nullptr;
    }

    void set_caption(Window& window) override {
        if (SdlWindow* sdl = native(window)) SDL_SetWindowTitle(sdl->window, window.caption.c_str());
    }

    void show_window(Window& window) override {
        SdlWindow* sdl = native(window);
        if (sdl == nullptr) return;
        if (!window.visible) return SDL_HideWindow(sdl->window);
        SDL_ShowWindow(sdl->window);
        window.surface.add_damage(window.surface.bounds());
        present(window);
    }

    void set_capture(Window* window) override { SDL_CaptureMouse(window ? SDL_TRUE : SDL_FALSE); }

    void poll() override {
        if (!m_started) return;
        std::uint64_t now = now_ms();
        if (now - m_last_pump < pump_interval_ms) return;
        m_last_pump = now;
        if (now - m_last_present >= present_interval_ms) present_all();
        SDL_Event event;
        while (SDL_PollEvent(&event)) translate(event);
    }

    int polls_before_idle() const override { return empty_peeks_before_nap; }

    void idle_poll() override {
        if (!m_started) return;
        present_all();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, nap_ms)) translate(event);
    }

    bool wait() override {
        reset_idle_count();
        if (!m_started || all_windows().empty()) return false;
        present_all();
        SDL_Event event;
        while (queue_empty() && !all_windows().empty()) {
            if (SDL_WaitEvent(&event)) translate(event);
            while (SDL_PollEvent(&event)) translate(event);
            present_all();
        }
        return true;
    }

    // A compositor would present while the program sleeps; here presenting runs on the
    // program's thread, so its time counts towards the sleep instead of lengthening it.
    void sleep(DWORD milliseconds) override {
        reset_idle_count();
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        if (m_started) present_all();
        std::this_thread::sleep_until(until);
    }

    DWORD tick_count() override { return static_cast<DWORD>(now_ms()); }

    int message_box(HWND owner, const char* text, const char* caption, UINT type) override {
        return message_box_utf8(owner, windows_1252_to_utf8(text), windows_1252_to_utf8(caption), type);
    }

    int message_box_utf8(HWND owner, const std::string& text, const std::string& caption, UINT type) override {
        Window* window = lookup_window(owner);
        SDL_Window* parent = window && native(*window) ? native(*window)->window : nullptr;
        Uint32 flags = (type & MB_ICONWARNING) != 0 ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
        if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), parent) != 0)
            std::fprintf(stderr, "zorgraphics: message box \"%s\": %s\n", caption.c_str(), text.c_str());
        return IDOK;
    }

    // One button per printer, as many as fit across a message box, default first, then Cancel.
    // Return presses the default printer, Escape cancels.
    int print_dialog(HWND owner, const std::vector<std::string>& printers) override {
        constexpr std::size_t most_buttons = 6;
        std::vector<std::string> labels;
        for (std::size_t i = 0; i < printers.size() && i < most_buttons; ++i)
            labels.push_back(windows_1252_to_utf8(printers[i].c_str()));
        std::vector<SDL_MessageBoxButtonData> buttons;
        for (std::size_t i = 0; i < labels.size(); ++i)
            buttons.push_back({i == 0 ? Uint32{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT} : Uint32{0},
                               static_cast<int>(i), labels[i].c_str()});
        buttons.push_back({SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, -1, "Cancel"});
        Window* window = lookup_window(owner);
        SDL_MessageBoxData data{};
        data.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
        data.window = window && native(*window) ? native(*window)->window : nullptr;
        data.title = "Print";
        data.message = "Choose a printer for the picture.";
        data.numbuttons = static_cast<int>(buttons.size());
        data.buttons = buttons.data();
        int chosen = -1;
        if (SDL_ShowMessageBox(&data, &chosen) != 0) {
            std::fprintf(stderr, "zorgraphics: print dialog: %s\n", SDL_GetError());
            return -1;
        }
        return chosen;
    }

private:
    void start() {
        if (m_started) return;
        require_display_server();
        // Before SDL opens the display: SDL chains to the handler it finds and puts it back
        // before it closes the display at exit, which is when an error about a window already
        // gone may still arrive.
        tolerate_gone_window_errors();
        if (SDL_Init(SDL_INIT_VIDEO) != 0) no_display(SDL_GetError());
        reject_headless_drivers();
        if (const char* driver = SDL_GetCurrentVideoDriver(); driver != nullptr && std::strcmp(driver, "x11") == 0)
            end_process_on_lost_connection();
        SDL_StartTextInput();
        m_started = true;
    }

    void present(Window& window) {
        SdlWindow* sdl = native(window);
        if (sdl == nullptr || sdl->pixels == nullptr || !window.visible) return;
        Rect damage = window.surface.take_damage();
        if (damage.empty()) return;
        SDL_Surface* screen = SDL_GetWindowSurface(sdl->window);
        if (screen == nullptr) return;
        SDL_Rect area{damage.left, damage.top, damage.width(), damage.height()};
        SDL_Rect target = area;
        SDL_BlitSurface(sdl->pixels, &area, screen, &target);
        SDL_UpdateWindowSurfaceRects(sdl->window, &area, 1);
    }

    void present_all() {
        m_last_present = now_ms();
        for (HWND hwnd : all_windows()) {
            if (Window* window = lookup_window(hwnd)) present(*window);
        }
    }

    HWND window_of(Uint32 id) {
        for (HWND hwnd : all_windows()) {
            Window* window = lookup_window(hwnd);
            SdlWindow* sdl = window ? native(*window) : nullptr;
            if (sdl != nullptr && SDL_GetWindowID(sdl->window) == id) return hwnd;
        }
        return nullptr;
    }

    void translate(const SDL_Event& event) {
        switch (event.type) {
        case SDL_WINDOWEVENT: window_event(event.window); break;
        case SDL_MOUSEMOTION: mouse(event.motion.windowID, WM_MOUSEMOVE, event.motion.x, event.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: button(event.button); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: key(event.key); break;
        case SDL_TEXTINPUT: text(event.text); break;
        case SDL_QUIT: close_all_windows(); break;
        default: break;
        }
    }

    // SDL turns SIGINT and SIGTERM into SDL_QUIT. Closing every window, as a user would, ends a
    // program the way its close boxes do (and a program waiting for a click stops waiting).
    static void close_all_windows() {
        for (HWND hwnd : all_windows()) post_message(hwnd, WM_CLOSE, 0, 0);
    }

    void window_event(const SDL_WindowEvent& event) {
        HWND hwnd = window_of(event.windowID);
        Window* window = lookup_window(hwnd);
        if (window == nullptr) return;
        if (event.event == SDL_WINDOWEVENT_CLOSE) post_message(hwnd, WM_CLOSE, 0, 0);
        if (event.event == SDL_WINDOWEVENT_EXPOSED) window->surface.add_damage(window->surface.bounds());
    }

    // The buttons as the events so far left them (SDL's live state runs ahead of a batch).
    WPARAM mouse_flags() const {
        SDL_Keymod mods = SDL_GetModState();
        WPARAM flags = m_buttons;
        if (mods & KMOD_SHIFT) flags |= MK_SHIFT;
        if (mods & KMOD_CTRL) flags |= MK_CONTROL;
        return flags;
    }

    // While captured, the captor gets the mouse in its own client coordinates, negative left of
    // and above it, packed as the low 16 bits as Windows packs them.
    void mouse(Uint32 window_id, UINT message, int x, int y) {
        HWND target = window_of(window_id);
        HWND captor = GetCapture();
        if (captor != nullptr && captor != target) {
            int global_x = 0, global_y = 0;
            SDL_GetGlobalMouseState(&global_x, &global_y);
            Window* window = lookup_window(captor);
            int left = 0, top = 0;
            SDL_GetWindowPosition(native(*window)->window, &left, &top);
            x = global_x - left;
            y = global_y - top;
            target = captor;
        }
        if (target == nullptr) return;
        post_message(target, message, mouse_flags(), MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
    }

    void button(const SDL_MouseButtonEvent& event) {
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        WPARAM flag = event.button == SDL_BUTTON_LEFT ? MK_LBUTTON : event.button == SDL_BUTTON_RIGHT ? MK_RBUTTON : 0;
        m_buttons = down ? (m_buttons | flag) : (m_buttons & ~flag);
        UINT message = 0;
        if (event.button == SDL_BUTTON_LEFT) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        if (event.button == SDL_BUTTON_RIGHT) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        if (event.button == SDL_BUTTON_MIDDLE) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        if (message != 0) mouse(event.windowID, message, event.x, event.y);
    }

    void key(const SDL_KeyboardEvent& event) {
        HWND hwnd = window_of(event.windowID);
        WPARAM vk = virtual_key(event.keysym);
        if (hwnd == nullptr || vk == 0) return;
        bool alt = (event.keysym.mod & KMOD_ALT) != 0;
        bool system = alt || vk == VK_F10 || vk == VK_MENU;
        bool down = event.type == SDL_KEYDOWN;
        unsigned char typed = down ? typed_char(event) : 0;
        LPARAM lparam = down ? key_lparam(typed, typed != 0) : (key_up_flags | 1);
        if (alt) lparam |= key_alt_flag;
        if (down && event.repeat) lparam |= LPARAM{1} << 30;
        UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        post_message(hwnd, message, vk, lparam);
    }

    // The character a key-down types: control keys by their code, text keys by the text event
    // SDL queues right behind the key-down (taken here so it is not posted twice).
    unsigned char typed_char(const SDL_KeyboardEvent& event) {
        if (event.type != SDL_KEYDOWN) return 0;
        unsigned char control = control_char(event.keysym.sym);
        if (control != 0) return control;
        if ((event.keysym.mod & KMOD_ALT) != 0) return alt_char(event.keysym.sym);
        if (!types_text(event.keysym.sym)) return 0;
        SDL_Event next;
        SDL_PumpEvents();
        if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return 0;
        if (next.type != SDL_TEXTINPUT) return 0;
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        std::string bytes = to_windows_1252(next.text.text);
        return bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
    }

    // Text without a key-down of its own (a dead key's accent, an input method): WM_CHAR at once.
    void text(const SDL_TextInputEvent& event) {
        HWND hwnd = window_of(event.windowID);
        if (hwnd == nullptr) return;
        for (char c : to_windows_1252(event.text)) post_message(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    bool m_started = false;
    std::uint64_t m_last_pump = 0;
    std::uint64_t m_last_present = 0;
    WPARAM m_buttons = 0;  // MK_LBUTTON | MK_RBUTTON as the events left them
};

}  // namespace

Display* make_sdl_display() { return new SdlDisplay(); }

}  // namespace zg
