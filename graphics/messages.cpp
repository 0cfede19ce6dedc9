// Message handling: PumpMessages takes at most one pending message of the window and dispatches
// it; WindowProcedure, the one native window procedure, turns mouse and key messages into the
// cursor position, the button states and the two input queues, through the registry only.
//
// No C++ exception crosses the native dispatch: an exception raised while recording is kept in
// the registry and rethrown by PumpMessages once DispatchMessageA has returned. The waits block
// in WaitMessage when a round took no message, and give up when the native window is gone.
#include <graphics/library_internal.h>
#include <graphics/window.h>
#include <graphics/window_registry.h>

#include <exception>

namespace {

struct KeyTableRow {
    WPARAM virtualKey;
    KeyType type;
    unsigned int code;
};

// Arrow codes are the digits of the numeric-keypad keys with the same function.
constexpr KeyTableRow kKeyTable[] = {
    {VK_ESCAPE, ESCAPE_KEY, 1}, {VK_PRIOR, ARROW_KEY, 9}, {VK_NEXT, ARROW_KEY, 3},
    {VK_END, ARROW_KEY, 1},     {VK_HOME, ARROW_KEY, 7},  {VK_LEFT, ARROW_KEY, 4},
    {VK_UP, ARROW_KEY, 8},      {VK_RIGHT, ARROW_KEY, 6}, {VK_DOWN, ARROW_KEY, 2},
};

// Client coordinates as the library reads them: each half of lParam as an unsigned 16-bit number,
// so a captured position one pixel left of the window reads 65535.
int PackedX(LPARAM lParam) { return static_cast<int>(static_cast<unsigned long long>(lParam) & 0xFFFFu); }

int PackedY(LPARAM lParam) { return static_cast<int>((static_cast<unsigned long long>(lParam) >> 16) & 0xFFFFu); }

void OnButtonDown(HWND handle, MouseButton button, LPARAM lParam) {
    if (WindowRegistry* registry = WindowRegistry::Active(); registry != nullptr) {
        registry->RecordButton(handle, button, BUTTON_DOWN, PackedX(lParam), PackedY(lParam));
    }
    SetCapture(handle);
}

// The capture is released even when recording the click throws.
void OnButtonUp(HWND handle, MouseButton button, ClickType click, LPARAM lParam) {
    struct CaptureRelease {
        ~CaptureRelease() { ReleaseCapture(); }
    } release;
    WindowRegistry* registry = WindowRegistry::Active();
    if (registry == nullptr) {
        return;
    }
    registry->RecordButton(handle, button, BUTTON_UP, PackedX(lParam), PackedY(lParam));
    registry->RecordClick(handle, click, PackedX(lParam), PackedY(lParam));
}

void OnKeyDown(HWND handle, WPARAM virtualKey) {
    WindowRegistry* registry = WindowRegistry::Active();
    if (registry == nullptr) {
        return;
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12) {
        registry->RecordKey(handle, FUNCTION_KEY, static_cast<unsigned int>(virtualKey - VK_F1 + 1));
        return;
    }
    for (const KeyTableRow& row : kKeyTable) {
        if (row.virtualKey == virtualKey) {
            registry->RecordKey(handle, row.type, row.code);
            return;
        }
    }
}

void OnChar(HWND handle, WPARAM character) {
    if (WindowRegistry* registry = WindowRegistry::Active(); registry != nullptr) {
        registry->RecordKey(handle, ASCII_KEY, static_cast<unsigned int>(character & 0xFFu));
    }
}

LRESULT HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (WindowRegistry* registry = WindowRegistry::Active(); registry != nullptr) {
            registry->RecordPosition(handle, PackedX(lParam), PackedY(lParam));
        }
        return 0;
    case WM_LBUTTONDOWN: OnButtonDown(handle, LEFT_BUTTON, lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(handle, LEFT_BUTTON, LEFT_CLICK, lParam); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(handle, RIGHT_BUTTON, lParam); return 0;
    case WM_RBUTTONUP: OnButtonUp(handle, RIGHT_BUTTON, RIGHT_CLICK, lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(handle, wParam); return 0;
    case WM_CHAR: OnChar(handle, wParam); return 0;
    default: return DefWindowProcA(handle, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(handle, message, wParam, lParam);
    } catch (...) {
        if (WindowRegistry* registry = WindowRegistry::Active(); registry != nullptr) {
            registry->KeepPendingError(std::current_exception());
        }
        return 0;
    }
}

// A window without a native handle pumps nothing: a null filter would take every message of the
// thread, and messages of other windows must stay in the queue.
bool window::TakeOneMessage() {
    if (hwndWindow == nullptr) {
        return false;
    }
    MSG message{};
    if (PeekMessageA(&message, hwndWindow, 0, 0, PM_REMOVE) == 0) {
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (WindowRegistry* registry = WindowRegistry::Active(); registry != nullptr) {
        if (std::exception_ptr pending = registry->TakePendingError()) {
            std::rethrow_exception(pending);
        }
    }
    return true;
}

void window::PumpMessages() { TakeOneMessage(); }

void window::GetMousePosition(int& x, int& y) {
    PumpMessages();
    x = iMouseX;
    y = iMouseY;
}

ButtonState window::GetButtonState(MouseButton button, int& x, int& y) {
    PumpMessages();
    x = iMouseX;
    y = iMouseY;
    return button == LEFT_BUTTON ? bsLeft : bsRight;
}

ClickType window::PollMouseClick(int& x, int& y) {
    PumpMessages();
    std::unique_ptr<ClickRecord> click = queMouse.Pop();
    x = click ? click->iX : -1;
    y = click ? click->iY : -1;
    return click ? click->ctType : NO_CLICK;
}

// Each round pumps once and pops once, as the polling form does; a round that took no message
// sleeps in WaitMessage until something new arrives for the thread.
ClickType window::WaitForMouseClick(int& x, int& y) {
    for (;;) {
        const bool took = TakeOneMessage();
        if (std::unique_ptr<ClickRecord> click = queMouse.Pop()) {
            x = click->iX;
            y = click->iY;
            return click->ctType;
        }
        if (IsGone()) {
            x = -1;
            y = -1;
            return NO_CLICK;
        }
        if (!took) {
            WaitMessage();
        }
    }
}

KeyType window::PollKeyPress(char& key) {
    PumpMessages();
    std::unique_ptr<KeyRecord> record = queKey.Pop();
    key = record ? record->cCode : '\0';
    return record ? record->ktType : NO_KEY;
}

KeyType window::WaitForKeyPress(char& key) {
    for (;;) {
        const bool took = TakeOneMessage();
        if (std::unique_ptr<KeyRecord> record = queKey.Pop()) {
            key = record->cCode;
            return record->ktType;
        }
        if (IsGone()) {
            key = '\0';
            return NO_KEY;
        }
        if (!took) {
            WaitMessage();
        }
    }
}

void window::ClearMouseQueue() {
    PumpMessages();
    while (queMouse.Pop()) {}
}

void window::ClearKeyQueue() {
    PumpMessages();
    while (queKey.Pop()) {}
}
