// Windows-1252, the single-byte code page of the ANSI text calls.
//
// Bytes below 0x80 and from 0xA0 up are their Unicode code points; 0x80-0x9F hold the
// typographic extras of cp1252 (euro, quotes, dashes, ...). The five bytes cp1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) have no character: they map to 0, which the
// font code draws as the font's default glyph.
#pragma once

namespace zg::text {

char32_t cp1252_to_unicode(unsigned char byte);

}  // namespace zg::text
