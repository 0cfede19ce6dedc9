// Double buffering: dcActive is either the window's own context (dcScreen) or a memory context
// holding a back buffer of iWindowWidth x iWindowHeight pixels, copied to the window by
// UpdateBuffer. The clearing rectangle and the copy both cover (0, 0) to (width - 2, height - 2):
// the last column and row of the buffer are never cleared nor copied.
#include <graphics/library_internal.h>
#include <graphics/window.h>

namespace {

using graphics_detail::ReportFatal;
using graphics_detail::ReportWarning;

// size - 1 without overflow for a size of INT_MIN.
int LastIndex(int size) { return graphics_detail::Saturate(static_cast<long long>(size) - 1); }

}  // namespace

bool window::SetBuffering(bool on, std::source_location where) {
    const graphics_detail::CallScope scope("SetBuffering", where, on);
    PumpMessages();
    if (on == bBuffering) {
        return bBuffering;
    }
    const bool previous = bBuffering;
    if (on) {
        // Without its bitmap the back buffer would be one pixel: every drawing would vanish.
        bmapBuffer = CreateDiscardableBitmap(dcActive, iWindowWidth, iWindowHeight);
        if (bmapBuffer == nullptr) {
            ReportWarning(
                "Warning: No back buffer can be made for a window of this size; double buffering stays off "
                "in SetBuffering!");
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

void window::UpdateBuffer(std::source_location where) {
    const graphics_detail::CallScope scope("UpdateBuffer", where);
    PumpMessages();
    if (!bBuffering) {
        return;
    }
    if (BitBlt(dcScreen, 0, 0, LastIndex(iWindowWidth), LastIndex(iWindowHeight), dcActive, 0, 0, SRCCOPY) != 1) {
        ReportFatal("Fatal Error: Failed to BitBlt in UpdateBuffer!");
    }
}
