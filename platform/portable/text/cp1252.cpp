// Windows-1252 conversions; see cp1252.h.
#include "text/cp1252.h"

#include <array>
#include <cstddef>

namespace zg {
namespace {

// Code points of 0x80-0x9F; 0 marks the bytes cp1252 leaves undefined.
constexpr std::array<char32_t, 32> high_controls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Decodes one UTF-8 sequence at `at`; returns its length, or 0 if it is not valid UTF-8.
std::size_t decode_utf8(const std::string& text, std::size_t at, char32_t& code) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    const std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    return code < 0x80 ? 0 : length;
}

char to_1252_byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (std::size_t i = 0; i < high_controls.size(); ++i) {
        if (high_controls[i] == code) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

char32_t cp1252_to_unicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return high_controls[byte - 0x80u];
    return byte;
}

std::string to_windows_1252(const std::string& text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = decode_utf8(text, at, code);
        if (length == 0) return text;
        out.push_back(to_1252_byte(code));
        at += length;
    }
    return out;
}

std::string windows_1252_to_utf8(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t code = cp1252_to_unicode(byte);
        append_utf8(out, code == 0 && byte != 0 ? char32_t{0xFFFD} : code);
    }
    return out;
}

}  // namespace zg
