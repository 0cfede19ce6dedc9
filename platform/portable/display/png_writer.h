// Writing a surface to a PNG file (8-bit RGB), for the headless display's snapshots.
#pragma once

#include "surface/surface.h"

#include <string>

namespace zg {

// Returns an empty string once every byte reached the file (closing included, so a full disk
// is noticed); otherwise why not, with nothing usable written.
std::string write_png(const Surface& surface, const std::string& path);

}  // namespace zg
