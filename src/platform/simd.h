// Compiling a function for one instruction set: the SIMD paths are built in
// ordinary translation units and marked with these, so that the rest of the
// program stays runnable on any x86 processor.
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#define ONDRAVA_HAS_X86_SIMD 1
#define ONDRAVA_TARGET_SSE2 __attribute__((target("sse2")))
#define ONDRAVA_TARGET_AVX2 __attribute__((target("avx2")))
#else
#define ONDRAVA_HAS_X86_SIMD 0
#endif
