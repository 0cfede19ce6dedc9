// Printing the picture: the print dialog, a check that the printer takes bitmap copies, and one
// page with the picture copied from dcActive. The job, page and copy calls all run even when one
// fails: each failure is reported and the next step follows.
//
// The request records carry their real sizes (sizeof): a print dialog refuses any other size.
// The printer DC and the blocks the dialog hands back are released on every path, also when the
// printer is refused.
#include <graphics/library_internal.h>
#include <graphics/window.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using graphics_detail::ReportFatal;

constexpr const char* kCaption = "Graphics Library";
constexpr UINT kBoxStyle = MB_OK | MB_ICONWARNING;
constexpr DWORD kDialogFlags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;

// Frees what the dialog handed back and is not used.
void ReleaseDialogBlocks(PRINTDLGA& request) {
    if (request.hDevMode != nullptr) {
        GlobalFree(request.hDevMode);
    }
    if (request.hDevNames != nullptr) {
        GlobalFree(request.hDevNames);
    }
}

// The printer takes block transfers of large bitmaps; otherwise says why not, in a box.
bool PrinterAccepts(HWND owner, HDC printer) {
    if ((GetDeviceCaps(printer, RASTERCAPS) & RC_BITBLT) == 0) {
        MessageBoxA(owner, "Your printer does not support bitblts.  Sorry", kCaption, kBoxStyle);
        return false;
    }
    if ((GetDeviceCaps(printer, RASTERCAPS) & RC_BITMAP64) == 0) {
        MessageBoxA(owner, "Your printer does not support bitmaps larger than 64K.  Sorry.", kCaption, kBoxStyle);
        return false;
    }
    return true;
}

// The part of a picture that lands on the page: rows [first, first + rows) of the picture go to
// the page rows [top, top + height).
struct Placement {
    int first = 0, rows = 0;
    int top = 0, height = 0;
};

// Halves rounding toward minus infinity, as an arithmetic shift does: a picture larger than the
// page overflows both sides alike.
long long HalfDown(long long value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

// A picture of `height` rows scaled to `scaled` rows (at least one, so that no picture vanishes)
// and centred on a page of `page` rows. The arithmetic is in 64 bits: a picture whose scaled
// size does not fit an int (a window 1 x 500,000 on a 600 dpi page is 2.48e9 rows) is cut to
// the rows that reach the page, whose extent then fits.
Placement CentreRows(long long height, long long scaled, long long page) {
    scaled = std::max(scaled, 1LL);
    const long long top = HalfDown(page - scaled);
    if (scaled <= INT_MAX && top >= INT_MIN && top <= INT_MAX) {
        return {0, static_cast<int>(height), static_cast<int>(top), static_cast<int>(scaled)};
    }
    const double perRow = static_cast<double>(scaled) / static_cast<double>(height);
    const long long first =
        std::clamp(static_cast<long long>(std::floor(static_cast<double>(-top) / perRow)), 0LL, height - 1);
    const long long last =
        std::clamp(static_cast<long long>(std::ceil(static_cast<double>(page - top) / perRow)), first + 1, height);
    const double from = static_cast<double>(top) + static_cast<double>(first) * perRow;
    const double to = static_cast<double>(top) + static_cast<double>(last) * perRow;
    return {static_cast<int>(first), static_cast<int>(last - first), static_cast<int>(std::floor(from)),
            static_cast<int>(std::floor(to) - std::floor(from))};
}

// A step of the job failed: for want of memory it throws the library's `error`, after
// throwing the document away; any other failure is reported and printing goes on.
void FailStep(HDC dcPrinter, const char* failure) {
    if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) {
        AbortDoc(dcPrinter);
        DeleteDC(dcPrinter);
        throw OUT_OF_MEMORY;
    }
    ReportFatal(failure);
}

// Stretched to the page width and centred vertically, or at its own size and centred both ways.
void CopyToPage(HDC dcPrinter, HDC source, int width, int height) {
    if ((GetDeviceCaps(dcPrinter, RASTERCAPS) & RC_STRETCHBLT) != 0) {
        const long long pageWidth = GetDeviceCaps(dcPrinter, HORZRES);
        const Placement rows = CentreRows(height, pageWidth * height / width, GetDeviceCaps(dcPrinter, VERTRES));
        if (StretchBlt(dcPrinter, 0, rows.top, static_cast<int>(pageWidth), rows.height, source, 0, rows.first, width,
                       rows.rows, SRCCOPY) != 1) {
            FailStep(dcPrinter, "Fatal Error: Failed to StretchBlt in Print!");
        }
        return;
    }
    const Placement columns = CentreRows(width, width, GetDeviceCaps(dcPrinter, HORZRES));
    const Placement rows = CentreRows(height, height, GetDeviceCaps(dcPrinter, VERTRES));
    if (BitBlt(dcPrinter, columns.top, rows.top, width, height, source, 0, 0, SRCCOPY) != 1) {
        FailStep(dcPrinter, "Fatal Error: Failed to BitBlt in Print!");
    }
}

void PrintPage(HDC dcPrinter, const DOCINFOA& job, HDC source, int width, int height) {
    SetLastError(ERROR_SUCCESS);
    if (StartDocA(dcPrinter, &job) <= 0) {
        FailStep(dcPrinter, "Fatal Error: Failed to StartDoc in Print!");
    }
    if (StartPage(dcPrinter) <= 0) {
        FailStep(dcPrinter, "Fatal Error: Failed to StartPage in Print!");
    }
    CopyToPage(dcPrinter, source, width, height);
    if (EndPage(dcPrinter) <= 0) {
        FailStep(dcPrinter, "Fatal Error: Failed to EndPage in Print!");
    }
    if (EndDoc(dcPrinter) <= 0) {
        FailStep(dcPrinter, "Fatal Error: Failed to EndDoc in Print!");
    }
    if (DeleteDC(dcPrinter) != 1) {
        ReportFatal("Fatal Error: Failed to delete dcPrinter in Print!");
    }
}

}  // namespace

void window::Print() {
    DOCINFOA job{};
    job.cbSize = sizeof(DOCINFOA);
    PumpMessages();
    if (!bBuffering) {
        MessageBoxA(hwndWindow, "Double-buffering must be enabled for printing to work.  Sorry.", kCaption, kBoxStyle);
    }
    PRINTDLGA request{};
    request.lStructSize = sizeof(PRINTDLGA);
    request.hwndOwner = hwndWindow;
    request.Flags = kDialogFlags;
    SetLastError(ERROR_SUCCESS);
    if (PrintDlgA(&request) == 0) {
        if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) {
            throw OUT_OF_MEMORY;
        }
        return;
    }
    ReleaseDialogBlocks(request);
    HDC dcPrinter = request.hDC;
    if (!PrinterAccepts(hwndWindow, dcPrinter)) {
        DeleteDC(dcPrinter);
        return;
    }
    PrintPage(dcPrinter, job, dcActive, iWindowWidth, iWindowHeight);
}
