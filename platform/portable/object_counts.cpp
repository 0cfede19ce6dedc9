// The public object counts (platform/object_counts.h, platform/gdi_count.h) over the handle
// table and the window table.
#include <platform/gdi_count.h>
#include <platform/object_counts.h>

#include "objects/handle_table.h"
#include "user/window.h"

int zg_live_gdi_objects() { return zg::live_objects_total(); }

int zg_live_objects_of_type(DWORD obj_type) {
    switch (obj_type) {
    case OBJ_PEN: return zg::live_objects(zg::ObjectKind::Pen);
    case OBJ_BRUSH: return zg::live_objects(zg::ObjectKind::Brush);
    case OBJ_FONT: return zg::live_objects(zg::ObjectKind::Font);
    case OBJ_BITMAP: return zg::live_objects(zg::ObjectKind::Bitmap);
    case OBJ_REGION: return zg::live_objects(zg::ObjectKind::Region);
    case OBJ_DC: return zg::live_objects(zg::ObjectKind::DC);
    default: return 0;
    }
}

int zg_live_windows() { return zg::live_windows(); }
