// How many GDI objects the process holds, for leak tests that run unchanged on Windows and on
// the portable implementation ("a window built and destroyed leaves no GDI object behind").
#pragma once

// The count of live GDI objects (pens, brushes, fonts, bitmaps, regions, DCs; stock objects
// excluded), or -1 when the platform cannot tell, so a test can skip.
int zg_live_gdi_objects();
