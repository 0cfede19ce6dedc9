// How the library hands text to the platform. Text that is valid UTF-8 and not plain ASCII is
// UTF-8 (what every source file holds today) and goes to the wide "W" calls as UTF-16; any
// other text is Windows-1252 and goes to the "A" calls byte for byte, exactly as before.
//
// A text valid in both readings is read as UTF-8: a Windows-1252 text can be valid UTF-8 only
// where a letter from Â to ô stands directly before one to three of the symbols and
// punctuation 0x80-0xBF (€, ‘, ©, «, °, ±, ...), as in "Ã©", which is itself what UTF-8
// looks like misread. Real words do not hold such pairs; misread UTF-8 does.
#pragma once

#include <platform/win32.h>

#include <string>

namespace graphics_detail {

// Valid UTF-8 (shortest forms, no surrogates, at most U+10FFFF) with at least one byte of 0x80
// or more. Null is not.
bool IsUtf8Text(const char* text);

// The UTF-16 of a text IsUtf8Text accepts.
std::basic_string<WCHAR> Utf8ToUtf16(const char* text);

// The platform's text calls, each choosing the reading of its text as above.
BOOL TextOutUtf8(HDC dc, int x, int y, const char* text);
BOOL TextExtentUtf8(HDC dc, const char* text, SIZE& extent);
BOOL SetWindowTextUtf8(HWND hwnd, const char* text);
int MessageBoxUtf8(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace graphics_detail
