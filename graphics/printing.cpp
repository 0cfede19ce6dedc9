// Printing the picture: the print dialog, a check that the printer takes bitmap copies, and one
// page with the picture copied from dcActive. The job, page and copy calls all run even when one
// fails: each failure is reported and the next step follows.
//
// The request records carry their real sizes (sizeof): a print dialog refuses any other size.
// The printer DC and the blocks the dialog hands back are released on every path, also when the
// printer is refused.
#include <graphics/library_internal.h>
#include <graphics/utf8_text.h>
#include <graphics/window.h>

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
        graphics_detail::MessageBoxUtf8(owner, "Your printer does not support bitblts.  Sorry", kCaption, kBoxStyle);
        return false;
    }
    if ((GetDeviceCaps(printer, RASTERCAPS) & RC_BITMAP64) == 0) {
        graphics_detail::MessageBoxUtf8(owner, "Your printer does not support bitmaps larger than 64K.  Sorry.",
                                        kCaption, kBoxStyle);
        return false;
    }
    return true;
}

// Stretched to the page width and centred vertically, or at its own size and centred both ways.
// The offsets halve with an arithmetic shift: a picture larger than the page overflows both
// sides alike, rounding toward minus infinity.
void CopyToPage(HDC dcPrinter, HDC source, int width, int height) {
    if ((GetDeviceCaps(dcPrinter, RASTERCAPS) & RC_STRETCHBLT) != 0) {
        const int pageWidth = GetDeviceCaps(dcPrinter, HORZRES);
        const int scaledHeight = static_cast<int>(static_cast<double>(pageWidth) * height / width);
        const int top = (GetDeviceCaps(dcPrinter, VERTRES) - scaledHeight) >> 1;
        if (StretchBlt(dcPrinter, 0, top, pageWidth, scaledHeight, source, 0, 0, width, height, SRCCOPY) != 1) {
            ReportFatal("Fatal Error: Failed to StretchBlt in Print!");
        }
        return;
    }
    const int left = (GetDeviceCaps(dcPrinter, HORZRES) - width) >> 1;
    const int top = (GetDeviceCaps(dcPrinter, VERTRES) - height) >> 1;
    if (BitBlt(dcPrinter, left, top, width, height, source, 0, 0, SRCCOPY) != 1) {
        ReportFatal("Fatal Error: Failed to BitBlt in Print!");
    }
}

void PrintPage(HDC dcPrinter, const DOCINFOA& job, HDC source, int width, int height) {
    if (StartDocA(dcPrinter, &job) <= 0) {
        ReportFatal("Fatal Error: Failed to StartDoc in Print!");
    }
    if (StartPage(dcPrinter) <= 0) {
        ReportFatal("Fatal Error: Failed to StartPage in Print!");
    }
    CopyToPage(dcPrinter, source, width, height);
    if (EndPage(dcPrinter) <= 0) {
        ReportFatal("Fatal Error: Failed to EndPage in Print!");
    }
    if (EndDoc(dcPrinter) <= 0) {
        ReportFatal("Fatal Error: Failed to EndDoc in Print!");
    }
    if (DeleteDC(dcPrinter) != 1) {
        ReportFatal("Fatal Error: Failed to delete dcPrinter in Print!");
    }
}

}  // namespace

void window::Print(std::source_location where) {
    const graphics_detail::CallScope scope("Print", where);
    DOCINFOA job{};
    job.cbSize = sizeof(DOCINFOA);
    PumpMessages();
    if (!bBuffering) {
        graphics_detail::MessageBoxUtf8(hwndWindow, "Double-buffering must be enabled for printing to work.  Sorry.",
                                        kCaption, kBoxStyle);
    }
    PRINTDLGA request{};
    request.lStructSize = sizeof(PRINTDLGA);
    request.hwndOwner = hwndWindow;
    request.Flags = kDialogFlags;
    if (PrintDlgA(&request) == 0) {
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
