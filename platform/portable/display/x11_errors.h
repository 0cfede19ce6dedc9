// X11 protocol errors under the SDL display.
#pragma once

namespace zg {

// Makes BadWindow errors harmless. SDL 2.26 may still send an event to an X window that it has
// just destroyed (seen at exit, after the last window went), and Xlib's default handler ends
// the process with status 1 for it. Every other error keeps Xlib's default handling.
void tolerate_gone_window_errors();

}  // namespace zg
