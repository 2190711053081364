// Executable window-procedure stubs that carry an object's address.
//
// The window system calls a stub as an ordinary window procedure; the stub
// hands the message, as a WndMessage record, to a method together with the
// object it was taken for, and returns the record's Result. So a window
// reaches its object from its first message on, with no lookup from window
// handle to object.
//
// Stubs are carved from 4096-byte executable pages. Free stubs form a list
// threaded through their method slots; pages are chained and never freed.
// Main thread only.
#pragma once

#include "platform/win32_types.h"
#include "wndthunk/wnd_message.h"

#if defined(__x86_64__)
// The stubs follow the Windows x64 convention on every platform, so that the
// same machine code is tested natively on Linux.
#define ONDRAVA_WNDPROC_ABI __attribute__((ms_abi))
#define ONDRAVA_STUB_METHOD_ABI __attribute__((ms_abi))
#elif defined(__i386__)
#define ONDRAVA_WNDPROC_ABI __attribute__((stdcall))
#define ONDRAVA_STUB_METHOD_ABI __attribute__((cdecl))
#else
#error "window-procedure stubs exist for x86 and x86-64 only"
#endif

using StubWindowProc = LRESULT(ONDRAVA_WNDPROC_ABI*)(HWND, UINT, WPARAM,
                                                     LPARAM);
using StubMethod = void(ONDRAVA_STUB_METHOD_ABI*)(void* object,
                                                  WndMessage* message);

namespace stub_pool {

// A stub bound to `method` and `object`, callable as a window procedure;
// null only when no executable page can be had.
StubWindowProc Take(StubMethod method, void* object);

// Puts the stub back on the free list; the next Take hands it out again.
void Give(StubWindowProc stub);

// Pages allocated so far (for tests).
int PageCount();

}  // namespace stub_pool
