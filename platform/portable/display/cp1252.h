// Windows-1252 <-> UTF-8 for captions, message boxes, SDL text input and scripts.
#pragma once

#include <string>

namespace zg {

// UTF-8 text to Windows-1252 bytes ('?' for what 1252 lacks); text that is not valid UTF-8 is
// taken to be 1252 already and returned unchanged.
std::string to_windows_1252(const std::string& text);

std::string windows_1252_to_utf8(const std::string& text);

}  // namespace zg
