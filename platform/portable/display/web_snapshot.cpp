// A script's snapshot on the web: the window's canvas is what the user sees, so the canvas is
// brought up to date with the surface and its pixels are kept in the page under the snapshot's
// name; the tests read them there and compare them with the native build's PNG files.
#include "display/png_writer.h"
#include "display/web_page.h"
#include "user/window.h"

#include <vector>

namespace zg {

std::string write_png(const Surface& surface, const std::string& path) {
    for (HWND hwnd : all_windows()) {
        Window* window = lookup_window(hwnd);
        if (window == nullptr || &window->surface != &surface) continue;
        std::vector<std::uint32_t> rgba;
        rgba.reserve(static_cast<std::size_t>(surface.width()) * static_cast<std::size_t>(surface.height()));
        for (int y = 0; y < surface.height(); ++y) {
            const std::uint32_t* row = surface.row(y);
            for (int x = 0; x < surface.width(); ++x)
                rgba.push_back(0xFF000000u | ((row[x] & 0xFFu) << 16) | (row[x] & 0xFF00u) | ((row[x] >> 16) & 0xFFu));
        }
        const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(hwnd));
        web_present(id, rgba.data(), 0, 0, surface.width(), surface.height());
        web_keep_snapshot(id, path.c_str());
        return {};
    }
    return "no window shows this picture";
}

}  // namespace zg
