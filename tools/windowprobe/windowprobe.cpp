// windowprobe: one library window, as a beginner's program makes it, for the end-to-end test
// and the idle-CPU measurement. It opens a 1000 x 700 window captioned "Zorgraphics window
// probe", prints "ready", then waits for COUNT clicks (default 1) and prints each as
// "<type> <x> <y>"; leaving main destroys the window, which prints the farewell prompt and waits
// for one more click. Output is flushed line by line: a driving script reads it while we wait.
// Usage: windowprobe [COUNT]
#include <graphics/window.h>

#include "tool_args.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* click_name(ClickType type) {
    switch (type) {
    case LEFT_CLICK: return "LEFT_CLICK";
    case RIGHT_CLICK: return "RIGHT_CLICK";
    case NO_CLICK: return "NO_CLICK";
    }
    return "UNKNOWN_CLICK";
}

void say(const char* line) {
    std::puts(line);
    std::fflush(stdout);
}

int click_count(int argc, char** argv) {
    if (argc < 2) return 1;
    const int count = std::atoi(argv[1]);
    return count > 0 ? count : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::optional<int> status = tools::answer_help(argc, argv, "windowprobe [COUNT]")) return *status;
    const int count = click_count(argc, argv);
    window probe(1000, 700, CW_USEDEFAULT, 0);
    probe.SetTitle("Zorgraphics window probe");
    say("ready");
    for (int i = 0; i < count; ++i) {
        int x = 0;
        int y = 0;
        const ClickType type = probe.WaitForMouseClick(x, y);
        std::printf("%s %d %d\n", click_name(type), x, y);
        std::fflush(stdout);
    }
    return 0;
}
