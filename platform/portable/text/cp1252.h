// Windows-1252, the single-byte code page of the ANSI ("A") calls, and its conversions: to
// Unicode for the glyphs, to and from UTF-8 for captions, message boxes, SDL text input and
// script files.
//
// Bytes below 0x80 and from 0xA0 up are their Unicode code points; 0x80-0x9F hold the
// typographic extras of cp1252 (euro, quotes, dashes, ...). The five bytes cp1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) have no character.
#pragma once

#include <string>

namespace zg {

// The code point of a byte; 0 for the undefined bytes (the font code draws its default glyph).
char32_t cp1252_to_unicode(unsigned char byte);

// UTF-8 text to Windows-1252 bytes ('?' for what 1252 lacks); text that is not valid UTF-8 is
// taken to be 1252 already and returned unchanged.
std::string to_windows_1252(const std::string& text);

// Windows-1252 bytes to UTF-8; an undefined byte becomes U+FFFD.
std::string windows_1252_to_utf8(const std::string& text);

}  // namespace zg
