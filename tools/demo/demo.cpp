// gyroscope_demo [FRAMES]: the gyroscope turning on its post, without the panel or title band.
//
// Each frame is the simulator's own: sleep 100 ms, wipe the drawing area, draw the post, take one
// motion step while the cursor rests over the drawing area, draw the figure. It runs until the
// window is closed, or for FRAMES frames when a count is given, and ends without a farewell click.
// The P key prints the picture: the print dialog offers the CUPS printers and a PDF file.
#include "app/gyroscope.h"

#include <graphics/window.h>

#include "tool_args.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int RUN_UNTIL_CLOSED = -1;

// The frame count from the command line, RUN_UNTIL_CLOSED without one, or 0 for a bad one.
int ParseFrames(int argc, char** argv) {
    if (argc < 2) return RUN_UNTIL_CLOSED;
    char* end = nullptr;
    const long frames = std::strtol(argv[1], &end, 10);
    if (argc > 2 || *end != '\0' || frames < 1 || frames > 1000000) return 0;
    return static_cast<int>(frames);
}

// Printing copies from the back buffer, so the frame to print is drawn into one.
void PrintFrame(window& w, SimulationState& state) {
    w.SetBuffering(true);
    DrawMovingFrame(w, state);
    w.Print();
    w.SetBuffering(false);
}

void RunDemoFrame(window& w, SimulationState& state) {
    Sleep(100);
    char key = 0;
    if (w.PollKeyPress(key) == ASCII_KEY && (key == 'p' || key == 'P')) {
        PrintFrame(w, state);
        return;
    }
    DrawMovingFrame(w, state);
}

}  // namespace

int main(int argc, char** argv) {
    if (std::optional<int> status =
            tools::answer_help(argc, argv, "gyroscope_demo [FRAMES]  (FRAMES from 1 to 1000000)"))
        return *status;
    const int frames = ParseFrames(argc, argv);
    if (frames == 0) {
        std::fprintf(stderr, "usage: gyroscope_demo [FRAMES]  (FRAMES from 1 to 1000000)\n");
        return 2;
    }
    window w(1000, 700, CW_USEDEFAULT, 0);
    w.SetWaitClose(false);
    w.SetTitle("Gyroscope demo: rest the cursor on the white area to set it turning; P prints");
    SimulationState state;
    for (int frame = 0; w.IsOpen() && (frames == RUN_UNTIL_CLOSED || frame < frames); ++frame) RunDemoFrame(w, state);
    return 0;
}
