// The count of live windows of the portable implementation, beside the GDI object counts of
// gdi_count.h (included here, where the counts by kind are): tests use them to prove that
// nothing leaks. Portable builds only (Windows has no such window count).
#pragma once

#include <platform/gdi_count.h>

// Windows that exist (created and not yet destroyed).
int zg_live_windows();
