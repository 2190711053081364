// On entry (Windows x64 convention): rcx = hwnd, edx = msg, r8 = wParam,
// r9 = lParam, [rsp] = return address; r10 = the stub's slot address. The
// method is called with the same convention: rcx = object, rdx = record.
#include "wndthunk/stub_dispatcher.h"

#ifdef _WIN32
#define ONDRAVA_SEH(x) x
#else
#define ONDRAVA_SEH(x)
#endif
#define ONDRAVA_STR2(x) #x
#define ONDRAVA_STR(x) ONDRAVA_STR2(x)

asm(R"(
  .text
  .globl ondrava_stub_dispatcher
ondrava_stub_dispatcher:
)" ONDRAVA_STR(ONDRAVA_SEH(.seh_proc ondrava_stub_dispatcher)) R"(
  subq  $72, %rsp            # 32 shadow bytes, the 32-byte record, alignment
)" ONDRAVA_STR(ONDRAVA_SEH(.seh_stackalloc 72)) "\n" ONDRAVA_STR(
    ONDRAVA_SEH(.seh_endprologue)) R"(
  movl  %edx, 32(%rsp)       # Msg
  movq  %r8, 40(%rsp)        # WParam
  movq  %r9, 48(%rsp)        # LParam
  movq  $0, 56(%rsp)         # Result
  movq  8(%r10), %rcx        # the object
  leaq  32(%rsp), %rdx       # the record
  callq *(%r10)
  movq  56(%rsp), %rax
  addq  $72, %rsp
  ret
)" ONDRAVA_STR(ONDRAVA_SEH(.seh_endproc)) R"(
)");
