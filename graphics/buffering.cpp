// Double buffering: dcActive is either the window's own context (dcScreen) or a memory context
// holding a back buffer of iWindowWidth x iWindowHeight pixels, copied to the window by
// UpdateBuffer. The clearing rectangle and the copy both cover (0, 0) to (width - 2, height - 2):
// the last column and row of the buffer are never cleared nor copied.
#include <graphics/library_internal.h>
#include <graphics/window.h>

namespace {

using graphics_detail::ReportFatal;

// size - 1 without overflow for a size of INT_MIN.
int LastIndex(int size) { return graphics_detail::Saturate(static_cast<long long>(size) - 1); }

}  // namespace

bool window::SetBuffering(bool on) {
    PumpMessages();
    if (on == bBuffering) {
        return bBuffering;
    }
    const bool previous = bBuffering;
    if (on) {
        SetLastError(ERROR_SUCCESS);
        bmapBuffer = CreateDiscardableBitmap(dcActive, iWindowWidth, iWindowHeight);
        // No hidden copy can be had (a window too large for one): buffering stays off, and says so.
        if (bmapBuffer == nullptr) {
            FailDrawing("Fatal Error: Failed to CreateDiscardableBitmap in SetBuffering!");
            return previous;
        }
        bBuffering = true;
        dcScreen = dcActive;
        dcActive = CreateCompatibleDC(dcScreen);
        if (dcActive != nullptr) {
            bmapOld = SelectObject(dcActive, bmapBuffer);
        }
        SetPen(WHITE, 1);
        SetBrush(WHITE);
        DrawRectangle(0, 0, LastIndex(iWindowWidth), LastIndex(iWindowHeight), FILLED, 0, 0);
        return previous;
    }
    bBuffering = false;
    SelectObject(dcActive, bmapOld);
    if (dcActive != nullptr && DeleteDC(dcActive) != 1) {
        ReportFatal("Fatal Error: Failed to delete dcActive in SetBuffering!");
    }
    dcActive = nullptr;
    if (bmapBuffer != nullptr && DeleteObject(bmapBuffer) != 1) {
        ReportFatal("Fatal Error: Failed to delete bmapBuffer in SetBuffering!");
    }
    bmapBuffer = nullptr;
    dcActive = dcScreen;
    return previous;
}

void window::UpdateBuffer() {
    PumpMessages();
    if (!bBuffering) {
        return;
    }
    if (BitBlt(dcScreen, 0, 0, LastIndex(iWindowWidth), LastIndex(iWindowHeight), dcActive, 0, 0, SRCCOPY) != 1) {
        ReportFatal("Fatal Error: Failed to BitBlt in UpdateBuffer!");
    }
}
