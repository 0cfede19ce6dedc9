// X11 protocol errors under the SDL display.
#pragma once

namespace zg {

// Makes BadWindow errors harmless. SDL 2.26 may still send an event to an X window that it has
// just destroyed (seen at exit, after the last window went), and Xlib's default handler ends
// the process with status 1 for it. Every other error keeps Xlib's default handling.
void tolerate_gone_window_errors();

// Ends the process at once, with status 1 and one line on stderr, when the connection to the X
// server breaks (the server ended or was killed). Xlib's own handler calls exit(), which runs the
// program's static destructors with the display gone: a window's destructor then waits for a
// farewell click that can never come, and the process never ends.
void end_process_on_lost_connection();

}  // namespace zg
