// The graphics window: one `window` object wraps one native top-level window with a client area of
// exactly the requested size, its device context, a current pen, brush and font, an optional back
// buffer, the last known cursor and button state, and a click queue and a key queue.
//
// The library has no thread and no message loop. Nearly every operation first takes and dispatches
// at most one pending native message of its window (PumpMessages); GetWidth, GetHeight,
// GetWindowSize and SetWaitClose never pump. Failures of native calls are not returned: each writes
// one "Fatal Error: ..." line to standard output and the operation goes on. The only exception is
// the enumeration `error`, value 0, thrown when heap memory cannot be obtained.
//
// Integer colour channels: SetPen(12, 180, 243, 3) and SetBrush(255, 127, 0) written with plain
// integers take the 8-bit form (a template overload accepts every integer type, so such calls are
// not ambiguous between the 8-bit and the double forms). A channel outside 0 to 255 is clamped to
// that range and reported with "Fatal Error: Colour value out of range in SetPen!" (or "in
// SetBrush!"), once per call, so it never silently becomes another colour. The double forms
// (0.0 to 1.0) keep their rule: times 255, truncated, low 8 bits.
//
// A window whose native window is gone (creation failed, or the user closed it) never blocks:
// the waits return NO_CLICK at (-1, -1) or NO_KEY with key 0, and the destructor neither prompts
// nor waits for the farewell click.
#pragma once

#include <graphics/image.h>
#include <graphics/input_queues.h>
#include <graphics/palette.h>
#include <platform/win32.h>

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

// The library's one exception type; OUT_OF_MEMORY (0) is thrown when the heap is exhausted.
enum error : int { OUT_OF_MEMORY = 0 };

// How a shape is drawn: outlined with the pen and filled with the brush, outlined only, or with
// its pixels inverted.
enum DrawStyle : std::int32_t { FILLED = 1, FRAME = 2, INVERTED = 3 };

// Font style flags, combined by addition or bitwise or. STRIKEOUT (8) requests a struck-out font.
using FontStyle = std::uint16_t;
inline constexpr FontStyle PLAIN = 0;
inline constexpr FontStyle BOLD = 1;
inline constexpr FontStyle ITALIC = 2;
inline constexpr FontStyle UNDERLINE = 4;
inline constexpr FontStyle STRIKEOUT = 8;

// Font family codes; any other value lets the face name alone decide.
using FontFamily = std::int32_t;
inline constexpr FontFamily MODERN = 1;
inline constexpr FontFamily ROMAN = 2;
inline constexpr FontFamily SCRIPT = 3;
inline constexpr FontFamily SWISS = 4;

// The native window procedure of every library window (class "Zorgraphics Library"). It reaches
// a `window` only through the registry's recording operations and lets no exception escape.
LRESULT CALLBACK WindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

class window {
public:
    // Creates, shows and registers a window whose client area is width x height pixels, its outer
    // top-left corner at (x, y); x = CW_USEDEFAULT lets the platform place it.
    window(int width, int height, int x, int y);
    // Releases everything; when this is the last window and the registry asks for it, prompts on
    // standard output and waits for a click before the native window is destroyed.
    ~window();
    window(const window&) = delete;
    window& operator=(const window&) = delete;

    // ---- caption and size ----
    void SetTitle(const char* text);
    void SetTitle(std::string text);
    int GetWidth() const;
    int GetHeight() const;
    void GetWindowSize(int& width, int& height) const;
    // Sets whether destroying the last window waits for a click; returns the previous setting.
    bool SetWaitClose(bool wait);
    // False once the native window is gone (creation failed, or the user closed it); never pumps.
    bool IsOpen() const { return !IsGone(); }

    // ---- messages and input ----
    // Takes at most one pending message of this window and dispatches it; rethrows an exception
    // that arose while the message was recorded.
    void PumpMessages();
    void GetMousePosition(int& x, int& y);
    ButtonState GetButtonState(MouseButton button, int& x, int& y);
    ClickType PollMouseClick(int& x, int& y);
    ClickType WaitForMouseClick(int& x, int& y);
    KeyType PollKeyPress(char& key);
    KeyType WaitForKeyPress(char& key);
    void ClearMouseQueue();
    void ClearKeyQueue();

    // ---- double buffering ----
    bool SetBuffering(bool on);
    void UpdateBuffer();

    // ---- pens, brushes, fonts: each returns the previous colour ----
    color SetBrush(unsigned char red, unsigned char green, unsigned char blue);
    color SetBrush(const color& colour);
    color SetBrush(double red, double green, double blue);
    template <std::integral R, std::integral G, std::integral B>
    color SetBrush(R red, G green, B blue);

    color SetPen(unsigned char red, unsigned char green, unsigned char blue, int width);
    color SetPen(const color& colour, int width);
    color SetPen(double red, double green, double blue, int width);
    template <std::integral R, std::integral G, std::integral B>
    color SetPen(R red, G green, B blue, int width);

    // A face name longer than 31 characters is cut to 31; null asks for no particular face.
    void SetFont(int size, FontStyle style, FontFamily family, const char* faceName = nullptr);

    // ---- shapes (boxes exclude their right and bottom coordinates; lines exclude their end) ----
    void DrawLine(int x1, int y1, int x2, int y2, DrawStyle style);
    void DrawRectangle(int x1, int y1, int x2, int y2, DrawStyle style, int cornerWidth = 0,
                       int cornerHeight = 0);
    void DrawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, DrawStyle style);
    // count must lie in 0 to 65535; other counts are refused with a fatal error report.
    void DrawPolygon(const int* xCoordinates, const int* yCoordinates, int count, DrawStyle style);
    void DrawCircle(int centreX, int centreY, int radius, DrawStyle style);
    void DrawEllipse(int x1, int y1, int x2, int y2, DrawStyle style);
    // Angles from the positive x axis, counter-clockwise; angleUnit 1 means radians, any other
    // value degrees.
    void DrawArc(int x1, int y1, int x2, int y2, double startAngle, double endAngle, DrawStyle style,
                 int angleUnit);
    void DrawBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, DrawStyle style);
    // Sets the one pixel (x, y) to the pen colour, whatever the pen width.
    void DrawPixel(int x, int y);

    // ---- text ----
    void DrawString(int x, int y, const char* text);
    void DrawString(int x, int y, const std::string& text);
    void DrawIntValue(int x, int y, int value);
    void DrawRealValue(int x, int y, double value);
    // A null text measures as the empty text.
    void GetStringSize(int& width, int& height, const char* text);
    void GetStringSize(int& width, int& height, const std::string& text);
    void GetStringSize(int& width, int& height, int value);
    void GetStringSize(int& width, int& height, double value);

    // ---- images and pixel read-back ----
    // A width or height of -1 draws the image at its own size; any other size stretches it.
    void DrawImage(const image* picture, int x, int y, int width, int height);
    void DrawImage(const image& picture, int x, int y, int width, int height);
    void StoreImage(image* picture, unsigned int x, unsigned short y, unsigned short width,
                    unsigned short height);
    void StoreImage(image& picture, unsigned int x, unsigned short y, unsigned short width,
                    unsigned short height);
    color GetColor(int x, int y);
    void GetColor(int x, int y, double& red, double& green, double& blue);
    double GetRed(int x, int y);
    double GetGreen(int x, int y);
    double GetBlue(int x, int y);

private:
    friend class WindowRegistry;
    // White-box tests may define this type to read the fields; the library defines none.
    friend struct WindowInspector;

    enum class ChannelCheck { InRange, Clamped };
    enum class StyleSet { AllStyles, FrameOnly };

    template <std::integral T>
    static unsigned char ClampChannel(T value, ChannelCheck& check);
    enum class ColourSetter { Pen, Brush };
    static void ReportOutOfRange(ColourSetter setter);

    bool TakeOneMessage();
    bool IsGone() const;
    void SelectDrawStyle(DrawStyle style);
    void RestoreDrawStyle();
    void SelectFontObject();
    void RestoreFontObject();
    bool AcceptsStyle(DrawStyle style, StyleSet accepted);
    void InvertRegion(HRGN region, const char* failure);
    void InvertPolygon(const POINT* points, int count);
    void FailDrawing(const char* failure);
    void ReleaseNativeObjects();
    void FarewellWait();

    HINSTANCE hInstance = nullptr;
    WNDCLASSA wndClass{};
    HWND hwndWindow = nullptr;
    HDC dcActive = nullptr;
    HDC dcScreen = nullptr;
    HBITMAP bmapBuffer = nullptr;
    HGDIOBJ bmapOld = nullptr;
    HPEN penObject = nullptr;
    HBRUSH brshObject = nullptr;
    HFONT fontObject = nullptr;
    HGDIOBJ penOld = nullptr;
    HGDIOBJ brshOld = nullptr;
    HGDIOBJ fontOld = nullptr;
    color brshColor;
    color penColor;
    std::int32_t penWidth = 0;
    std::int32_t iWindowWidth = 0;
    std::int32_t iWindowHeight = 0;
    bool bBuffering = false;
    std::int32_t iMouseX = -1;
    std::int32_t iMouseY = -1;
    MouseQueue queMouse;
    KeyQueue queKey;
    ButtonState bsLeft = BUTTON_UP;
    ButtonState bsRight = BUTTON_UP;
};

template <std::integral T>
unsigned char window::ClampChannel(T value, ChannelCheck& check) {
    if constexpr (std::is_signed_v<T>) {
        if (value < 0) {
            check = ChannelCheck::Clamped;
            return 0;
        }
    }
    if (static_cast<unsigned long long>(value) > 255ULL) {
        check = ChannelCheck::Clamped;
        return 255;
    }
    return static_cast<unsigned char>(value);
}

template <std::integral R, std::integral G, std::integral B>
color window::SetBrush(R red, G green, B blue) {
    ChannelCheck check = ChannelCheck::InRange;
    const color wanted(ClampChannel(red, check), ClampChannel(green, check), ClampChannel(blue, check));
    if (check == ChannelCheck::Clamped) {
        ReportOutOfRange(ColourSetter::Brush);
    }
    return SetBrush(wanted.ucRed, wanted.ucGreen, wanted.ucBlue);
}

template <std::integral R, std::integral G, std::integral B>
color window::SetPen(R red, G green, B blue, int width) {
    ChannelCheck check = ChannelCheck::InRange;
    const color wanted(ClampChannel(red, check), ClampChannel(green, check), ClampChannel(blue, check));
    if (check == ChannelCheck::Clamped) {
        ReportOutOfRange(ColourSetter::Pen);
    }
    return SetPen(wanted.ucRed, wanted.ucGreen, wanted.ucBlue, width);
}
