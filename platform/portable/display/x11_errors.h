// X11 protocol errors under the SDL display.
#pragma once

namespace zg {

// Makes BadWindow errors harmless. SDL 2.26 wakes a program waiting for input by sending an
// event to its window (XSendEvent inside SDL_WaitEvent), which the server may handle after the
// window was destroyed; the error can then arrive when SDL closes the display at exit, after it
// put back the error handler it found at start-up, and Xlib's default handler would end the
// process with status 1. So this is installed before SDL starts, and SDL keeps it in place to the end. Every
// other error keeps Xlib's default handling. Installing it twice would chain it to itself.
void tolerate_gone_window_errors();

// Ends the process at once, with status 1 and one line on stderr, when the connection to the X
// server breaks (the server ended or was killed). Xlib's own handler calls exit(), which runs the
// program's static destructors with the display gone: a window's destructor then waits for a
// farewell click that can never come, and the process never ends.
void end_process_on_lost_connection();

}  // namespace zg
