// The kernel calls the library uses: its module handle and the millisecond clock. Time belongs
// to the display: real time with SDL, a virtual clock when headless.
#include "display/display.h"

namespace {

// Where Windows loads an executable's image by default; any non-null value serves.
const HMODULE main_module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));

}  // namespace

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) { return lpModuleName == nullptr ? main_module : nullptr; }

void WINAPI Sleep(DWORD dwMilliseconds) { zg::display().sleep(dwMilliseconds); }

DWORD WINAPI GetTickCount(void) { return zg::display().tick_count(); }

}  // extern "C"
