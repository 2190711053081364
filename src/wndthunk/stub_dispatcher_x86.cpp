// On entry: [esp] = return address into the window system, then hwnd, msg,
// wParam, lParam (stdcall: we remove them); ecx = the stub's slot address.
#include "wndthunk/stub_dispatcher.h"

asm(R"(
  .text
  .globl ondrava_stub_dispatcher
ondrava_stub_dispatcher:
  pushl %ebp
  movl  %esp, %ebp
  subl  $16, %esp            # WndMessage at -16(%ebp)
  andl  $-16, %esp           # 16-byte alignment at the call below
  movl  12(%ebp), %eax
  movl  %eax, -16(%ebp)      # Msg
  movl  16(%ebp), %eax
  movl  %eax, -12(%ebp)      # WParam
  movl  20(%ebp), %eax
  movl  %eax, -8(%ebp)       # LParam
  movl  $0, -4(%ebp)         # Result
  subl  $8, %esp
  leal  -16(%ebp), %eax
  pushl %eax                 # the record
  pushl 4(%ecx)              # the object
  call  *(%ecx)              # method(object, record), cdecl
  movl  -4(%ebp), %eax
  leave
  ret   $16
)");
