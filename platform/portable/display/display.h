// Where windows appear: one small table of operations that every display backend fills, picked
// once per process by ZG_DISPLAY ("sdl", the default, or "headless"), as SDL picks its video
// driver. The message functions call the display to gather input and to wait; the display posts
// what it learns as ordinary messages into the thread's queue (user/message_queue.h).
#pragma once

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
    // PeekMessageA found nothing: a program that keeps doing so is waiting by polling.
    virtual void note_empty_peek() = 0;
    // Block until input may be there. Returns false when no input can ever come again.
    virtual bool wait() = 0;

    virtual void sleep(DWORD milliseconds) = 0;
    virtual DWORD tick_count() = 0;
    virtual int message_box(HWND owner, const char* text, const char* caption, UINT type) = 0;
    // The modal print dialog: the index of the chosen printer (the first is the default), or -1
    // when the user cancelled.
    virtual int print_dialog(HWND owner, const std::vector<std::string>& printers) = 0;
};

// The process's display, created on first use from ZG_DISPLAY.
Display& display();

// Backends (one file each).
Display* make_headless_display();
Display* make_sdl_display();

}  // namespace zg
