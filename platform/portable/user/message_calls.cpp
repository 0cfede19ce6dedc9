// Getting, translating, dispatching, sending and posting messages, and the default window
// procedure.
//
// TranslateMessage posts WM_CHAR (WM_SYSCHAR for Alt combinations) after a key-down that
// types a character: the character a display attached to the key-down (message_queue.h), or
// for a key-down posted by a program, the character the key types without modifiers (Windows
// reads the live keyboard state there, in which no modifier is down).
#include "display/display.h"
#include "text/utf16.h"
#include "user/message_queue.h"
#include "user/window.h"
#include "memory_guard.h"

namespace zg {
namespace {

const HWND thread_only = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));

// The character of a key-down without an attached one; 0 for keys that type nothing.
int unmodified_char(WPARAM vk) {
    switch (vk) {
    case VK_ESCAPE: return 27;
    case VK_RETURN: return 13;
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_SPACE: return ' ';
    default: break;
    }
    if (vk >= 'A' && vk <= 'Z') return static_cast<int>(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') return static_cast<int>(vk);
    return 0;
}

int typed_char(const MSG& msg) {
    if ((msg.lParam & key_char_flag) != 0) return static_cast<int>((msg.lParam >> 16) & 0xFF);
    return unmodified_char(msg.wParam);
}

bool is_key_message(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

LRESULT default_syskey(HWND hwnd, WPARAM vk, LPARAM lparam) {
    if (vk == VK_F4 && (lparam & key_alt_flag) != 0) SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

LRESULT default_settext(HWND hwnd, LPARAM lparam) {
    Window* window = lookup_window(hwnd);
    if (window == nullptr) return FALSE;
    const char* text = reinterpret_cast<const char*>(lparam);
    window->text = text ? text : "";
    window->caption = windows_1252_to_utf8(window->text);
    display().set_caption(*window);
    return TRUE;
}

// The UTF-16 caption kept whole for the display; the "A" calls read it in Windows-1252.
LRESULT default_settext_wide(HWND hwnd, LPARAM lparam) {
    Window* window = lookup_window(hwnd);
    if (window == nullptr) return FALSE;
    window->caption = utf16_to_utf8(zero_ended(reinterpret_cast<LPCWSTR>(lparam)));
    window->text = to_windows_1252(window->caption);
    display().set_caption(*window);
    return TRUE;
}

}  // namespace
}  // namespace zg

extern "C" {

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        if (lpMsg == nullptr) return FALSE;
        zg::Display& display = zg::display();
        display.poll();
        zg::Removal removal = (wRemoveMsg & PM_REMOVE) != 0 ? zg::Removal::Remove : zg::Removal::Keep;
        if (zg::take_message(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, removal)) return TRUE;
        zg::note_empty_peek();
        return FALSE;
    });
}

// When the display says nothing can ever arrive (headless, script done, windows gone), a
// quit message ends the wait instead of blocking for ever.
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    return zg::within_memory(-1, [&]() -> BOOL {
        if (lpMsg == nullptr) return -1;
        if (hWnd != nullptr && hWnd != zg::thread_only && zg::lookup_window(hWnd) == nullptr) return -1;
        zg::Display& display = zg::display();
        for (;;) {
            display.poll();
            if (zg::take_message(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, zg::Removal::Remove))
                return lpMsg->message == WM_QUIT ? FALSE : TRUE;
            if (!display.wait()) break;
        }
        *lpMsg = MSG{nullptr, WM_QUIT, 0, 0, GetTickCount(), {0, 0}};
        return FALSE;
    });
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (lpMsg == nullptr || !zg::is_key_message(lpMsg->message)) return FALSE;
    if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN) return TRUE;
    int typed = zg::typed_char(*lpMsg);
    if (typed == 0) return TRUE;
    UINT char_message = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    zg::post_message_first(lpMsg->hwnd, char_message, static_cast<WPARAM>(typed), zg::without_char(lpMsg->lParam));
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr) return 0;
    return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_SETTEXT: return zg::default_settext(hWnd, lParam);
    case WM_SYSKEYDOWN: return zg::default_syskey(hWnd, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    default: return 0;
    }
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (Msg == WM_SETTEXT) return zg::default_settext_wide(hWnd, lParam);
    return DefWindowProcA(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    zg::Window* window = zg::lookup_window(hWnd);
    if (window == nullptr || window->procedure == nullptr) return 0;
    return window->procedure(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        if (hWnd != nullptr && zg::lookup_window(hWnd) == nullptr) return FALSE;
        zg::post_message(hWnd, Msg, wParam, lParam);
        return TRUE;
    });
}

void WINAPI PostQuitMessage(int nExitCode) { zg::post_quit(nExitCode); }

BOOL WINAPI WaitMessage(void) {
    zg::Display& display = zg::display();
    display.poll();
    if (!zg::queue_empty()) return TRUE;
    display.wait();
    return TRUE;
}

}  // extern "C"
