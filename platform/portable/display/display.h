// Where windows appear: one small set of operations that every display backend fills, picked
// once per process by ZG_DISPLAY from the table in display.cpp (each entry a name and a create
// function, "sdl" first and the default), as SDL picks its video driver. The message functions
// call the display to gather input and to wait; the display posts what it learns as ordinary
// messages into the thread's queue (user/message_queue.h).
//
// Whether a program that keeps finding its queue empty is waiting or busy is decided once, here
// (note_empty_peek), not by each backend: a backend only says how many empty polls in a row it
// takes and what it does then (idle_poll).
#pragma once

#include "text/cp1252.h"

#include <platform/win32.h>

#include "user/window.h"

#include <string>
#include <vector>

namespace zg {

class Display {
public:
    virtual ~Display() = default;

    virtual SIZE screen_size() const = 0;

    // A new window: make its native side (the display may exit the process if it cannot).
    virtual void open_window(Window& window) = 0;
    virtual void close_window(Window& window) = 0;
    virtual void set_caption(Window& window) = 0;
    virtual void show_window(Window& window) = 0;
    virtual void set_capture(Window* window) = 0;  // null releases

    // Cheap: move input that has arrived into the queue. Called by every PeekMessageA.
    virtual void poll() = 0;
    // Empty polls in a row, with no other work between them, after which the program counts
    // as waiting for input by polling.
    virtual int polls_before_idle() const = 0;
    // The program is waiting by polling (note_empty_peek decided so).
    virtual void idle_poll() = 0;
    // Block until input may be there. Returns false when no input can ever come again.
    virtual bool wait() = 0;

    virtual void sleep(DWORD milliseconds) = 0;
    virtual DWORD tick_count() = 0;
    // Texts in Windows-1252 (MessageBoxA).
    virtual int message_box(HWND owner, const char* text, const char* caption, UINT type) = 0;
    // Texts in UTF-8 (MessageBoxW). A display that shows only Windows-1252 gets them converted,
    // '?' for what that code page lacks.
    virtual int message_box_utf8(HWND owner, const std::string& text, const std::string& caption, UINT type) {
        return message_box(owner, to_windows_1252(text).c_str(), to_windows_1252(caption).c_str(), type);
    }
    // The modal print dialog: the index of the chosen printer (the first is the default), or -1
    // when the user cancelled.
    virtual int print_dialog(HWND owner, const std::vector<std::string>& printers) = 0;
};

// The process's display, created on first use from ZG_DISPLAY; an unknown name ends the
// process with a message naming the accepted ones.
Display& display();

// One backend: the name ZG_DISPLAY gives it and how to make it.
struct DisplayEntry {
    const char* name;
    Display* (*create)();
};

// The backend of a ZG_DISPLAY value (exact, case-sensitive; null or empty means the first
// entry); null for an unknown name. `accepted` receives the names, "a, b" (for messages).
const DisplayEntry* find_display(const char* name, std::string* accepted = nullptr);

// PeekMessageA found nothing. Counts the empty polls in a row with nothing drawn and no GDI
// object used since the previous one; at the display's polls_before_idle() it calls idle_poll().
void note_empty_peek();
// The program let time pass (Sleep) or blocked: any count of empty polls starts again.
void reset_idle_count();

// Backends (one file each).
Display* make_headless_display();
Display* make_sdl_display();
Display* make_web_display();

}  // namespace zg
