// The gyroscope lab's entry: one window, no farewell click when it ends.
#include "lab/lab.h"

#include <graphics/window.h>

int main() {
    window labWindow(1000, 700, CW_USEDEFAULT, 0);
    labWindow.SetWaitClose(false);
    return RunLab(labWindow);
}
