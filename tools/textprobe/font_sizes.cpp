// font_sizes: asks the library for N font sizes, drawing a string in each, and prints the
// peak resident size, the measure of how much the text module keeps per font.
//
// Usage: ZG_DISPLAY=headless font_sizes [N]     (N defaults to 10000; sizes 1 to N)
#include <graphics/window.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    if (count <= 0 || count > 1000000) {
        std::fprintf(stderr, "usage: font_sizes [N]   (1 <= N <= 1000000)\n");
        return 2;
    }
    window w(300, 200, 0, 0);
    for (long size = 1; size <= count; ++size) {
        w.SetFont(static_cast<int>(size), PLAIN, SWISS);
        w.DrawString(10, 10, "abc");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("font_sizes: %ld sizes, peak resident %ld kB\n", count, usage.ru_maxrss);
    return 0;
}
