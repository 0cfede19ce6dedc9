// Helpers shared by the library's source files and by nothing else: the fatal error report, the
// native colour layout, and saturating integer arithmetic for coordinates computed from arguments.
#pragma once

#include <graphics/call_site.h>
#include <graphics/palette.h>
#include <platform/win32.h>

#include <climits>
#include <cstddef>
#include <cstring>

namespace graphics_detail {

// Writes one line to standard output and flushes it. C stdio rather than iostreams, so that it
// works also while objects of static storage duration are built or destroyed.
void WriteLine(const char* text) noexcept;

// The fatal error report: one "Fatal Error: ..." line, then the public call that led to it with
// its arguments and the caller's file and line (call_site.h); the operation that reports goes on.
void ReportFatal(const char* text) noexcept;

// A report of something the library did in place of what was asked, which is not an error of
// the program's own: "Warning: ..." and the caller line, as ReportFatal writes them.
inline void ReportWarning(const char* text) noexcept { ReportFatal(text); }

// red + green * 256 + blue * 65536, the Windows RGB layout.
constexpr COLORREF ToNative(const color& colour) {
    return static_cast<COLORREF>(colour.ucRed) | (static_cast<COLORREF>(colour.ucGreen) << 8) |
           (static_cast<COLORREF>(colour.ucBlue) << 16);
}

// A long long squeezed into int: coordinates computed from extreme arguments stay defined.
constexpr int Saturate(long long value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// Length of a zero-ended text as the int the native text calls take.
inline int TextLength(const char* text) {
    const std::size_t length = std::strlen(text);
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

}  // namespace graphics_detail
