// Where a program's static data lies, for the calls that must tell a small number passed as a
// pointer (an atom, a resource number) from a pointer to a string.
//
// On the systems with virtual memory this platform runs on, nothing is ever mapped in the lowest
// 64 KiB, which is what lets Windows pass numbers there. WebAssembly's linear memory has no such
// hole: the static data begins at the link's global base (1024 unless the link moves it), so a
// string literal can have any small address.
#pragma once

#include <platform/win32.h>

#include <cstdint>

#ifdef __EMSCRIPTEN__
extern "C" {
extern char __global_base;  // both placed by the WebAssembly linker
extern char __data_end;
}
#endif

namespace zg {

// A resource number or atom in pointer form: MAKEINTRESOURCEA and MAKEINTATOM values.
inline bool is_int_resource(LPCSTR name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }

inline bool in_static_data(std::uintptr_t address) {
#ifdef __EMSCRIPTEN__
    return address >= reinterpret_cast<std::uintptr_t>(&__global_base) &&
           address < reinterpret_cast<std::uintptr_t>(&__data_end);
#else
    (void)address;
    return false;
#endif
}

}  // namespace zg
