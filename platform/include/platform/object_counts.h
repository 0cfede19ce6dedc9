// Counts of live objects of the portable implementation, by kind: tests use them to prove that
// nothing leaks. Portable builds only (Windows has no such per-kind count).
#pragma once

#include <platform/gdi_count.h>

// Windows that exist (created and not yet destroyed).
int zg_live_windows();
