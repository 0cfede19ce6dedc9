// Counts of live objects of the portable implementation, by kind: tests use them to prove that
// nothing leaks. Portable builds only (Windows has no such per-kind count).
#pragma once

#include <platform/win32.h>

// Live non-stock GDI objects of one GetObjectType kind (OBJ_PEN, OBJ_BRUSH, OBJ_FONT,
// OBJ_BITMAP, OBJ_REGION, OBJ_DC counting window and memory DCs); 0 for other values.
int zg_live_objects_of_type(DWORD obj_type);

// Windows that exist (created and not yet destroyed).
int zg_live_windows();
