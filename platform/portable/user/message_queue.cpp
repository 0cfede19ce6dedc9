// The thread's message queue; see message_queue.h.
#include "user/message_queue.h"

#include <deque>

namespace zg {
namespace {

struct Queue {
    std::deque<MSG> messages;
    bool quit_pending = false;
    int quit_code = 0;
};

Queue& queue() {
    static Queue q;
    return q;
}

const HWND thread_only = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));

bool matches(const MSG& msg, HWND filter, UINT min, UINT max) {
    if (filter == thread_only && msg.hwnd != nullptr) return false;
    if (filter != nullptr && filter != thread_only && msg.hwnd != filter) return false;
    if (min == 0 && max == 0) return true;
    return msg.message >= min && msg.message <= max;
}

bool take_quit(MSG& out, Removal removal) {
    Queue& q = queue();
    if (!q.quit_pending) return false;
    out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0, GetTickCount(), {0, 0}};
    if (removal == Removal::Remove) q.quit_pending = false;
    return true;
}

}  // namespace

void post_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    queue().messages.push_back(MSG{hwnd, message, wparam, lparam, GetTickCount(), {0, 0}});
}

void post_message_first(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    queue().messages.push_front(MSG{hwnd, message, wparam, lparam, GetTickCount(), {0, 0}});
}

bool take_message(MSG& out, HWND filter, UINT min, UINT max, Removal removal) {
    auto& messages = queue().messages;
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        if (!matches(*it, filter, min, max)) continue;
        out = *it;
        if (removal == Removal::Remove) messages.erase(it);
        return true;
    }
    return take_quit(out, removal);
}

bool queue_empty() { return queue().messages.empty() && !queue().quit_pending; }

void post_quit(int exit_code) {
    queue().quit_pending = true;
    queue().quit_code = exit_code;
}

void discard_window_messages(HWND hwnd) {
    std::erase_if(queue().messages, [hwnd](const MSG& msg) { return msg.hwnd == hwnd; });
}

LPARAM key_lparam(unsigned char typed, bool has_char) {
    LPARAM lparam = 1;  // repeat count
    if (has_char) lparam |= key_char_flag | (static_cast<LPARAM>(typed) << 16);
    return lparam;
}

}  // namespace zg
