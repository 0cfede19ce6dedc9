/// @file
/// Input records and the two first-in first-out queues of a window.
///
/// Invariants: a queue owns every record from its head on until `Pop` hands one over; emptiness is
/// judged by the head alone (the tail may still name a record already handed over).
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <memory>

// Shared builds hide every name but those the installed headers declare.
#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility push(default)
#endif

class window;

/// What a click was, as window::PollMouseClick and window::WaitForMouseClick report it.
enum ClickType : std::int32_t {
    NO_CLICK = 0,    ///< No click: the queue was empty, or the window is gone.
    LEFT_CLICK = 1,  ///< The left button was pressed and released.
    RIGHT_CLICK = 2  ///< The right button was pressed and released.
};
/// What a key was, as window::PollKeyPress and window::WaitForKeyPress report it.
enum KeyType : std::int32_t {
    NO_KEY = 0,     ///< No key: the queue was empty, or the window is gone (code 0).
    ASCII_KEY = 1,  ///< A character key; the code is the character typed ('a', 'A', '7', ' ').
    /// A cursor key; the code is the number (not the character) of the keypad key of the same
    /// use: 8 up, 2 down, 4 left, 6 right, 7 Home, 1 End, 9 Page Up, 3 Page Down.
    ARROW_KEY = 2,
    FUNCTION_KEY = 3,  ///< F1 to F12; the code is 1 to 12.
    ESCAPE_KEY = 4     ///< The Escape key; the code is 1.
};
/// A mouse button, for window::GetButtonState.
enum MouseButton : std::int32_t {
    LEFT_BUTTON = 0,  ///< The left button.
    RIGHT_BUTTON = 1  ///< The right button.
};
/// Whether a button is held down, from window::GetButtonState.
enum ButtonState : std::int32_t {
    BUTTON_UP = 0,   ///< Not pressed.
    BUTTON_DOWN = 1  ///< Held down.
};

/// One queued click: released button and release position in client pixels.
struct ClickRecord {
    ClickType ctType = NO_CLICK;   ///< Which button.
    std::int32_t iX = -1;          ///< Release position, client pixels.
    std::int32_t iY = -1;          ///< Release position, client pixels.
    ClickRecord* pNext = nullptr;  ///< The next newer click in the queue.
};

/// One queued key: its kind and an 8-bit code (a character for ASCII_KEY, a keypad digit for
/// ARROW_KEY, 1 to 12 for FUNCTION_KEY, 1 for ESCAPE_KEY).
struct KeyRecord {
    KeyType ktType = NO_KEY;     ///< The kind of key.
    char cCode = 0;              ///< Its code, as the kind tells.
    KeyRecord* pNext = nullptr;  ///< The next newer key in the queue.
};

/// A singly linked FIFO of heap records of one kind (ClickRecord or KeyRecord).
template <class Record>
class RecordQueue {
public:
    RecordQueue() = default;                              ///< An empty queue.
    RecordQueue(const RecordQueue&) = delete;             ///< Not copyable: the queue owns its records.
    RecordQueue& operator=(const RecordQueue&) = delete;  ///< Not copyable: the queue owns its records.
    /// Deletes every record still queued.
    ~RecordQueue() {
        pTail = nullptr;
        while (pHead != nullptr) {
            Record* next = pHead->pNext;
            delete pHead;
            pHead = next;
        }
    }

    /// Appends the record and takes ownership; a null record is ignored.
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

    /// Detaches the oldest record and hands it over; null when the queue is empty.
    std::unique_ptr<Record> Pop() {
        if (pHead == nullptr) {
            return nullptr;
        }
        Record* head = pHead;
        pHead = head->pNext;
        head->pNext = nullptr;
        return std::unique_ptr<Record>(head);
    }

    /// True when no record is queued.
    bool IsEmpty() const { return pHead == nullptr; }

private:
    Record* pHead = nullptr;
    Record* pTail = nullptr;
};

using MouseQueue = RecordQueue<ClickRecord>;  ///< A window's clicks, oldest first.
using KeyQueue = RecordQueue<KeyRecord>;      ///< A window's keys, oldest first.

#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility pop
#endif
