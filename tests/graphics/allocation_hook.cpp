// Replaces the nothrow forms of operator new, which the library uses for every record, entry and
// work array, so that a test can make them fail and watch the `error` exception, or count them to
// see which input was recorded. Disarmed, they behave as the standard ones.
#include <cstddef>
#include <new>

namespace {

bool failing = false;
int allocations = 0;

}  // namespace

void ArmAllocationFailure(bool armed) {
    failing = armed;
}

int NothrowAllocationCount() {
    return allocations;
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    if (failing) {
        return nullptr;
    }
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    if (failing) {
        return nullptr;
    }
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
