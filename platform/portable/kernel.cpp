// The kernel calls the library uses: its module handle, the millisecond clock and the calling
// thread's last error. Time belongs to the display: real time with SDL, a virtual clock when
// headless. The last error is set only by calls that document it (allocation failures).
#include "display/display.h"

namespace {

// Where Windows loads an executable's image by default; any non-null value serves.
const HMODULE main_module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));

thread_local DWORD last_error = ERROR_SUCCESS;

}  // namespace

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) { return lpModuleName == nullptr ? main_module : nullptr; }

void WINAPI Sleep(DWORD dwMilliseconds) { zg::display().sleep(dwMilliseconds); }

DWORD WINAPI GetTickCount(void) { return zg::display().tick_count(); }

DWORD WINAPI GetLastError(void) { return last_error; }

void WINAPI SetLastError(DWORD dwErrCode) { last_error = dwErrCode; }

}  // extern "C"
