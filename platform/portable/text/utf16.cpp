// UTF-16 conversions; see utf16.h.
#include "text/utf16.h"

namespace zg {
namespace {

bool is_high_surrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void append_utf8(std::string& out, char32_t code) {
    const auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (code < 0x80) return put(code);
    if (code < 0x800) {
        put(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
    }
    put(0x80 | (code & 0x3F));
}

}  // namespace

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char32_t unit = text[at];
        if (is_high_surrogate(unit) && at + 1 < text.size() && is_low_surrogate(text[at + 1])) {
            append_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[at + 1] - 0xDC00u));
            ++at;
            continue;
        }
        append_utf8(out, is_high_surrogate(unit) || is_low_surrogate(unit) ? char32_t{0xFFFD} : unit);
    }
    return out;
}

std::u16string_view zero_ended(const char16_t* text) {
    if (text == nullptr) return {};
    std::size_t length = 0;
    while (text[length] != u'\0') ++length;
    return {text, length};
}

}  // namespace zg
