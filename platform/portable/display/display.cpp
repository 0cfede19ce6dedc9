// Picks the process's display from ZG_DISPLAY on first use: "headless", or "sdl" (the default
// and what any other value means). The display lives until the process ends.
#include "display/display.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace zg {

Display& display() {
    static std::unique_ptr<Display> chosen = [] {
        const char* name = std::getenv("ZG_DISPLAY");
        if (name != nullptr && std::strcmp(name, "headless") == 0) return std::unique_ptr<Display>(make_headless_display());
        return std::unique_ptr<Display>(make_sdl_display());
    }();
    return *chosen;
}

}  // namespace zg
