// Writing a surface to a PNG file (8-bit RGB), for the headless display's snapshots.
#pragma once

#include "surface/surface.h"

#include <string>

namespace zg {

// Returns false (and writes nothing usable) if the file cannot be written.
bool write_png(const Surface& surface, const std::string& path);

}  // namespace zg
