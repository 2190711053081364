# 32-bit x86 Linux build, run under qemu-i386: the machine this runs on
# cannot execute 32-bit code itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# Doubles are computed in SSE2 registers, rounded to 64 bits after every
# operation as on x86-64, not in the x87's 80-bit registers: otherwise a
# result would depend on where the compiler spills, and the globe's table
# could differ between its paths and between builds.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
