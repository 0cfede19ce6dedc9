// The headless display: windows in memory, a virtual clock, input from ZG_SCRIPT.
//
// Time is virtual, counted in microseconds: Sleep advances the clock at once, every look at the
// queue costs poll_cost_us (so a program that never sleeps still moves the clock and meets its
// scripted events), and a program that waits (WaitMessage, GetMessage, or PeekMessageA again and
// again with nothing to take) moves it on to the next scripted event.
//
// Script times count from the moment the program, with a window open, first lets time pass:
// its first Sleep or wait, or for one that does neither, its first millisecond of polling. So
// an event at 0 reaches a program that is ready for it, not the polls a window's own setting-up
// makes before the program can take input. Events fire in file order when the program next
// looks at its queue. With the script used up, a waiting program sees its windows closed as a
// user would close them, and once none is left waits end: nothing here ever blocks.
//
// Dialogs and message boxes take their answer from the script: the next event, when it is an
// answer (choose PRINTER, cancel, ok). Events stop in front of an answer until a dialog takes
// it; a program that waits with an answer pending has no dialog coming, so the answer is dropped
// with a note. A print dialog without an answer is cancelled; a message box has only OK.
//
// A snapshot that cannot be written is reported with its script line at once, and the process
// then ends with status 2 instead of the program's own, so a test run cannot miss it.
#include "display/display.h"
#include "display/png_writer.h"
#include "display/script.h"
#include "user/message_queue.h"

#include <cstdio>
#include <cstdlib>

namespace zg {
namespace {

// Empty polls in a row (with no Sleep and no other work between) that count as waiting for input.
constexpr int empty_peeks_before_wait = 1000;
constexpr SIZE virtual_screen{1280, 1024};
constexpr std::uint64_t us_per_ms = 1000;
constexpr std::uint64_t poll_cost_us = 1;
constexpr std::uint64_t start_after_polling_us = 1000;
constexpr int snapshot_failure_status = 2;

struct Script {
    std::string name;
    std::vector<ScriptEvent> events;
};

Script load_script() {
    const char* path = std::getenv("ZG_SCRIPT");
    if (path == nullptr || path[0] == '\0') return {};
    ParsedScript parsed = load_script_file(path);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zorgraphics: ZG_SCRIPT %s\n", parsed.error.c_str());
        std::exit(2);
    }
    return {path, std::move(parsed.events)};
}

// Runs at exit once a snapshot failed; flushes what the program wrote, then ends with the
// failure status in place of the program's.
void exit_with_snapshot_failure() {
    std::fflush(nullptr);
    std::_Exit(snapshot_failure_status);
}

LPARAM pack_point(int x, int y) { return MAKELPARAM(static_cast<short>(x), static_cast<short>(y)); }

class HeadlessDisplay final : public Display {
public:
    HeadlessDisplay() : m_script(load_script()) {}
    // The display lives until after the program's last window: what is left of the script then
    // never happened. A snapshot among it would otherwise leave no file and no word.
    ~HeadlessDisplay() override { report_skipped_snapshots(); }
    HeadlessDisplay(const HeadlessDisplay&) = delete;
    HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

    SIZE screen_size() const override { return virtual_screen; }

    void open_window(Window&) override {
        if (!m_opened) m_opened_at = m_clock;
        m_opened = true;
    }
    void close_window(Window&) override {}
    void set_caption(Window&) override {}
    void show_window(Window&) override {}
    void set_capture(Window*) override {}

    void poll() override {
        m_clock += poll_cost_us;
        if (m_opened && m_clock - m_opened_at >= start_after_polling_us) start_script();
        fire_due();
    }

    int polls_before_idle() const override { return empty_peeks_before_wait; }
    void idle_poll() override { wait(); }

    bool wait() override {
        reset_idle_count();
        start_script();
        while (m_next < m_script.events.size() && is_answer(m_script.events[m_next].action)) {
            std::fprintf(stderr, "zorgraphics: ZG_SCRIPT line %d: no dialog to answer\n", m_script.events[m_next].line);
            ++m_next;
        }
        if (m_running && m_next < m_script.events.size()) {
            m_clock = std::max(m_clock, due_time(m_script.events[m_next]));
            fire_due();
            return true;
        }
        return close_all_windows();
    }

    void sleep(DWORD milliseconds) override {
        start_script();
        m_clock += std::uint64_t{milliseconds} * us_per_ms;
        reset_idle_count();
    }
    DWORD tick_count() override { return static_cast<DWORD>(m_clock / us_per_ms); }

    int message_box(HWND owner, const char* text, const char* caption, UINT type) override {
        return message_box_utf8(owner, windows_1252_to_utf8(text), windows_1252_to_utf8(caption), type);
    }

    int message_box_utf8(HWND, const std::string& text, const std::string& caption, UINT) override {
        std::fprintf(stderr, "zorgraphics: message box \"%s\": %s\n", caption.c_str(), text.c_str());
        take_answer(ScriptAction::Ok);
        return IDOK;
    }

    int print_dialog(HWND, const std::vector<std::string>& printers) override {
        const ScriptEvent* answer = take_answer(ScriptAction::Choose);
        if (answer == nullptr) answer = take_answer(ScriptAction::Cancel);
        if (answer == nullptr) {
            std::fprintf(stderr, "zorgraphics: print dialog: no answer in the script, cancelled\n");
            return -1;
        }
        if (answer->action == ScriptAction::Cancel) return -1;
        for (std::size_t i = 0; i < printers.size(); ++i) {
            if (printers[i] == answer->text) return static_cast<int>(i);
        }
        std::fprintf(stderr, "zorgraphics: print dialog: no printer \"%s\", cancelled\n", answer->text.c_str());
        return -1;
    }

private:
    // The next event when it is an answer of this kind: taken, with the clock moved to its time.
    const ScriptEvent* take_answer(ScriptAction action) {
        start_script();
        if (m_next == m_script.events.size() || m_script.events[m_next].action != action) return nullptr;
        const ScriptEvent& event = m_script.events[m_next++];
        m_clock = std::max(m_clock, due_time(event));
        return &event;
    }

    void start_script() {
        if (!m_opened || m_running) return;
        m_running = true;
        m_origin = m_clock;
    }

    std::uint64_t due_time(const ScriptEvent& event) const { return m_origin + event.time * us_per_ms; }

    void fire_due() {
        if (!m_running) return;
        while (m_next < m_script.events.size() && !is_answer(m_script.events[m_next].action) &&
               due_time(m_script.events[m_next]) <= m_clock)
            fire(m_script.events[m_next++]);
    }

    bool close_all_windows() {
        std::vector<HWND> windows = all_windows();
        for (HWND hwnd : windows) post_message(hwnd, WM_CLOSE, 0, 0);
        return !windows.empty();
    }

    void fire(const ScriptEvent& event) {
        switch (event.action) {
        case ScriptAction::Move: mouse(WM_MOUSEMOVE, event.x, event.y); break;
        case ScriptAction::Press: press(event); break;
        case ScriptAction::Release: release(event); break;
        case ScriptAction::Click: press(event), release(event); break;
        case ScriptAction::Key: key(event.key); break;
        case ScriptAction::Type: type(event.text); break;
        case ScriptAction::Snapshot: snapshot(event); break;
        case ScriptAction::Close: close_first(); break;
        case ScriptAction::Choose:
        case ScriptAction::Cancel:
        case ScriptAction::Ok: break;  // answers are taken by dialogs, never fired
        }
    }

    static UINT button_flag(MouseSide side) { return side == MouseSide::Left ? MK_LBUTTON : MK_RBUTTON; }

    void press(const ScriptEvent& event) {
        m_buttons |= button_flag(event.button);
        mouse(event.button == MouseSide::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, event.x, event.y);
    }

    void release(const ScriptEvent& event) {
        m_buttons &= ~button_flag(event.button);
        mouse(event.button == MouseSide::Left ? WM_LBUTTONUP : WM_RBUTTONUP, event.x, event.y);
    }

    // (x, y) is in the first window's client area; a captured window gets it in its own.
    void mouse(UINT message, int x, int y) {
        std::vector<HWND> windows = all_windows();
        if (windows.empty()) return;
        HWND target = windows.front();
        HWND captor = GetCapture();
        if (captor != nullptr && captor != target) {
            POINT offset = client_origin(target), captor_origin = client_origin(captor);
            x += offset.x - captor_origin.x;
            y += offset.y - captor_origin.y;
            target = captor;
        }
        SIZE size = client_size(target);
        bool inside = x >= 0 && y >= 0 && x < size.cx && y < size.cy;
        if (!inside && captor == nullptr) return;
        post_message(target, message, m_buttons, pack_point(x, y));
    }

    static POINT client_origin(HWND hwnd) {
        Window* window = lookup_window(hwnd);
        if (window == nullptr) return {0, 0};
        RECT insets = nonclient_insets(window->style);
        return {window->frame.left + insets.left, window->frame.top + insets.top};
    }

    void key(const ScriptKey& key) {
        std::vector<HWND> windows = all_windows();
        if (windows.empty()) return;
        LPARAM lparam = key_lparam(key.typed, key.typed != 0) | (key.alt ? key_alt_flag : 0);
        post_message(windows.front(), key.system ? WM_SYSKEYDOWN : WM_KEYDOWN, key.vk, lparam);
        LPARAM up = without_char(lparam) | key_up_flags;
        post_message(windows.front(), key.system ? WM_SYSKEYUP : WM_KEYUP, key.vk, up);
    }

    void type(const std::string& text) {
        for (char c : text) key(key_for_char(static_cast<unsigned char>(c)));
    }

    void snapshot(const ScriptEvent& event) {
        std::vector<HWND> windows = all_windows();
        Window* window = windows.empty() ? nullptr : lookup_window(windows.front());
        std::string failure = window == nullptr ? "no window is open" : write_png(window->surface, event.text);
        if (failure.empty()) return;
        std::fprintf(stderr, "zorgraphics: %s:%d: snapshot %s not written: %s\n", m_script.name.c_str(), event.line,
                     quote_for_message(event.text).c_str(), failure.c_str());
        if (!m_snapshot_failed) std::atexit(exit_with_snapshot_failure);
        m_snapshot_failed = true;
    }

    void report_skipped_snapshots() const {
        const std::uint64_t ended = m_running ? (m_clock - m_origin) / us_per_ms : 0;
        for (std::size_t i = m_next; i < m_script.events.size(); ++i) {
            const ScriptEvent& event = m_script.events[i];
            if (event.action != ScriptAction::Snapshot) continue;
            std::fprintf(stderr,
                         "zorgraphics: %s:%d: snapshot %s skipped: the program ended before it was taken (script "
                         "time %llu ms, the snapshot's %llu ms)\n",
                         m_script.name.c_str(), event.line, quote_for_message(event.text).c_str(),
                         static_cast<unsigned long long>(ended), static_cast<unsigned long long>(event.time));
        }
    }

    void close_first() {
        std::vector<HWND> windows = all_windows();
        if (!windows.empty()) post_message(windows.front(), WM_CLOSE, 0, 0);
    }

    Script m_script;
    std::size_t m_next = 0;
    std::uint64_t m_clock = 0;      // virtual microseconds
    std::uint64_t m_opened_at = 0;  // when the first window opened
    std::uint64_t m_origin = 0;     // script time 0
    bool m_opened = false;
    bool m_running = false;  // the script's clock has started
    bool m_snapshot_failed = false;
    WPARAM m_buttons = 0;
};

}  // namespace

Display* make_headless_display() { return new HeadlessDisplay(); }

}  // namespace zg
