/// @file
/// The graphics window: one `window` object wraps one native top-level window with a client area of
/// exactly the requested size, its device context, a current pen, brush and font, an optional back
/// buffer, the last known cursor and button state, and a click queue and a key queue.
///
/// The library has no thread and no message loop. Nearly every operation first takes and dispatches
/// at most one pending native message of its window (PumpMessages); GetWidth, GetHeight,
/// GetWindowSize and SetWaitClose never pump. Failures of native calls are not returned: each writes
/// one "Fatal Error: ..." line to standard output and the operation goes on. The only exception is
/// the enumeration `error`, value 0, thrown when heap memory cannot be obtained.
///
/// Integer colour channels: SetPen(12, 180, 243, 3) and SetBrush(255, 127, 0) written with plain
/// integers take the 8-bit form (a template overload accepts every integer type, so such calls are
/// not ambiguous between the 8-bit and the double forms). A channel outside 0 to 255 is clamped to
/// that range and reported with "Fatal Error: Colour value out of range in SetPen!" (or "in
/// SetBrush!"), once per call, so it never silently becomes another colour. The double forms
/// (0.0 to 1.0) keep their rule: times 255, truncated, low 8 bits.
///
/// A window whose native window is gone (creation failed, or the user closed it) never blocks:
/// the waits return NO_CLICK at (-1, -1) or NO_KEY with key 0, and the destructor neither prompts
/// nor waits for the farewell click.
#pragma once

#include <graphics/image.h>
#include <graphics/input_queues.h>
#include <graphics/palette.h>
#include <platform/win32.h>

#include <concepts>
#include <cstdint>
#include <source_location>
#include <string>
#include <type_traits>

// Shared builds hide every name but those the installed headers declare.
#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility push(default)
#endif

/// The library's one exception type: OUT_OF_MEMORY (0) is thrown when the heap is exhausted.
enum error : int {
    OUT_OF_MEMORY = 0  ///< No heap memory could be obtained (for a queue record, an image, a window).
};

/// How a shape is drawn. A value outside the three is refused: the shape is not drawn and
/// "Fatal Error: You have tried to use an invalid or unimplemented drawstyle!" is reported.
enum DrawStyle : std::int32_t {
    FILLED = 1,   ///< Outlined with the pen and filled with the brush.
    FRAME = 2,    ///< Outlined with the pen only; the only style of lines and Bézier curves.
    INVERTED = 3  ///< Every pixel of the shape turned to its opposite colour (white becomes black).
};

/// Font style flags, combined by addition or bitwise or (BOLD + ITALIC).
using FontStyle = std::uint16_t;
/// @name Font styles
/// @{

/// A style bit for window::SetFont: PLAIN (0) none, BOLD (1), ITALIC (2), UNDERLINE (4),
/// STRIKEOUT (8, a line through the text).
inline constexpr FontStyle PLAIN = 0;
inline constexpr FontStyle BOLD = 1;
inline constexpr FontStyle ITALIC = 2;
inline constexpr FontStyle UNDERLINE = 4;
inline constexpr FontStyle STRIKEOUT = 8;
/// @}

/// Font family codes for window::SetFont; any other value lets the face name alone decide.
using FontFamily = std::int32_t;
/// @name Font families
/// @{

/// A family for window::SetFont: MODERN (1) fixed width, ROMAN (2) serif, SCRIPT (3)
/// handwriting, SWISS (4) sans serif. The platform picks a face of the family.
inline constexpr FontFamily MODERN = 1;
inline constexpr FontFamily ROMAN = 2;
inline constexpr FontFamily SCRIPT = 3;
inline constexpr FontFamily SWISS = 4;
/// @}

/// The native window procedure of every library window (class "Zorgraphics Library"). It reaches
/// a `window` only through the registry's recording operations and lets no exception escape.
/// Programs do not call it; it is public because the platform calls it.
LRESULT CALLBACK WindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

/// A window to draw in, with its pen, brush and font, and the clicks and keys it received.
///
/// Coordinates are pixels of the client area, from its top-left corner, x to the right and y
/// down; nothing outside the client area is drawn. A window is not copyable.
///
/// **Messages and input.** Clicks and keys are queued in the order they happened, oldest first. A
/// click is recorded when the button is released, at the release position.
///
/// **Pens, brushes and fonts.** The pen draws outlines, lines, pixels and text; the brush fills
/// shapes. Each setter returns the previous colour. Integer channels are 0 to 255: a value outside
/// is clamped to that range and reported once per call ("Fatal Error: Colour value out of range in
/// SetPen!" or "in SetBrush!"). Real channels are 0.0 to 1.0: times 255, truncated, low 8 bits
/// kept. A pen width is in pixels; 0 or 1 gives the thinnest line, and a width of 2 or more draws
/// frames inside the shape's box.
///
/// **Shapes.** Boxes given by two corners include the first and exclude the right column and bottom
/// row; lines exclude their end point. A style other than those a shape accepts is refused with a
/// "Fatal Error:" line and nothing is drawn.
///
/// **Text.** Text is drawn in the current font and the pen's colour, with a transparent background;
/// (x, y) is the top-left corner of the text's box. Characters are Windows-1252 (Latin-1 and a few
/// more: é, ü, €).
class window {
public:
    /// Creates, shows and registers a window whose client area is @p width x @p height pixels,
    /// its outer top-left corner at (@p x, @p y) on the screen; x = CW_USEDEFAULT lets the
    /// platform place it. The client area starts white, the pen and the brush white (the pen of
    /// the thinnest width), the font a plain 10-pixel sans serif. When the native window cannot
    /// be made the window stays closed (IsOpen() is false) and the waits never block.
    window(int width, int height, int x, int y, std::source_location where = std::source_location::current());
    /// Releases everything. When this is the last window and SetWaitClose(true) is in force (the
    /// default), first prints "Click mouse in the graphics window to finish execution." and
    /// waits for a click in it; a window the user already closed does not wait.
    ~window();
    window(const window&) = delete;             ///< Not copyable: a window owns a native window.
    window& operator=(const window&) = delete;  ///< Not copyable: a window owns a native window.

    // ---- caption and size ----
    /// Sets the caption (title bar text); a null text is ignored.
    void SetTitle(const char* text);
    /// Sets the caption (title bar text).
    void SetTitle(std::string text);
    /// The client area's width in pixels, as asked for at construction; never pumps.
    int GetWidth() const;
    /// The client area's height in pixels, as asked for at construction; never pumps.
    int GetHeight() const;
    /// Both client area dimensions in pixels; never pumps.
    void GetWindowSize(int& width, int& height) const;
    /// Sets whether destroying the last window waits for a click; returns the previous setting.
    /// Applies to all windows of the program.
    bool SetWaitClose(bool wait);
    /// False once the native window is gone (creation failed, or the user closed it); never pumps.
    bool IsOpen() const { return !IsGone(); }

    // ---- messages and input ----
    /// Takes at most one pending native message of this window and dispatches it. Every other
    /// call does this first, so a program needs it only in a loop that calls nothing else.
    /// Rethrows an exception (OUT_OF_MEMORY) that arose while the message was recorded.
    void PumpMessages();
    /// The last known cursor position in client pixels, (-1, -1) before the cursor ever moved
    /// over the window. Outside the window the position is the last one seen inside.
    void GetMousePosition(int& x, int& y);
    /// Whether @p button is down now; also gives the cursor position as GetMousePosition does.
    /// Any value other than LEFT_BUTTON reads the right button.
    ButtonState GetButtonState(MouseButton button, int& x, int& y);
    /// Takes the oldest click from the queue without waiting: its kind and position, or NO_CLICK
    /// and (-1, -1) when the queue is empty.
    ClickType PollMouseClick(int& x, int& y);
    /// Waits for a click and takes it from the queue. Returns NO_CLICK at (-1, -1) at once when
    /// the window is gone (closed by the user), so it never blocks for ever.
    ClickType WaitForMouseClick(int& x, int& y);
    /// Takes the oldest key from the queue without waiting: its kind and code (see KeyRecord),
    /// or NO_KEY and code 0 when the queue is empty.
    KeyType PollKeyPress(char& key);
    /// Waits for a key and takes it from the queue; NO_KEY with code 0 at once when the window
    /// is gone.
    KeyType WaitForKeyPress(char& key);
    /// Forgets every queued click.
    void ClearMouseQueue();
    /// Forgets every queued key.
    void ClearKeyQueue();

    // ---- double buffering ----
    /// Turns double buffering on or off and returns the previous setting. While it is on, every
    /// drawing call draws into a hidden copy of the window, cleared to white when buffering
    /// starts, and the screen changes only at UpdateBuffer; turning it off drops that copy.
    bool SetBuffering(bool on, std::source_location where = std::source_location::current());
    /// Shows the hidden copy on the screen (all but its last column and row); does nothing
    /// while buffering is off.
    void UpdateBuffer(std::source_location where = std::source_location::current());

    // ---- printing ----
    /// Prints the whole picture as one page on a printer the user picks in the print dialog:
    /// scaled to the page width and centred vertically on a printer that stretches bitmaps,
    /// else at its own size and centred. Needs double buffering (it warns when it is off) and
    /// blocks while the dialog or a message box is open. A cancelled dialog prints nothing.
    void Print(std::source_location where = std::source_location::current());

    /// Saves the picture the window shows as a PNG file (8-bit RGB, the client area's size);
    /// with double buffering on, that is what the last UpdateBuffer showed. Returns false, after
    /// a "Fatal Error: ..." line, when the picture cannot be read or the file cannot be written.
    bool SaveImage(const std::string& fileName, std::source_location where = std::source_location::current());

    // ---- pens, brushes and fonts ----
    /// Sets the brush from three 8-bit channels.
    color SetBrush(unsigned char red, unsigned char green, unsigned char blue,
                   std::source_location where = std::source_location::current());
    /// Sets the brush to a colour, such as a named one (SetBrush(GOLD)).
    color SetBrush(const color& colour, std::source_location where = std::source_location::current());
    /// Sets the brush from three channels of 0.0 to 1.0.
    color SetBrush(double red, double green, double blue, std::source_location where = std::source_location::current());
    /// Sets the brush from three integers of any type, clamped to 0 to 255.
    template <std::integral R, std::integral G, std::integral B>
    color SetBrush(R red, G green, B blue, std::source_location where = std::source_location::current());

    /// Sets the pen from three 8-bit channels and a width in pixels.
    color SetPen(unsigned char red, unsigned char green, unsigned char blue, int width,
                 std::source_location where = std::source_location::current());
    /// Sets the pen to a colour, such as a named one (SetPen(NAVY, 3)), and a width in pixels.
    color SetPen(const color& colour, int width, std::source_location where = std::source_location::current());
    /// Sets the pen from three channels of 0.0 to 1.0 and a width in pixels.
    color SetPen(double red, double green, double blue, int width,
                 std::source_location where = std::source_location::current());
    /// Sets the pen from three integers of any type, clamped to 0 to 255, and a width in pixels.
    template <std::integral R, std::integral G, std::integral B>
    color SetPen(R red, G green, B blue, int width, std::source_location where = std::source_location::current());

    /// Chooses the font of DrawString and GetStringSize: @p size is the height of a line in
    /// pixels (0 gives the platform's default size), @p style a sum of FontStyle flags,
    /// @p family a FontFamily. A face name ("Liberation Serif") is preferred when installed; one
    /// longer than 31 characters is cut to 31, and null asks for no particular face.
    void SetFont(int size, FontStyle style, FontFamily family, const char* faceName = nullptr,
                 std::source_location where = std::source_location::current());

    // ---- shapes ----
    /// A line from (x1, y1) to (x2, y2), end point excluded, in the pen; FRAME only.
    void DrawLine(int x1, int y1, int x2, int y2, DrawStyle style,
                  std::source_location where = std::source_location::current());
    /// A rectangle from (x1, y1) to (x2, y2); with @p cornerWidth and @p cornerHeight above 0,
    /// its corners are rounded as quarter ellipses of that width and height (pixels).
    void DrawRectangle(int x1, int y1, int x2, int y2, DrawStyle style, int cornerWidth = 0, int cornerHeight = 0,
                       std::source_location where = std::source_location::current());
    /// A triangle through three points.
    void DrawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, DrawStyle style,
                      std::source_location where = std::source_location::current());
    /// A polygon through @p count points, closed back to the first, its x and y coordinates in
    /// two arrays of at least @p count values. count must lie in 0 to 65535 and the arrays must not be null; otherwise nothing is drawn
    /// and a "Fatal Error:" line is written.
    void DrawPolygon(const int* xCoordinates, const int* yCoordinates, int count, DrawStyle style,
                     std::source_location where = std::source_location::current());
    /// A circle of @p radius pixels around (centreX, centreY); the box it fills is 2 x radius
    /// wide, right and bottom excluded.
    void DrawCircle(int centreX, int centreY, int radius, DrawStyle style,
                    std::source_location where = std::source_location::current());
    /// The ellipse that fits in the box from (x1, y1) to (x2, y2).
    void DrawEllipse(int x1, int y1, int x2, int y2, DrawStyle style,
                     std::source_location where = std::source_location::current());
    /// A part of the ellipse of the box (x1, y1)-(x2, y2), counter-clockwise from @p startAngle
    /// to @p endAngle, measured from the positive x axis. @p angleUnit 1 means radians, any other
    /// value degrees. FRAME draws the arc alone; FILLED and INVERTED a pie slice (the arc and
    /// two lines to the centre). Equal angles give the whole ellipse.
    void DrawArc(int x1, int y1, int x2, int y2, double startAngle, double endAngle, DrawStyle style, int angleUnit,
                 std::source_location where = std::source_location::current());
    /// A cubic Bézier curve from (x1, y1) to (x4, y4) pulled towards the two middle points;
    /// FRAME only.
    void DrawBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, DrawStyle style,
                    std::source_location where = std::source_location::current());
    /// Sets the one pixel (x, y) to the pen colour, whatever the pen width; outside the window,
    /// nothing happens.
    void DrawPixel(int x, int y, std::source_location where = std::source_location::current());

    // ---- text ----
    /// Draws a text; a null text draws nothing.
    void DrawString(int x, int y, const char* text, std::source_location where = std::source_location::current());
    /// Draws a text.
    void DrawString(int x, int y, const std::string& text,
                    std::source_location where = std::source_location::current());
    /// Draws an integer in decimal ("-42").
    void DrawIntValue(int x, int y, int value, std::source_location where = std::source_location::current());
    /// Draws a real number with six decimals ("3.141593"); values of 1e119 and more are written
    /// in the shorter exponent form.
    void DrawRealValue(int x, int y, double value, std::source_location where = std::source_location::current());
    /// The size in pixels DrawString would give the text in the current font; a null text
    /// measures as the empty text (width 0).
    void GetStringSize(int& width, int& height, const char* text,
                       std::source_location where = std::source_location::current());
    /// The size in pixels DrawString would give the text in the current font.
    void GetStringSize(int& width, int& height, const std::string& text,
                       std::source_location where = std::source_location::current());
    /// The size in pixels DrawIntValue would give the value.
    void GetStringSize(int& width, int& height, int value,
                       std::source_location where = std::source_location::current());
    /// The size in pixels DrawRealValue would give the value.
    void GetStringSize(int& width, int& height, double value,
                       std::source_location where = std::source_location::current());

    // ---- images and pixel read-back ----
    /// Draws an image with its top-left corner at (x, y): at its own size when @p width or
    /// @p height is -1, otherwise stretched to width x height pixels. A null or empty image
    /// draws nothing and says nothing; an image of a type other than the ones StoreImage makes
    /// draws nothing ("Fatal Error: Unsupported image type!").
    void DrawImage(const image* picture, int x, int y, int width, int height,
                   std::source_location where = std::source_location::current());
    /// Draws an image as the pointer form does.
    void DrawImage(const image& picture, int x, int y, int width, int height,
                   std::source_location where = std::source_location::current());
    /// Copies the @p width x @p height pixels from (x, y) of the window into @p picture,
    /// replacing what it held. A part reaching outside the window is refused ("Fatal Error:
    /// StoreImage selection extends outside the window!") and the image is left as it was; a
    /// part of no pixels (a width or height of 0) leaves @p picture empty; a null picture is
    /// ignored.
    void StoreImage(image* picture, unsigned int x, unsigned short y, unsigned short width, unsigned short height,
                    std::source_location where = std::source_location::current());
    /// Copies a part of the window into an image as the pointer form does.
    void StoreImage(image& picture, unsigned int x, unsigned short y, unsigned short width, unsigned short height,
                    std::source_location where = std::source_location::current());
    /// The colour of the pixel (x, y) of the window (of the hidden copy while buffering). Read a
    /// pixel inside the window: outside it the result is not defined.
    color GetColor(int x, int y, std::source_location where = std::source_location::current());
    /// The colour of the pixel (x, y) as three channels of 0.0 to 1.0.
    void GetColor(int x, int y, double& red, double& green, double& blue,
                  std::source_location where = std::source_location::current());
    /// The red channel of the pixel (x, y), 0.0 to 1.0.
    double GetRed(int x, int y, std::source_location where = std::source_location::current());
    /// The green channel of the pixel (x, y), 0.0 to 1.0.
    double GetGreen(int x, int y, std::source_location where = std::source_location::current());
    /// The blue channel of the pixel (x, y), 0.0 to 1.0.
    double GetBlue(int x, int y, std::source_location where = std::source_location::current());

private:
    friend class WindowRegistry;
    // White-box tests may define this type to read the fields; the library defines none.
    friend struct WindowInspector;

    enum class ChannelCheck { InRange, Clamped };
    enum class StyleSet { AllStyles, FrameOnly };

    template <std::integral T>
    static unsigned char ClampChannel(T value, ChannelCheck& check);
    enum class ColourSetter { Pen, Brush };
    // The channels as given (and the pen's width; -1 for a brush), for the report's caller line.
    struct GivenColour {
        double red, green, blue, width;
    };
    static void ReportOutOfRange(ColourSetter setter, const std::source_location& where, const GivenColour& given);

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
    std::source_location madeAt;  // where the program made the window, for the destructor's reports
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
color window::SetBrush(R red, G green, B blue, std::source_location where) {
    ChannelCheck check = ChannelCheck::InRange;
    const color wanted(ClampChannel(red, check), ClampChannel(green, check), ClampChannel(blue, check));
    if (check == ChannelCheck::Clamped) {
        ReportOutOfRange(ColourSetter::Brush, where, {double(red), double(green), double(blue), -1.0});
    }
    return SetBrush(wanted.ucRed, wanted.ucGreen, wanted.ucBlue, where);
}

template <std::integral R, std::integral G, std::integral B>
color window::SetPen(R red, G green, B blue, int width, std::source_location where) {
    ChannelCheck check = ChannelCheck::InRange;
    const color wanted(ClampChannel(red, check), ClampChannel(green, check), ClampChannel(blue, check));
    if (check == ChannelCheck::Clamped) {
        ReportOutOfRange(ColourSetter::Pen, where, {double(red), double(green), double(blue), double(width)});
    }
    return SetPen(wanted.ucRed, wanted.ucGreen, wanted.ucBlue, width, where);
}

#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility pop
#endif
