#include "pixels/alpha_functions.h"

GdiAlphaBlendFn pfnGdiAlphaBlend = nullptr;
GdiGradientFillFn pfnGdiGradientFill = nullptr;
SetLayeredWindowAttributesFn pfnSetLayeredWindowAttributes = nullptr;
UpdateLayeredWindowFn pfnUpdateLayeredWindow = nullptr;

namespace {
HMODULE gdi32Module = nullptr;
HMODULE user32Module = nullptr;

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
  // The cast goes through void* because FARPROC and our typed pointers are
  // unrelated function-pointer types.
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

void BindAlphaFunctions() {
  gdi32Module = LoadLibraryW(L"GDI32.dll");
  if (gdi32Module) {
    pfnGdiAlphaBlend = Lookup<GdiAlphaBlendFn>(gdi32Module, "GdiAlphaBlend");
    pfnGdiGradientFill =
        Lookup<GdiGradientFillFn>(gdi32Module, "GdiGradientFill");
  }
  user32Module = LoadLibraryW(L"User32.dll");
  if (user32Module) {
    pfnSetLayeredWindowAttributes = Lookup<SetLayeredWindowAttributesFn>(
        user32Module, "SetLayeredWindowAttributes");
    pfnUpdateLayeredWindow =
        Lookup<UpdateLayeredWindowFn>(user32Module, "UpdateLayeredWindow");
  }
}

void ReleaseAlphaFunctions() {
  if (gdi32Module) {
    pfnGdiAlphaBlend = nullptr;
    pfnGdiGradientFill = nullptr;
    FreeLibrary(gdi32Module);
    gdi32Module = nullptr;
  }
  if (user32Module) {
    pfnSetLayeredWindowAttributes = nullptr;
    pfnUpdateLayeredWindow = nullptr;
    FreeLibrary(user32Module);
    user32Module = nullptr;
  }
}
