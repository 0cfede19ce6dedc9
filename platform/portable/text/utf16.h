// UTF-16, the text of the "W" calls, to UTF-8, what the displays show: captions and message
// boxes. A lone surrogate becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace zg {

std::string utf16_to_utf8(std::u16string_view text);

// A zero-ended UTF-16 text as a view; null gives the empty view.
std::u16string_view zero_ended(const char16_t* text);

}  // namespace zg
