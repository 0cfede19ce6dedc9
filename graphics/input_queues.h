// Input records, the two first-in first-out queues of a window, and the process-wide registry
// through which the one native window procedure finds the `window` of a native handle.
//
// Invariants: a queue owns every record from its head on until `Pop` hands one over; emptiness is
// judged by the head alone (the tail may still name a record already handed over). The registry
// exists from the first window's construction to the last window's destruction and is reached only
// through `WindowRegistry::Active()`, a plain pointer that is null while no window exists, so that
// no object with a constructor is involved in static initialisation.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <exception>
#include <memory>

class window;

enum ClickType : std::int32_t { NO_CLICK = 0, LEFT_CLICK = 1, RIGHT_CLICK = 2 };
enum KeyType : std::int32_t { NO_KEY = 0, ASCII_KEY = 1, ARROW_KEY = 2, FUNCTION_KEY = 3, ESCAPE_KEY = 4 };
enum MouseButton : std::int32_t { LEFT_BUTTON = 0, RIGHT_BUTTON = 1 };
enum ButtonState : std::int32_t { BUTTON_UP = 0, BUTTON_DOWN = 1 };

// One queued click: released button and release position in client pixels.
struct ClickRecord {
    ClickType ctType = NO_CLICK;
    std::int32_t iX = -1;
    std::int32_t iY = -1;
    ClickRecord* pNext = nullptr;
};

// One queued key: its kind and an 8-bit code (a character for ASCII_KEY, a keypad digit for
// ARROW_KEY, 1 to 12 for FUNCTION_KEY, 1 for ESCAPE_KEY).
struct KeyRecord {
    KeyType ktType = NO_KEY;
    char cCode = 0;
    KeyRecord* pNext = nullptr;
};

// A singly linked FIFO of heap records of one kind (ClickRecord or KeyRecord).
template <class Record>
class RecordQueue {
public:
    RecordQueue() = default;
    RecordQueue(const RecordQueue&) = delete;
    RecordQueue& operator=(const RecordQueue&) = delete;
    ~RecordQueue() {
        pTail = nullptr;
        while (pHead != nullptr) {
            Record* next = pHead->pNext;
            delete pHead;
            pHead = next;
        }
    }

    // Appends the record and takes ownership; a null record is ignored.
    void Push(std::unique_ptr<Record> record) {
        if (!record) {
            return;
        }
        Record* raw = record.release();
        raw->pNext = nullptr;
        if (pHead == nullptr) {
            pHead = raw;
            pTail = raw;
            return;
        }
        pTail->pNext = raw;
        pTail = raw;
    }

    // Detaches the oldest record and hands it over; null when the queue is empty.
    std::unique_ptr<Record> Pop() {
        if (pHead == nullptr) {
            return nullptr;
        }
        Record* head = pHead;
        pHead = head->pNext;
        head->pNext = nullptr;
        return std::unique_ptr<Record>(head);
    }

    bool IsEmpty() const { return pHead == nullptr; }

private:
    Record* pHead = nullptr;
    Record* pTail = nullptr;
};

using MouseQueue = RecordQueue<ClickRecord>;
using KeyQueue = RecordQueue<KeyRecord>;

// One registered window: the native handle and the `window` (not owned) that wraps it.
struct RegistryEntry {
    RegistryEntry* pNext = nullptr;
    HWND hwnd = nullptr;
    window* pWindow = nullptr;
};

// The list of live windows, in registration order. The recording operations are the only way the
// native window procedure reaches a `window`; each does nothing for a handle that is not listed.
class WindowRegistry {
public:
    RegistryEntry* pFirst = nullptr;
    bool bWaitClose = true;
    std::uint32_t nWindows = 0;  // 32 bits: a 16-bit count wraps after 65,536 windows and misjudges the last one

    WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;
    ~WindowRegistry();

    // Appends an entry unless the handle is already listed (then the first window stays).
    // Throws `error` 0 when no memory is available for the entry.
    void Register(HWND handle, window* owner);
    // Removes the first entry of the handle; an absent handle changes nothing.
    void Unregister(HWND handle);
    window* Lookup(HWND handle) const;

    void RecordPosition(HWND handle, int x, int y);
    void RecordButton(HWND handle, MouseButton button, ButtonState state, int x, int y);
    void RecordClick(HWND handle, ClickType type, int x, int y);   // may throw `error` 0
    void RecordKey(HWND handle, KeyType type, unsigned int code);  // keeps the low 8 bits; may throw

    // An exception raised while a message was being recorded inside the native dispatch, kept
    // here so that it never crosses the platform's frames; PumpMessages rethrows it.
    void KeepPendingError(std::exception_ptr pending) noexcept;
    std::exception_ptr TakePendingError() noexcept;

    // The process-wide registry, or null while no window exists.
    static WindowRegistry* Active() noexcept;
    // Returns the process-wide registry, creating it first if needed (throws `error` 0).
    static WindowRegistry& Acquire();
    // Deletes the process-wide registry and clears the pointer.
    static void Release() noexcept;

private:
    std::exception_ptr pendingError;
};
