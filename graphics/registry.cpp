// The process-wide window registry: a singly linked list of (native handle, window) pairs in
// registration order, and the recording operations through which the native window procedure
// stores input into the window of a handle.
//
// The process-wide pointer is the library's one piece of global state. It is a plain pointer,
// constant-initialised to null, so no constructor of ours runs during static initialisation and
// a window of static storage duration may be built before anything else.
#include <graphics/input_queues.h>
#include <graphics/window.h>
#include <graphics/window_registry.h>

#include <new>
#include <utility>

namespace {

WindowRegistry* activeRegistry = nullptr;

}  // namespace

WindowRegistry::~WindowRegistry() {
    while (pFirst != nullptr) {
        RegistryEntry* next = pFirst->pNext;
        delete pFirst;
        pFirst = next;
    }
}

void WindowRegistry::Register(HWND handle, window* owner) {
    RegistryEntry** link = &pFirst;
    while (*link != nullptr) {
        if ((*link)->hwnd == handle) {
            return;
        }
        link = &(*link)->pNext;
    }
    auto* entry = new (std::nothrow) RegistryEntry{nullptr, handle, owner};
    if (entry == nullptr) {
        throw OUT_OF_MEMORY;
    }
    *link = entry;
    ++nWindows;
}

void WindowRegistry::Unregister(HWND handle) {
    for (RegistryEntry** link = &pFirst; *link != nullptr; link = &(*link)->pNext) {
        RegistryEntry* entry = *link;
        if (entry->hwnd != handle) {
            continue;
        }
        *link = entry->pNext;
        delete entry;
        --nWindows;
        return;
    }
}

window* WindowRegistry::Lookup(HWND handle) const {
    for (const RegistryEntry* entry = pFirst; entry != nullptr; entry = entry->pNext) {
        if (entry->hwnd == handle) {
            return entry->pWindow;
        }
    }
    return nullptr;
}

void WindowRegistry::RecordPosition(HWND handle, int x, int y) {
    window* target = Lookup(handle);
    if (target == nullptr) {
        return;
    }
    target->iMouseX = x;
    target->iMouseY = y;
}

void WindowRegistry::RecordButton(HWND handle, MouseButton button, ButtonState state, int x, int y) {
    window* target = Lookup(handle);
    if (target == nullptr) {
        return;
    }
    if (button == LEFT_BUTTON) {
        target->bsLeft = state;
    } else {
        target->bsRight = state;
    }
    target->iMouseX = x;
    target->iMouseY = y;
}

void WindowRegistry::RecordClick(HWND handle, ClickType type, int x, int y) {
    window* target = Lookup(handle);
    if (target == nullptr) {
        return;
    }
    std::unique_ptr<ClickRecord> record(new (std::nothrow) ClickRecord{type, x, y, nullptr});
    if (!record) {
        throw OUT_OF_MEMORY;
    }
    target->queMouse.Push(std::move(record));
}

void WindowRegistry::RecordKey(HWND handle, KeyType type, unsigned int code) {
    window* target = Lookup(handle);
    if (target == nullptr) {
        return;
    }
    const auto low = static_cast<char>(static_cast<unsigned char>(code & 0xFFu));
    std::unique_ptr<KeyRecord> record(new (std::nothrow) KeyRecord{type, low, nullptr});
    if (!record) {
        throw OUT_OF_MEMORY;
    }
    target->queKey.Push(std::move(record));
}

void WindowRegistry::KeepPendingError(std::exception_ptr pending) noexcept {
    if (!pendingError) {
        pendingError = std::move(pending);
    }
}

std::exception_ptr WindowRegistry::TakePendingError() noexcept { return std::exchange(pendingError, nullptr); }

WindowRegistry* WindowRegistry::Active() noexcept { return activeRegistry; }

WindowRegistry& WindowRegistry::Acquire() {
    if (activeRegistry == nullptr) {
        activeRegistry = new (std::nothrow) WindowRegistry;
        if (activeRegistry == nullptr) {
            throw OUT_OF_MEMORY;
        }
    }
    return *activeRegistry;
}

void WindowRegistry::Release() noexcept {
    delete activeRegistry;
    activeRegistry = nullptr;
}
