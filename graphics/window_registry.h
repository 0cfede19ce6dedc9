// The process-wide registry through which the one native window procedure finds the `window` of
// a native handle. The library's own business: not an installed header.
//
// Invariants: the registry exists from the first window's construction to the last window's
// destruction and is reached only through `WindowRegistry::Active()`, a plain pointer that is null
// while no window exists, so that no object with a constructor is involved in static
// initialisation.
#pragma once

#include <graphics/window.h>

#include <cstdint>
#include <exception>

/// One registered window: the native handle and the `window` (not owned) that wraps it.
struct RegistryEntry {
    RegistryEntry* pNext = nullptr;  ///< The next registered window.
    HWND hwnd = nullptr;             ///< The native window.
    window* pWindow = nullptr;       ///< The window that wraps it.
};

/// The list of live windows, in registration order. The recording operations are the only way the
/// native window procedure reaches a `window`; each does nothing for a handle that is not listed.
class WindowRegistry {
public:
    RegistryEntry* pFirst = nullptr;  ///< The oldest registered window; null when none.
    bool bWaitClose = true;           ///< Whether the last window waits for a click (window::SetWaitClose).
    std::uint32_t nWindows = 0;       ///< How many windows are registered (32 bits: a 16-bit count wraps after 65,536).

    WindowRegistry() = default;                                 ///< An empty registry.
    WindowRegistry(const WindowRegistry&) = delete;             ///< Not copyable: there is one.
    WindowRegistry& operator=(const WindowRegistry&) = delete;  ///< Not copyable: there is one.
    /// Deletes the entries (not the windows they name).
    ~WindowRegistry();

    /// Appends an entry unless the handle is already listed (then the first window stays).
    /// Throws `error` 0 when no memory is available for the entry.
    void Register(HWND handle, window* owner);
    /// Removes the first entry of the handle; an absent handle changes nothing.
    void Unregister(HWND handle);
    /// The window of a native handle, or null when it is not listed.
    window* Lookup(HWND handle) const;

    /// Records the cursor position (client pixels) of the handle's window.
    void RecordPosition(HWND handle, int x, int y);
    /// Records a button going down or up, and the cursor position.
    void RecordButton(HWND handle, MouseButton button, ButtonState state, int x, int y);
    /// Queues a click for the handle's window; may throw OUT_OF_MEMORY.
    void RecordClick(HWND handle, ClickType type, int x, int y);
    /// Queues a key for the handle's window, keeping the low 8 bits of the code; may throw
    /// OUT_OF_MEMORY.
    void RecordKey(HWND handle, KeyType type, unsigned int code);

    /// An exception raised while a message was being recorded inside the native dispatch, kept
    /// here so that it never crosses the platform's frames; PumpMessages rethrows it.
    void KeepPendingError(std::exception_ptr pending) noexcept;
    /// Hands over the kept exception (null when none) and forgets it.
    std::exception_ptr TakePendingError() noexcept;

    /// The process-wide registry, or null while no window exists.
    static WindowRegistry* Active() noexcept;
    /// Returns the process-wide registry, creating it first if needed (throws `error` 0).
    static WindowRegistry& Acquire();
    /// Deletes the process-wide registry and clears the pointer.
    static void Release() noexcept;

private:
    std::exception_ptr pendingError;
};
