// Text output and measurement in the current font on dcActive. DrawString leaves on dcActive
// the transparent background mode, the alignment TA_LEFT | TA_TOP | TA_UPDATECP and a current
// position at the end of the text; nothing restores them. The text colour is whatever SetPen set.
//
// Number forms format into a 128-byte buffer with snprintf. A "%f" text that would not fit (values
// of magnitude 1e119 and more) is written with "%g" instead, which always fits, rather than cut.
// The measuring forms treat a null text as the empty text.
#include <graphics/library_internal.h>
#include <graphics/utf8_text.h>
#include <graphics/window.h>

#include <cstdio>

namespace {

using graphics_detail::ReportFatal;

constexpr std::size_t kNumberBufferSize = 128;

struct NumberText {
    char text[kNumberBufferSize] = {};
};

NumberText FormatInt(int value) {
    NumberText number;
    std::snprintf(number.text, sizeof number.text, "%d", value);
    return number;
}

NumberText FormatReal(double value) {
    NumberText number;
    const int needed = std::snprintf(number.text, sizeof number.text, "%f", value);
    if (needed < 0 || static_cast<std::size_t>(needed) >= sizeof number.text) {
        std::snprintf(number.text, sizeof number.text, "%g", value);
    }
    return number;
}

}  // namespace

void window::DrawString(int x, int y, const char* text, std::source_location where) {
    const graphics_detail::CallScope scope("DrawString", where, x, y, text);
    if (text == nullptr) {
        return;
    }
    PumpMessages();
    SelectFontObject();
    if (SetBkMode(dcActive, TRANSPARENT) == 0) {
        ReportFatal("Fatal Error: Failed to SetBkMode in DrawString!");
    }
    if (SetTextAlign(dcActive, TA_UPDATECP | TA_LEFT | TA_TOP) == static_cast<UINT>(GDI_ERROR)) {
        ReportFatal("Fatal Error: Failed to SetTextAlign in DrawString!");
    }
    if (MoveToEx(dcActive, x, y, nullptr) != 1) {
        ReportFatal("Fatal Error: Failed to MoveToEx in DrawString!");
    }
    if (graphics_detail::TextOutUtf8(dcActive, x, y, text) == 0) {
        ReportFatal("Fatal Error: Failed to TextOut in DrawString!");
    }
    RestoreFontObject();
}

void window::DrawString(int x, int y, const std::string& text, std::source_location where) {
    const graphics_detail::CallScope scope("DrawString", where, x, y, text.c_str());
    DrawString(x, y, text.c_str(), where);
}

void window::DrawIntValue(int x, int y, int value, std::source_location where) {
    const graphics_detail::CallScope scope("DrawIntValue", where, x, y, value);
    DrawString(x, y, FormatInt(value).text, where);
}

void window::DrawRealValue(int x, int y, double value, std::source_location where) {
    const graphics_detail::CallScope scope("DrawRealValue", where, x, y, value);
    DrawString(x, y, FormatReal(value).text, where);
}

void window::GetStringSize(int& width, int& height, const char* text, std::source_location where) {
    const graphics_detail::CallScope scope("GetStringSize", where, text);
    const char* measured = text != nullptr ? text : "";
    PumpMessages();
    SelectFontObject();
    SIZE extent{0, 0};
    if (graphics_detail::TextExtentUtf8(dcActive, measured, extent) != 1) {
        ReportFatal("Fatal Error: Failed to GetTextExtentPoint32 in GetStringSize!");
    }
    RestoreFontObject();
    width = extent.cx;
    height = extent.cy;
}

void window::GetStringSize(int& width, int& height, const std::string& text, std::source_location where) {
    const graphics_detail::CallScope scope("GetStringSize", where, text.c_str());
    GetStringSize(width, height, text.c_str());
}

void window::GetStringSize(int& width, int& height, int value, std::source_location where) {
    const graphics_detail::CallScope scope("GetStringSize", where, value);
    GetStringSize(width, height, FormatInt(value).text, where);
}

void window::GetStringSize(int& width, int& height, double value, std::source_location where) {
    const graphics_detail::CallScope scope("GetStringSize", where, value);
    GetStringSize(width, height, FormatReal(value).text);
}
