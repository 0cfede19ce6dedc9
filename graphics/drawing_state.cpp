// Drawing state: the window's current pen, brush and font (each a native object the window owns,
// deleted by the next setter and by the destructor), their colours, and the draw-style and font
// selections that bring them into dcActive around one native drawing call.
//
// Between library operations no pen, brush or font of the window's own is selected into dcActive:
// every selection is undone before the operation returns, so a setter may delete the old object
// at once.
#include <graphics/library_internal.h>
#include <graphics/window.h>

#include <cmath>
#include <cstring>
#include <utility>

namespace {

using graphics_detail::ReportFatal;
using graphics_detail::ToNative;

// A 0.0 to 1.0 channel: times 255, truncated toward zero, the low 8 bits of that integer. The
// remainder is taken on the double, so values far out of range stay defined; NaN gives 0.
unsigned char FromUnit(double channel) {
    const double scaled = std::trunc(channel * 255.0);
    if (!std::isfinite(scaled)) {
        return 0;
    }
    double low = std::fmod(scaled, 256.0);
    if (low < 0.0) {
        low += 256.0;
    }
    return static_cast<unsigned char>(low);
}

// The real forms take fractions; 1.5 or 255.0 is a mix-up with the 0 to 255 form, and keeps
// the documented rule (times 255, low 8 bits) with a warning rather than a silent odd colour.
bool IsFraction(double channel) { return channel >= 0.0 && channel <= 1.0; }

BYTE NativeFamily(FontFamily family) {
    switch (family) {
    case MODERN: return FF_MODERN;
    case ROMAN: return FF_ROMAN;
    case SCRIPT: return FF_SCRIPT;
    case SWISS: return FF_SWISS;
    default: return FF_DONTCARE;
    }
}

// Copies at most LF_FACESIZE - 1 characters, so a longer name is cut, never overrun.
void CopyFaceName(LOGFONTA& request, const char* faceName) {
    if (faceName == nullptr) {
        return;
    }
    std::size_t length = 0;
    while (length < LF_FACESIZE - 1 && faceName[length] != '\0') {
        ++length;
    }
    std::memcpy(request.lfFaceName, faceName, length);
    request.lfFaceName[length] = '\0';
}

}  // namespace

void window::ReportOutOfRange(ColourSetter setter, const std::source_location& where, const GivenColour& given) {
    if (setter == ColourSetter::Brush) {
        const graphics_detail::CallScope scope("SetBrush", where, given.red, given.green, given.blue);
        ReportFatal("Fatal Error: Colour value out of range in SetBrush!");
        return;
    }
    const graphics_detail::CallScope scope("SetPen", where, given.red, given.green, given.blue, given.width);
    ReportFatal("Fatal Error: Colour value out of range in SetPen!");
}

color window::SetBrush(unsigned char red, unsigned char green, unsigned char blue, std::source_location where) {
    const graphics_detail::CallScope scope("SetBrush", where, red, green, blue);
    PumpMessages();
    const color previous = brshColor;
    if (brshObject != nullptr && DeleteObject(brshObject) != 1) {
        ReportFatal("Fatal Error: Failed to delete brshObject in SetBrush!");
    }
    brshObject = nullptr;
    brshColor = color(red, green, blue);
    brshObject = CreateSolidBrush(ToNative(brshColor));
    return previous;
}

color window::SetBrush(const color& colour, std::source_location where) {
    const graphics_detail::CallScope scope("SetBrush", where, colour);
    return SetBrush(colour.ucRed, colour.ucGreen, colour.ucBlue, where);
}

color window::SetBrush(double red, double green, double blue, std::source_location where) {
    const graphics_detail::CallScope scope("SetBrush", where, red, green, blue);
    if (!IsFraction(red) || !IsFraction(green) || !IsFraction(blue)) {
        graphics_detail::ReportWarning("Warning: Colour fraction outside 0.0 to 1.0 in SetBrush!");
    }
    return SetBrush(FromUnit(red), FromUnit(green), FromUnit(blue));
}

color window::SetPen(unsigned char red, unsigned char green, unsigned char blue, int width,
                     std::source_location where) {
    const graphics_detail::CallScope scope("SetPen", where, red, green, blue, width);
    PumpMessages();
    const color previous = penColor;
    if (penObject != nullptr && DeleteObject(penObject) != 1) {
        ReportFatal("Fatal Error: Failed to delete penObject in SetPen!");
    }
    penObject = nullptr;
    penWidth = width;
    penColor = color(red, green, blue);
    SetTextColor(dcActive, ToNative(penColor));
    penObject = CreatePen(PS_INSIDEFRAME, width, ToNative(penColor));
    return previous;
}

color window::SetPen(const color& colour, int width, std::source_location where) {
    const graphics_detail::CallScope scope("SetPen", where, colour, width);
    return SetPen(colour.ucRed, colour.ucGreen, colour.ucBlue, width);
}

color window::SetPen(double red, double green, double blue, int width, std::source_location where) {
    const graphics_detail::CallScope scope("SetPen", where, red, green, blue, width);
    if (!IsFraction(red) || !IsFraction(green) || !IsFraction(blue)) {
        graphics_detail::ReportWarning("Warning: Colour fraction outside 0.0 to 1.0 in SetPen!");
    }
    return SetPen(FromUnit(red), FromUnit(green), FromUnit(blue), width);
}

void window::SetFont(int size, FontStyle style, FontFamily family, const char* faceName, std::source_location where) {
    const graphics_detail::CallScope scope("SetFont", where, size, style, family, faceName);
    PumpMessages();
    LOGFONTA request{};
    if (fontObject != nullptr && DeleteObject(fontObject) != 1) {
        ReportFatal("Fatal Error: Failed to delete fontObject in SetFont!");
    }
    fontObject = nullptr;
    request.lfHeight = size;
    request.lfWeight = (style & BOLD) != 0 ? FW_BOLD : FW_NORMAL;
    request.lfItalic = (style & ITALIC) != 0 ? 1 : 0;
    request.lfUnderline = (style & UNDERLINE) != 0 ? 1 : 0;
    request.lfStrikeOut = (style & STRIKEOUT) != 0 ? 1 : 0;
    request.lfCharSet = DEFAULT_CHARSET;
    request.lfOutPrecision = OUT_DEFAULT_PRECIS;
    request.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    request.lfQuality = DEFAULT_QUALITY;
    request.lfPitchAndFamily = static_cast<BYTE>(DEFAULT_PITCH | NativeFamily(family));
    CopyFaceName(request, faceName);
    fontObject = CreateFontIndirectA(&request);
}

void window::SelectDrawStyle(DrawStyle style) {
    switch (style) {
    case FILLED:
        penOld = SelectObject(dcActive, penObject);
        brshOld = SelectObject(dcActive, brshObject);
        SetROP2(dcActive, R2_COPYPEN);
        return;
    case FRAME:
        penOld = SelectObject(dcActive, penObject);
        brshOld = SelectObject(dcActive, GetStockObject(NULL_BRUSH));
        SetROP2(dcActive, R2_COPYPEN);
        return;
    case INVERTED:
        penOld = SelectObject(dcActive, GetStockObject(BLACK_PEN));
        brshOld = SelectObject(dcActive, GetStockObject(BLACK_BRUSH));
        SetROP2(dcActive, R2_NOT);
        return;
    }
    ReportFatal("Fatal Error: You have tried to use an invalid or unimplemented drawstyle!");
}

// The mix mode is left as the selection set it; every selection sets it again.
void window::RestoreDrawStyle() {
    SelectObject(dcActive, penOld);
    SelectObject(dcActive, brshOld);
}

void window::SelectFontObject() { fontOld = SelectObject(dcActive, fontObject); }

void window::RestoreFontObject() { SelectObject(dcActive, fontOld); }
