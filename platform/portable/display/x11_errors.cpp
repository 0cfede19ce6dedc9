// See x11_errors.h.
#include "display/x11_errors.h"

#include <X11/Xlib.h>

namespace zg {
namespace {

XErrorHandler default_handler = nullptr;

int handle_error(Display* display, XErrorEvent* event) {
    if (event->error_code == BadWindow) return 0;
    return default_handler != nullptr ? default_handler(display, event) : 0;
}

}  // namespace

void tolerate_gone_window_errors() {
    XErrorHandler previous = XSetErrorHandler(handle_error);
    if (previous != handle_error) default_handler = previous;
}

}  // namespace zg
