// See x11_errors.h.
#include "display/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace zg {
namespace {

XErrorHandler default_handler = nullptr;

int handle_error(Display* display, XErrorEvent* event) {
    if (event->error_code == BadWindow) return 0;
    return default_handler != nullptr ? default_handler(display, event) : 0;
}

// Xlib ends the process itself if this returns; it does not, so that no destructor runs and no
// further X call fails into this handler again. The C streams are flushed, as exit() would.
[[noreturn]] int handle_lost_connection(Display*) {
    std::fflush(nullptr);
    std::fputs("zorgraphics: the connection to the display was lost; the program ends\n", stderr);
    std::_Exit(1);
}

}  // namespace

void end_process_on_lost_connection() { XSetIOErrorHandler(handle_lost_connection); }

void tolerate_gone_window_errors() {
    XErrorHandler previous = XSetErrorHandler(handle_error);
    if (previous != handle_error) default_handler = previous;
}

}  // namespace zg
