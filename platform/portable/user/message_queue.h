// The thread's message queue: one FIFO of posted messages (input from the display arrives as
// posted messages too) plus the quit flag PostQuitMessage sets. The process has one thread
// that talks to windows, so there is one queue, kept here and nowhere else.
#pragma once

#include <platform/win32.h>

namespace zg {

enum class Removal : std::uint8_t { Keep, Remove };

void post_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// For the characters TranslateMessage posts: Windows hands out posted messages before input,
// so the character of a key-down comes before the key-up already waiting in the queue.
void post_message_first(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The first message matching the filters of PeekMessageA (hwnd: null for all, (HWND)-1 for
// thread messages only; min = max = 0 for all message numbers). A pending quit comes after
// every other matching message.
bool take_message(MSG& out, HWND filter, UINT min, UINT max, Removal removal);

bool queue_empty();
void post_quit(int exit_code);

// Drops the messages of a window that is being destroyed.
void discard_window_messages(HWND hwnd);

// Key-down messages from a display carry the typed character, so TranslateMessage can post it:
// bit 28 of lParam (reserved on Windows) says a character is attached, bits 16-23 hold its
// Windows-1252 byte.
constexpr LPARAM key_char_flag = LPARAM{1} << 28;
constexpr LPARAM key_alt_flag = LPARAM{1} << 29;  // context code: Alt was down
constexpr LPARAM key_up_flags = (LPARAM{1} << 30) | (LPARAM{1} << 31);
LPARAM key_lparam(unsigned char typed, bool has_char);
constexpr LPARAM without_char(LPARAM lparam) { return lparam & ~(key_char_flag | (LPARAM{0xFF} << 16)); }

}  // namespace zg
