// Choosing between the "A" and "W" text calls; see utf8_text.h.
#include <graphics/library_internal.h>
#include <graphics/utf8_text.h>

#include <climits>

namespace graphics_detail {
namespace {

// The length of the UTF-8 sequence at text, 0 when none starts there. code receives its value.
int SequenceAt(const unsigned char* text, char32_t& code) {
    const unsigned lead = text[0];
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4) {
        return 0;
    }
    code = lead & (0x7Fu >> length);
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0u) != 0x80u) {
            return 0;  // also stops at the terminating zero
        }
        code = (code << 6) | (text[i] & 0x3Fu);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < kShortest[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

void AppendUtf16(std::basic_string<WCHAR>& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<WCHAR>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<WCHAR>(0xD800 + (code >> 10)));
    out.push_back(static_cast<WCHAR>(0xDC00 + (code & 0x3FF)));
}

int WideLength(const std::basic_string<WCHAR>& text) {
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace

bool IsUtf8Text(const char* text) {
    if (text == nullptr) {
        return false;
    }
    bool beyondAscii = false;
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    while (*at != 0) {
        char32_t code = 0;
        const int length = SequenceAt(at, code);
        if (length == 0) {
            return false;
        }
        beyondAscii = beyondAscii || length > 1;
        at += length;
    }
    return beyondAscii;
}

std::basic_string<WCHAR> Utf8ToUtf16(const char* text) {
    std::basic_string<WCHAR> out;
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    while (*at != 0) {
        char32_t code = 0;
        const int length = SequenceAt(at, code);
        if (length == 0) {
            break;
        }
        AppendUtf16(out, code);
        at += length;
    }
    return out;
}

BOOL TextOutUtf8(HDC dc, int x, int y, const char* text) {
    if (!IsUtf8Text(text)) {
        return TextOutA(dc, x, y, text, TextLength(text));
    }
    const std::basic_string<WCHAR> wide = Utf8ToUtf16(text);
    return TextOutW(dc, x, y, wide.c_str(), WideLength(wide));
}

BOOL TextExtentUtf8(HDC dc, const char* text, SIZE& extent) {
    if (!IsUtf8Text(text)) {
        return GetTextExtentPoint32A(dc, text, TextLength(text), &extent);
    }
    const std::basic_string<WCHAR> wide = Utf8ToUtf16(text);
    return GetTextExtentPoint32W(dc, wide.c_str(), WideLength(wide), &extent);
}

// SetWindowTextW would hand the library's "A" window procedure the caption in the ANSI code
// page, '?' for θ (measured under Wine); the wide default handling stores it whole.
BOOL SetWindowTextUtf8(HWND hwnd, const char* text) {
    if (!IsUtf8Text(text)) {
        return SetWindowTextA(hwnd, text);
    }
    if (IsWindow(hwnd) == 0) {
        return FALSE;
    }
    const std::basic_string<WCHAR> wide = Utf8ToUtf16(text);
    return DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) != 0 ? TRUE : FALSE;
}

int MessageBoxUtf8(HWND owner, const char* text, const char* caption, UINT type) {
    if (!IsUtf8Text(text) && !IsUtf8Text(caption)) {
        return MessageBoxA(owner, text, caption, type);
    }
    // Both go wide together; the one that is not UTF-8 is widened byte for byte (as Latin-1).
    const auto widen = [](const char* part) {
        if (IsUtf8Text(part)) {
            return Utf8ToUtf16(part);
        }
        std::basic_string<WCHAR> out;
        for (const char* at = part != nullptr ? part : ""; *at != '\0'; ++at) {
            out.push_back(static_cast<WCHAR>(static_cast<unsigned char>(*at)));
        }
        return out;
    };
    return MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(), type);
}

}  // namespace graphics_detail
