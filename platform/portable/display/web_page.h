// The page side of the web display (defined in web_display.cpp): calls into web/zorgraphics.js, which keeps one canvas per
// window, the queue of browser events and the dialogs. Windows are named by their handle's value.
#pragma once

#include <cstdint>

extern "C" {

int web_screen_width();
int web_screen_height();
double web_now_ms();
// False before main has begun (static constructors): nothing may yield then.
int web_yield_allowed();

void web_open_window(int id, int width, int height, const char* caption);
void web_close_window(int id);
void web_set_caption(int id, const char* caption);
void web_show_window(int id, int visible);
void web_set_capture(int id);  // 0 releases
// Copies width x height RGBA pixels into the window's canvas at (left, top).
void web_present(int id, const std::uint32_t* rgba, int left, int top, int width, int height);
// Keeps the canvas's pixels in the page under `name` (a script's snapshot).
void web_keep_snapshot(int id, const char* name);

// The length of one frame: the program's work between two sleeps.
void web_note_frame(double milliseconds);

// The next queued browser event as six integers (web_display.cpp reads them); 0 when none.
int web_next_event(int* event);
// Yields to the browser until an event is queued (or a moment has passed).
void web_wait_for_event();

// The in-page dialogs; both yield until the user answers.
void web_message_box(const char* text, const char* caption, int warning);
// `printers` one name a line, default first: the index chosen, or -1 for Cancel.
int web_print_dialog(const char* printers);

// A picture of a printed page: width x height RGBA pixels stretched over the rectangle at
// (left, top) of to_width x to_height device pixels, on a page of page_width x page_height.
void web_print_picture(const std::uint32_t* rgba, int width, int height, int left, int top, int to_width, int to_height,
                       int page_width, int page_height);
// The pictures so far make one page.
void web_print_page_end();
// The pages so far go to the browser's print dialog.
void web_print_document(const char* title);

}  // extern "C"
