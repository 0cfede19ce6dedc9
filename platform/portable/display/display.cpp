// The table of displays, the choice of one from ZG_DISPLAY, and the one place that tells a
// program polling for input from a busy one.
//
// Idle detection: an empty PeekMessageA is waiting only if nothing happened since the previous
// one. "Nothing" means no pixel written on a window (window_surface_writes) and no GDI call made
// (activity.h: every call on a DC or a GDI object notes itself). So a loop of GetPixel calls,
// which draws nothing but works, never counts as waiting.
#include "display/display.h"

#include "activity.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace zg {
namespace {

// Every display the portable platform has; the first is the default.
constexpr std::array<DisplayEntry, 2> displays{{
    {"sdl", make_sdl_display},
    {"headless", make_headless_display},
}};

struct IdleCount {
    std::uint64_t seen_work = 0;
    int empty_polls = 0;
};

IdleCount& idle_count() {
    static IdleCount count;
    return count;
}

std::uint64_t work_done() { return window_surface_writes() + activity(); }

Display* create_chosen() {
    const char* name = std::getenv("ZG_DISPLAY");
    std::string accepted;
    const DisplayEntry* entry = find_display(name, &accepted);
    if (entry != nullptr) return entry->create();
    std::fprintf(stderr, "zorgraphics: ZG_DISPLAY=%s is not a display; accepted values: %s\n", name, accepted.c_str());
    std::exit(2);
}

}  // namespace

const DisplayEntry* find_display(const char* name, std::string* accepted) {
    if (accepted != nullptr) {
        accepted->clear();
        for (const DisplayEntry& entry : displays)
            *accepted += (accepted->empty() ? "" : ", ") + std::string(entry.name);
    }
    if (name == nullptr || name[0] == '\0') return &displays.front();
    for (const DisplayEntry& entry : displays) {
        if (std::strcmp(entry.name, name) == 0) return &entry;
    }
    return nullptr;
}

Display& display() {
    static std::unique_ptr<Display> chosen(create_chosen());
    return *chosen;
}

void note_empty_peek() {
    IdleCount& count = idle_count();
    const std::uint64_t work = work_done();
    if (work != count.seen_work) {
        count.seen_work = work;
        count.empty_polls = 0;
        return;
    }
    Display& chosen = display();
    if (++count.empty_polls < chosen.polls_before_idle()) return;
    count.empty_polls = 0;
    chosen.idle_poll();
}

void reset_idle_count() { idle_count().empty_polls = 0; }

}  // namespace zg
