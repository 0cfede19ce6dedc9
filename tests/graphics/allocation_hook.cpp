// Replaces the nothrow forms of operator new, which the library uses for every record, entry and
// work array, so that a test can make them fail and watch the `error` exception, or count them to
// see which input was recorded. Disarmed, they behave as the standard ones.
//
// The throwing forms (which the portable platform's containers use) are replaced as well, with
// their deletes, all on malloc and free so that every pair matches under the sanitizers; a test
// arms their failure separately to see what the Win32 boundary makes of std::bad_alloc.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

bool failing = false;
int allocations = 0;
bool throwing_fails = false;
int throwing_allocations = 0;

void* allocate_or_throw(std::size_t size) {
    ++throwing_allocations;
    void* block = throwing_fails ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

}  // namespace

void ArmAllocationFailure(bool armed) { failing = armed; }

int NothrowAllocationCount() { return allocations; }

void ArmThrowingAllocationFailure(bool armed) { throwing_fails = armed; }

int ThrowingAllocationCount() { return throwing_allocations; }

void* operator new(std::size_t size) { return allocate_or_throw(size); }

void* operator new[](std::size_t size) { return allocate_or_throw(size); }

void operator delete(void* block) noexcept { std::free(block); }

void operator delete[](void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    if (failing) {
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    if (failing) {
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}
