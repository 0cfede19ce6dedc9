/// @file
/// The Win32 subset the graphics library is written against.
///
/// On Windows this is <windows.h>. Everywhere else it declares the same names, types, constants
/// and structure layouts as Windows (LONG and DWORD are 32-bit, WPARAM and LPARAM pointer-sized,
/// COLORREF is 0x00BBGGRR, handles are distinct opaque pointer types), and the project's portable
/// implementation in platform/portable provides the functions.
///
/// Every function returns what Windows returns on failure (FALSE, 0, null, CLR_INVALID,
/// GDI_ERROR, as each says) for a handle that is not valid or of the wrong kind, a null pointer
/// where one is needed, or a count or index out of range; none crashes on such input.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#else

#include <cstddef>
#include <cstdint>

// ---- basic types -------------------------------------------------------------------------------
/// @name Calling conventions
/// @{

/// Calling-convention markers of Windows declarations; empty here (x86-64 has one convention).
#define WINAPI
#define CALLBACK
#define APIENTRY
/// @}

/// @name Basic types
/// @{

/// Windows' integer, character and pointer types: BOOL is int (TRUE 1, FALSE 0), BYTE 8-bit, WORD
/// 16-bit, DWORD and UINT 32-bit unsigned, LONG and INT 32-bit signed, the _PTR types and WPARAM,
/// LPARAM and LRESULT pointer-sized, COLORREF a colour 0x00BBGGRR, ATOM a class number, LP*
/// pointers.
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int DWORD;
typedef int LONG;
typedef unsigned int UINT;
typedef int INT;
typedef char CHAR;
typedef short SHORT;
typedef unsigned short USHORT;
typedef unsigned long long ULONG_PTR;
typedef long long LONG_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t INT_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef WORD ATOM;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
/// @}

static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4, "LONG and DWORD are 32-bit");
static_assert(sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*),
              "WPARAM and LPARAM are pointer-sized");

#ifndef TRUE
#define TRUE 1  ///< The BOOL value for true.
#endif
#ifndef FALSE
#define FALSE 0  ///< The BOOL value for false.
#endif

/// Declares a distinct opaque handle type, as <windows.h> does with STRICT; undefined after use.
#define ZG_DECLARE_HANDLE(name) \
    struct name##__ {           \
        int unused;             \
    };                          \
    typedef struct name##__* name
// Handles: distinct opaque pointer types, null when none.
ZG_DECLARE_HANDLE(HWND);       ///< A window.
ZG_DECLARE_HANDLE(HINSTANCE);  ///< A module instance (the program).
ZG_DECLARE_HANDLE(HDC);        ///< A device context: a surface to draw on and its drawing state.
ZG_DECLARE_HANDLE(HPEN);       ///< A pen.
ZG_DECLARE_HANDLE(HBRUSH);     ///< A brush.
ZG_DECLARE_HANDLE(HFONT);      ///< A font.
ZG_DECLARE_HANDLE(HBITMAP);    ///< A bitmap.
ZG_DECLARE_HANDLE(HRGN);       ///< A region.
ZG_DECLARE_HANDLE(HICON);      ///< An icon or cursor.
ZG_DECLARE_HANDLE(HMENU);      ///< A menu (always null here).
ZG_DECLARE_HANDLE(HGLOBAL_);   ///< Reserved.
#undef ZG_DECLARE_HANDLE
typedef HINSTANCE HMODULE;     ///< A module: the same as an instance.
typedef HICON HCURSOR;         ///< A cursor.
typedef void* HANDLE;          ///< Any handle.
typedef void* HGDIOBJ;         ///< Any GDI object: pen, brush, font, bitmap or region.
typedef void* HGLOBAL;         ///< A block of global memory.

/// @name Window procedure
/// @{

/// The type of a window procedure: it handles one message of a window and returns its result.
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
/// @}

// ---- macros of <windef.h> and <wingdi.h> ---------------------------------------------------------
/// @name Packing macros
/// @{

/// Windows' packing macros: MAKEINTRESOURCEA a resource number as a name, LOWORD and HIWORD the
/// halves of a 32-bit value, GET_X_LPARAM and GET_Y_LPARAM the signed client coordinates of a mouse
/// message, MAKELONG and MAKELPARAM two 16-bit halves into one value, RGB a COLORREF from three
/// 0-255 channels, GetRValue, GetGValue and GetBValue its channels.
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define LOWORD(l) (static_cast<WORD>(static_cast<ULONG_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<ULONG_PTR>(l) >> 16) & 0xffff))
#define GET_X_LPARAM(lp) (static_cast<int>(static_cast<short>(LOWORD(lp))))
#define GET_Y_LPARAM(lp) (static_cast<int>(static_cast<short>(HIWORD(lp))))
#define MAKELONG(a, b) \
    (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(a))) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define RGB(r, g, b)                                                                                 \
    (static_cast<COLORREF>((static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8)) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(c) (static_cast<BYTE>(c))
#define GetGValue(c) (static_cast<BYTE>((static_cast<WORD>(c)) >> 8))
#define GetBValue(c) (static_cast<BYTE>((c) >> 16))
/// @}

// ---- structures ----------------------------------------------------------------------------------
/// A point in pixels.
struct POINT {
    /// @{

    /// Fields as Windows defines them.
    LONG x;
    LONG y;
    /// @}
};
typedef POINT* LPPOINT;  ///< Pointer to a POINT.
/// A rectangle in pixels: left and top included, right and bottom excluded.
struct RECT {
    /// @{

    /// Fields as Windows defines them.
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    /// @}
};
typedef RECT* LPRECT;  ///< Pointer to a RECT.
/// A width and a height in pixels.
struct SIZE {
    /// @{

    /// Fields as Windows defines them.
    LONG cx;
    LONG cy;
    /// @}
};
typedef SIZE* LPSIZE;  ///< Pointer to a SIZE.

/// A message taken from the queue: window, number, parameters, time in milliseconds and cursor
/// position in screen pixels.
struct MSG {
    /// @{

    /// Fields as Windows defines them.
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
    /// @}
};
typedef MSG* LPMSG;  ///< Pointer to a MSG.

/// A window class for RegisterClassA: its procedure, instance, cursor, background brush and name.
struct WNDCLASSA {
    /// @{

    /// Fields as Windows defines them.
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    /// @}
};

#define LF_FACESIZE 32  ///< Characters of LOGFONTA::lfFaceName, the closing null included.
/// A font request for CreateFontIndirectA: height in pixels (negative: character height), weight,
/// style bytes, character set, pitch and family, face name.
struct LOGFONTA {
    /// @{

    /// Fields as Windows defines them.
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
    /// @}
};
typedef LOGFONTA LOGFONT;  ///< The font request of this character-set-neutral subset.
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA layout");

/// The measures of a font, in pixels, from GetTextMetricsA.
struct TEXTMETRICA {
    /// @{

    /// Fields as Windows defines them.
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
    /// @}
};
static_assert(sizeof(TEXTMETRICA) == 56, "TEXTMETRICA layout");

/// A pen as GetObjectA describes it: style, width in pixels (x), colour.
struct LOGPEN {
    /// @{

    /// Fields as Windows defines them.
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
    /// @}
};
/// A brush as GetObjectA describes it: style, colour, hatch.
struct LOGBRUSH {
    /// @{

    /// Fields as Windows defines them.
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
    /// @}
};

#pragma pack(push, 2)
/// The header of a .bmp file.
struct BITMAPFILEHEADER {
    /// @{

    /// Fields as Windows defines them.
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
    /// @}
};
#pragma pack(pop)

/// The layout of device-independent pixels: size in pixels (a negative height means the top row
/// first), bits a pixel, compression.
struct BITMAPINFOHEADER {
    /// @{

    /// Fields as Windows defines them.
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
    /// @}
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER layout");
/// One colour of a bitmap's colour table.
struct RGBQUAD {
    /// @{

    /// Fields as Windows defines them.
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
    /// @}
};
/// A BITMAPINFOHEADER and its colour table.
struct BITMAPINFO {
    /// @{

    /// Fields as Windows defines them.
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
    /// @}
};
typedef BITMAPINFO* LPBITMAPINFO;  ///< Pointer to a BITMAPINFO.
/// A bitmap as GetObjectA describes it: size in pixels, bytes a row, bits a pixel, pixels when it
/// is a DIB section.
struct BITMAP {
    /// @{

    /// Fields as Windows defines them.
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
    /// @}
};

// ---- constants: windows and messages -------------------------------------------------------------
/// @name Window styles
/// @{

/// CW_USEDEFAULT lets CreateWindowExA place the window; WS_ styles, combined with |, choose the
/// frame and state of a window.
#define CW_USEDEFAULT (static_cast<int>(0x80000000))
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
/// @}

/// @name ShowWindow commands
/// @{

/// What ShowWindow does: hide, show, minimise, restore.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_RESTORE 9
/// @}

/// @name System metrics
/// @{

/// Indexes of GetSystemMetrics: screen size and frame, border and caption sizes in pixels.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CYCAPTION 4
#define SM_CXFIXEDFRAME 7
#define SM_CYFIXEDFRAME 8
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CXEDGE 45
#define SM_CYEDGE 46
/// @}

/// @name Cursors
/// @{

/// The standard arrow cursor, for LoadCursorA.
#define IDC_ARROW MAKEINTRESOURCEA(32512)
/// @}

/// @name PeekMessage options
/// @{

/// Whether PeekMessageA leaves the message in the queue or takes it.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
/// @}

/// @name Window messages
/// @{

/// Message numbers a window procedure receives; wParam and lParam are packed as on Windows (mouse
/// messages: MK_ flags and the client position, GET_X_LPARAM).
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_SETTEXT 0x000C
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_CAPTURECHANGED 0x0215
#define WM_USER 0x0400
/// @}

/// @name Mouse message flags
/// @{

/// Bits of a mouse message's wParam: which buttons and modifier keys are down.
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
/// @}

/// @name System commands
/// @{

/// The WM_SYSCOMMAND that closes a window.
#define SC_CLOSE 0xF060
/// @}

/// @name Virtual keys
/// @{

/// Virtual-key codes of WM_KEYDOWN and WM_KEYUP (letters and digits are their capital ASCII codes).
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
/// @}

/// @name Message boxes
/// @{

/// MessageBoxA styles and its result.
#define MB_OK 0x00000000L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONEXCLAMATION 0x00000030L
#define IDOK 1
/// @}

// ---- constants: GDI --------------------------------------------------------------------------------
/// @name GDI object kinds
/// @{

/// What GetObjectType returns, and the kinds of GetCurrentObject.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC 10
/// @}

/// @name Stock objects
/// @{

/// Indexes of GetStockObject: objects that always exist and are never deleted.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19
/// @}

/// @name Pen styles
/// @{

/// Pen styles of CreatePen; PS_INSIDEFRAME draws wide frames inside the shape's box.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
/// @}

/// @name Brush styles
/// @{

/// Brush styles (LOGBRUSH::lbStyle).
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
/// @}

/// @name Mix modes
/// @{

/// The 16 mix modes of SetROP2: how the pen or brush colour combines with the pixel under it
/// (R2_COPYPEN is plain drawing, R2_NOT inverts).
#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16
/// @}

/// @name Background modes
/// @{

/// SetBkMode: text and hatched drawing leave the background (TRANSPARENT) or fill it with the
/// background colour (OPAQUE).
#define TRANSPARENT 1
#define OPAQUE 2
/// @}

/// @name Text alignment
/// @{

/// SetTextAlign flags: which point of the text (x, y) names, and whether TextOutA uses and moves
/// the current position.
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
/// @}

/// @name Polygon fill modes
/// @{

/// SetPolyFillMode and CreatePolygonRgn: which parts of a self-crossing polygon are inside.
#define ALTERNATE 1
#define WINDING 2
/// @}

/// @name Arc directions
/// @{

/// SetArcDirection: the direction arcs, pies and chords are drawn in.
#define AD_COUNTERCLOCKWISE 1
#define AD_CLOCKWISE 2
/// @}

/// @name Region operations and results
/// @{

/// CombineRgn operations, and what region functions return: ERROR, or the kind of the resulting
/// region.
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
/// @}

/// @name Error values
/// @{

/// Failure results: CLR_INVALID of colour functions, GDI_ERROR of integer ones, HGDI_ERROR of
/// SelectObject with a region.
#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR (static_cast<LONG>(0xFFFFFFFF))
#define HGDI_ERROR (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
/// @}

/// @name Font weights
/// @{

/// LOGFONTA::lfWeight values, 0 to 1000 (400 normal, 700 bold).
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_HEAVY 900
/// @}

/// @name Font request fields
/// @{

/// Values of the other LOGFONTA fields: character set, precision, quality, pitch and family.
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50
/// @}

/// @name Bitmap formats
/// @{

/// BITMAPINFOHEADER::biCompression for plain pixels, and how DIB functions read colours.
#define BI_RGB 0
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
/// @}

/// @name Stretching modes and raster operations
/// @{

/// SetStretchBltMode modes, and the raster operations of BitBlt, StretchBlt, PatBlt and the DIB
/// transfers (SRCCOPY copies).
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define NOTSRCCOPY 0x00330008
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062
#define PATCOPY 0x00F00021
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
/// @}

/// @name Device capabilities
/// @{

/// Indexes and bits of GetDeviceCaps: size in pixels, colour depth, raster abilities.
#define TECHNOLOGY 2
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define DT_RASDISPLAY 1
#define DT_RASPRINTER 2
#define RC_BITBLT 1
#define RC_BANDING 2
#define RC_SCALING 4
#define RC_BITMAP64 8
#define RC_DI_BITMAP 0x80
#define RC_DIBTODEV 0x200
#define RC_STRETCHBLT 0x800
#define RC_STRETCHDIB 0x2000
/// @}

// ---- printing: the common print dialog and print jobs -------------------------------------------------
/// @name Print dialog flags
/// @{

/// PRINTDLGA::Flags: which pages the dialog offers, and PD_RETURNDC to get the printer's DC.
#define PD_ALLPAGES 0x00000000
#define PD_SELECTION 0x00000001
#define PD_PAGENUMS 0x00000002
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_RETURNDC 0x00000100
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000
/// @}

/// @name Print errors
/// @{

/// CommDlgExtendedError codes (wrong structure size, out of memory, bad request, no printer), and
/// SP_ERROR, the failure of StartDocA, StartPage, EndPage and AbortDoc.
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_INITIALIZATION 0x0002
#define PDERR_NODEFAULTPRN 0x1008
#define SP_ERROR (-1)
/// @}

/// The request and answer of PrintDlgA, laid out as 64-bit Windows lays it out (120 bytes).
struct PRINTDLGA {
    DWORD lStructSize;           ///< must be sizeof(PRINTDLGA), else CDERR_STRUCTSIZE
    HWND hwndOwner;              ///< window the dialog is modal to
    HGLOBAL hDevMode;            ///< answer: a device-mode block for GlobalFree, or null
    HGLOBAL hDevNames;           ///< answer: a DEVNAMES block for GlobalFree, or null
    HDC hDC;                     ///< answer with PD_RETURNDC: the chosen printer's DC, for DeleteDC
    DWORD Flags;                 ///< PD_* flags
    WORD nFromPage;              ///< first page to print, with PD_PAGENUMS
    WORD nToPage;                ///< last page to print, with PD_PAGENUMS
    WORD nMinPage;               ///< smallest page number the dialog accepts
    WORD nMaxPage;               ///< largest page number the dialog accepts
    WORD nCopies;                ///< number of copies asked for
    HINSTANCE hInstance;         ///< instance of the templates; unused
    LPARAM lCustData;            ///< passed to the hooks; unused
    LPVOID lpfnPrintHook;        ///< hooks and templates are not supported and must be null
    LPVOID lpfnSetupHook;        ///< not supported: must be null
    LPCSTR lpPrintTemplateName;  ///< not supported: must be null
    LPCSTR lpSetupTemplateName;  ///< not supported: must be null
    HGLOBAL hPrintTemplate;      ///< not supported: must be null
    HGLOBAL hSetupTemplate;      ///< not supported: must be null
};
typedef PRINTDLGA* LPPRINTDLGA;  ///< Pointer to a PRINTDLGA.
static_assert(sizeof(PRINTDLGA) == 120, "PRINTDLGA layout");

/// The printer names block PrintDlgA hands back: offsets in characters from its start.
struct DEVNAMES {
    WORD wDriverOffset;  ///< offset of the driver name
    WORD wDeviceOffset;  ///< offset of the printer name
    WORD wOutputOffset;  ///< offset of the output port name
    WORD wDefault;       ///< 1 when the printer is the default one
};

/// A print job's description for StartDocA (40 bytes); null fields ask for defaults.
struct DOCINFOA {
    int cbSize;           ///< must be sizeof(DOCINFOA)
    LPCSTR lpszDocName;   ///< job title; null gives a default title
    LPCSTR lpszOutput;    ///< a file to print into instead of the printer, or null
    LPCSTR lpszDatatype;  ///< spooler data type; null for the default
    DWORD fwType;         ///< job flags; 0
};
static_assert(sizeof(DOCINFOA) == 40, "DOCINFOA layout");

// Shared builds hide every name but those the installed headers declare.
#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility push(default)
#endif

/// @name Last-error codes
/// @{

/// Values of GetLastError: no error, and a call that failed for want of memory.
#define ERROR_SUCCESS 0
#define ERROR_NOT_ENOUGH_MEMORY 8
/// @}

// ---- functions: kernel --------------------------------------------------------------------------
extern "C" {
/// The instance of the program (null name); null for a module that is not loaded.
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
/// Waits the given milliseconds (while waiting, what was drawn reaches the screen).
void WINAPI Sleep(DWORD dwMilliseconds);
/// Milliseconds since the system (here: the display) started; wraps after 49.7 days.
DWORD WINAPI GetTickCount(void);
/// The calling thread's last error code (ERROR_ value), as the last failing call set it.
DWORD WINAPI GetLastError(void);
/// Sets the calling thread's last error code.
void WINAPI SetLastError(DWORD dwErrCode);

// ---- functions: user ------------------------------------------------------------------------------
/// Registers a window class; 0 when the name is taken or the class is not valid.
ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass);
/// Removes a window class; FALSE while windows of it exist or when unknown.
BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance);
/// Creates a window of a registered class, outer size in pixels; null on failure.
HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
/// Shows, hides, minimises or restores a window; returns whether it was visible.
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
/// Sets a window's caption; FALSE for a handle that is not a window.
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString);
/// Copies the caption, cut to nMaxCount - 1 characters; returns its length, 0 on failure.
int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
/// Destroys a window (WM_DESTROY, then WM_NCDESTROY); FALSE for a handle that is not a window.
BOOL WINAPI DestroyWindow(HWND hWnd);
/// Whether the handle names an existing window.
BOOL WINAPI IsWindow(HWND hWnd);
/// A top-level window by class name and/or caption (null matches any); null when none.
HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName);
/// A system measure in pixels (SM_ index); 0 for an unknown index.
int WINAPI GetSystemMetrics(int nIndex);
/// Grows a client rectangle to the outer rectangle of a window of the given style.
BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
/// The client area as (0, 0, width, height).
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
/// The outer rectangle of a window in screen pixels.
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect);
/// A standard cursor (IDC_ARROW); null for an unknown one.
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
/// The device context of a window's client area; give it back with ReleaseDC. Null on failure.
HDC WINAPI GetDC(HWND hWnd);
/// Gives back a DC from GetDC; 1 when released, 0 otherwise.
int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
/// Takes or looks at the next message of the thread without waiting; FALSE when none.
BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
/// Waits for and takes the next message; 0 for WM_QUIT, -1 on error.
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
/// Posts the WM_CHAR of a key-down message that types a character.
BOOL WINAPI TranslateMessage(const MSG* lpMsg);
/// Calls the window procedure of a message's window; returns its result.
LRESULT WINAPI DispatchMessageA(const MSG* lpMsg);
/// The default handling of a message (WM_CLOSE destroys the window).
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
/// Calls the window procedure at once and returns its result; 0 for a handle that is not a window.
LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
/// Queues a message for a window and returns at once; FALSE for a handle that is not a window.
BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
/// Queues WM_QUIT with the exit code.
void WINAPI PostQuitMessage(int nExitCode);
/// Waits until a new message is in the queue.
BOOL WINAPI WaitMessage(void);
/// Sends all mouse messages to the window until ReleaseCapture; returns the previous captor.
HWND WINAPI SetCapture(HWND hWnd);
/// Ends the mouse capture.
BOOL WINAPI ReleaseCapture(void);
/// The window holding the mouse capture, or null.
HWND WINAPI GetCapture(void);
/// Shows a message and waits for OK; returns IDOK (0 on failure).
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// ---- functions: GDI objects and state ---------------------------------------------------------------
/// A stock object by index; null for an unknown index.
HGDIOBJ WINAPI GetStockObject(int i);
/// A pen of a style, width in pixels and colour; null on failure. Delete it with DeleteObject.
HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color);
/// A brush of one colour; null on failure. Delete it with DeleteObject.
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
/// A font matching the request as closely as the installed fonts allow; null for a null request.
HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf);
/// Deletes a pen, brush, font, bitmap or region; FALSE for a handle that is not one. A stock
/// object is never deleted, and an object still selected into a DC is not freed under it.
BOOL WINAPI DeleteObject(HGDIOBJ ho);
/// Selects an object into a DC and returns the one it replaces; null on failure. A region is copied
/// as the clip region (returns its kind).
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
/// The kind of a GDI object (OBJ_ value); 0 for a handle that is not one.
DWORD WINAPI GetObjectType(HGDIOBJ h);
/// Fills LOGPEN, LOGBRUSH, LOGFONTA or BITMAP for an object; returns the bytes written, 0 on
/// failure.
int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv);
/// The object of a kind (OBJ_PEN ...) selected in a DC; null on failure.
HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type);
/// Sets the mix mode (R2_ value) of a DC; returns the previous one, 0 on failure.
int WINAPI SetROP2(HDC hdc, int rop2);
/// The mix mode of a DC; 0 on failure.
int WINAPI GetROP2(HDC hdc);
/// Sets the text colour of a DC; returns the previous one, CLR_INVALID on failure.
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
/// The text colour of a DC; CLR_INVALID on failure.
COLORREF WINAPI GetTextColor(HDC hdc);
/// Sets the background colour of a DC; returns the previous one, CLR_INVALID on failure.
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
/// The background colour of a DC; CLR_INVALID on failure.
COLORREF WINAPI GetBkColor(HDC hdc);
/// Sets TRANSPARENT or OPAQUE; returns the previous mode, 0 on failure or for another value.
int WINAPI SetBkMode(HDC hdc, int mode);
/// The background mode of a DC; 0 on failure.
int WINAPI GetBkMode(HDC hdc);
/// Sets the TA_ flags of a DC; returns the previous ones, GDI_ERROR on failure.
UINT WINAPI SetTextAlign(HDC hdc, UINT align);
/// The TA_ flags of a DC; GDI_ERROR on failure.
UINT WINAPI GetTextAlign(HDC hdc);
/// Sets ALTERNATE or WINDING; returns the previous mode, 0 on failure.
int WINAPI SetPolyFillMode(HDC hdc, int mode);
/// The polygon fill mode of a DC; 0 on failure.
int WINAPI GetPolyFillMode(HDC hdc);
/// Sets AD_COUNTERCLOCKWISE or AD_CLOCKWISE; returns the previous one, 0 on failure.
int WINAPI SetArcDirection(HDC hdc, int dir);
/// The arc direction of a DC; 0 on failure.
int WINAPI GetArcDirection(HDC hdc);
/// Moves the current position; the previous one into lppt when not null.
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
/// The current position of a DC.
BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
/// A memory DC like the given one (the screen for null), holding a 1 x 1 bitmap; null on failure.
HDC WINAPI CreateCompatibleDC(HDC hdc);
/// Deletes a memory DC; FALSE for a bad handle.
BOOL WINAPI DeleteDC(HDC hdc);
/// A capability of a DC (HORZRES ...); 0 for an unknown index.
int WINAPI GetDeviceCaps(HDC hdc, int index);
/// Finishes pending drawing (drawing is never deferred here: always TRUE).
BOOL WINAPI GdiFlush(void);

// ---- functions: printing ------------------------------------------------------------------------------
/// Shows the print dialog; nonzero when a printer was chosen (see PRINTDLGA for the answers).
BOOL WINAPI PrintDlgA(LPPRINTDLGA pPD);
/// Why the last common dialog call failed: 0 when the user cancelled, else a CDERR_/PDERR_ code.
DWORD WINAPI CommDlgExtendedError(void);
/// Starts a job on a printer DC: a job number > 0, or SP_ERROR.
int WINAPI StartDocA(HDC hdc, const DOCINFOA* lpdi);
/// Starts a page: > 0, or SP_ERROR outside a job.
int WINAPI StartPage(HDC hdc);
/// Draws the page as recorded since StartPage: > 0, or SP_ERROR.
int WINAPI EndPage(HDC hdc);
/// Ends the job and hands it to the printer: > 0 when the printer accepted it, else <= 0.
int WINAPI EndDoc(HDC hdc);
/// Throws the job away: > 0, or SP_ERROR when no job was started.
int WINAPI AbortDoc(HDC hdc);
/// Frees a block PrintDlgA handed back: null on success, the handle itself when it is unknown.
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);

// ---- functions: drawing ---------------------------------------------------------------------------
/// The colour of a pixel; CLR_INVALID outside the DC's surface or clip region.
COLORREF WINAPI GetPixel(HDC hdc, int x, int y);
/// Sets a pixel and returns the colour set; -1 (CLR_INVALID) outside.
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color);
/// A line in the pen from the current position to (x, y), end excluded; moves the current position
/// there.
BOOL WINAPI LineTo(HDC hdc, int x, int y);
/// Lines through cpt points (at least 2), in the pen; the current position is not used.
BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt);
/// A rectangle outlined with the pen, filled with the brush; right and bottom excluded.
BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom);
/// A rectangle with corners rounded as quarter ellipses of width x height pixels.
BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
/// The ellipse of a box, outlined with the pen, filled with the brush.
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom);
/// An arc of the ellipse of a box, from the ray to (x3, y3) to the ray to (x4, y4), in the arc
/// direction.
BOOL WINAPI Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
/// A pie slice: the arc as Arc draws it and two lines to the centre, filled.
BOOL WINAPI Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2);
/// A chord: the arc and the line joining its ends, filled.
BOOL WINAPI Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
/// A polygon through cpt points (at least 2), closed, filled in the DC's fill mode.
BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt);
/// Cubic Bézier curves: 1 + 3n points; FALSE for another count.
BOOL WINAPI PolyBezier(HDC hdc, const POINT* apt, DWORD cpt);
/// Fills a rectangle with the brush combined by a raster operation (PATCOPY, PATINVERT, DSTINVERT,
/// BLACKNESS, WHITENESS).
BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);

// ---- functions: regions ----------------------------------------------------------------------------
/// A rectangular region, right and bottom excluded; null on failure.
HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2);
/// A region of a rectangle with rounded corners.
HRGN WINAPI CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
/// The region of the ellipse of a box.
HRGN WINAPI CreateEllipticRgn(int x1, int y1, int x2, int y2);
/// The region of a polygon of cPoint points in a fill mode; null on failure.
HRGN WINAPI CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
/// Sets hrgnDst to src1 op src2 (RGN_ value); returns the kind of the result, ERROR on failure.
int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
/// Moves a region; returns its kind, ERROR on failure.
int WINAPI OffsetRgn(HRGN hrgn, int x, int y);
/// The bounding rectangle of a region; returns its kind, 0 on failure.
int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc);
/// Whether a point lies in a region.
BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y);
/// Fills a region with a brush.
BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
/// Fills a region with the DC's brush.
BOOL WINAPI PaintRgn(HDC hdc, HRGN hrgn);
/// Inverts every pixel of a region.
BOOL WINAPI InvertRgn(HDC hdc, HRGN hrgn);

// ---- functions: clipping ----------------------------------------------------------------------------
/// Makes a copy of a region the DC's clip region (null removes it); returns the new clip's kind
/// (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn);
/// Combines the clip region with a region by an RGN_ mode (a null region only with RGN_COPY,
/// which removes the clip); a DC without a clip counts as its whole surface. Returns the kind.
int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
/// Limits the clip region to a rectangle (right and bottom excluded); returns the kind.
int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
/// Takes a rectangle (right and bottom excluded) out of the clip region; returns the kind.
int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
/// The box of what drawing may change (the clip region within the surface); returns its kind.
int WINAPI GetClipBox(HDC hdc, LPRECT lprect);

// ---- functions: bitmaps and blits -------------------------------------------------------------------
/// A bitmap whose pixels the program reaches at *ppvBits; null for a layout that is not supported.
HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                DWORD offset);
/// A bitmap of cx x cy pixels like the DC's surface; null on failure.
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy);
/// As CreateCompatibleBitmap.
HBITMAP WINAPI CreateDiscardableBitmap(HDC hdc, int cx, int cy);
/// Copies cx x cy pixels from a source DC, combined by a raster operation (SRCCOPY copies).
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
/// Copies rows of a bitmap into memory in the layout of lpbmi (or fills lpbmi's header when lpvBits
/// is null); returns the rows copied, 0 on failure.
int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage);
/// Sets how StretchBlt drops pixels when shrinking; returns the previous mode, 0 on failure.
int WINAPI SetStretchBltMode(HDC hdc, int mode);
/// The stretching mode of a DC; 0 on failure.
int WINAPI GetStretchBltMode(HDC hdc);
/// Copies a source rectangle to a destination rectangle of another size; negative sizes mirror.
BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop);
/// Draws memory pixels in the layout of lpbmi into a rectangle of any size; returns the rows drawn,
/// 0 on failure.
int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                         int SrcHeight, LPCVOID lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop);
/// Draws memory pixels at their own size; returns the rows drawn, 0 on failure.
int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                             UINT cLines, LPCVOID lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse);

// ---- functions: text -------------------------------------------------------------------------------
/// Draws c characters (Windows-1252) at (x, y) in the selected font and text colour, aligned as
/// SetTextAlign says.
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
/// The width and height in pixels of c characters in the selected font.
BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
/// The measures of the selected font.
BOOL WINAPI GetTextMetricsA(HDC hdc, TEXTMETRICA* lptm);
/// The face name of the selected font, cut to c - 1 characters; returns the number of characters
/// copied, 0 on failure.
int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName);
}  // extern "C"
#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility pop
#endif

#endif  // _WIN32
