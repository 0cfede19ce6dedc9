// How many GDI objects the process holds, for leak tests that run unchanged on Windows and on
// the portable implementation ("a window built and destroyed leaves no GDI object behind").
#pragma once

#include <platform/win32.h>

// The count of live GDI objects (pens, brushes, fonts, bitmaps, regions, DCs; stock objects
// excluded), or -1 when the platform cannot tell, so a test can skip.
int zg_live_gdi_objects();

// Live non-stock GDI objects of one GetObjectType kind (OBJ_PEN, OBJ_BRUSH, OBJ_FONT,
// OBJ_BITMAP, OBJ_REGION, OBJ_DC counting window and memory DCs), 0 for other values, or -1
// when the platform keeps no count by kind (Windows).
int zg_live_objects_of_type(DWORD obj_type);

// Memory blocks that the print dialog handed back (hDevMode, hDevNames) and GlobalFree has not
// freed yet, or -1 when the platform cannot tell (Windows).
int zg_live_dialog_blocks();
