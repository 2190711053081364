// The common dispatcher every stub page jumps to. It builds the WndMessage
// record on its own stack, calls the stub's method with the stub's object and
// the record, and returns the record's Result to the window system. Written
// in assembly: it receives the stub's slot address outside the calling
// convention (ecx on x86, r10 on x86-64).
#pragma once

extern "C" void ondrava_stub_dispatcher() asm("ondrava_stub_dispatcher");
