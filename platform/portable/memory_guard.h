// The Win32 boundary never lets an exception through: a drawing or region call that runs out of
// memory fails with its documented failure value and leaves ERROR_NOT_ENOUGH_MEMORY as the
// thread's last error, as Windows does, so a caller can tell exhaustion from a bad argument.
#pragma once

#include <platform/win32.h>

#include <new>
#include <stdexcept>

namespace zg {

template <class Result, class Work>
Result within_memory(Result failure, Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return failure;
    } catch (const std::length_error&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return failure;
    }
}

}  // namespace zg
