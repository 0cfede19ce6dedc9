// The GDI object counts on real Windows. zg_live_gdi_objects: the process's GDI object count from GetGuiResources.
// Wine does not keep that count and answers 0, which a process with a window never has on
// Windows, so 0 reads as "cannot tell".
#include <platform/gdi_count.h>
#include <platform/win32.h>

int zg_live_gdi_objects() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count == 0 ? -1 : static_cast<int>(count);
}

int zg_live_objects_of_type(DWORD) { return -1; }

int zg_live_dialog_blocks() { return -1; }
