// The gyroscope simulator's entry. Its one window is an object of static storage duration, so it
// exists before main runs and its destructor (with the farewell prompt and click) runs after main
// has returned.
#include "app/simulator.h"

#include <graphics/window.h>

namespace {

window simulatorWindow(1000, 700, CW_USEDEFAULT, 0);

}  // namespace

int main() { return RunSimulator(simulatorWindow); }
