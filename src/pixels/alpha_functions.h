// The system's optional alpha functions, bound once at start-up.
//
// On Windows "GdiAlphaBlend" and "GdiGradientFill" are looked up in GDI32.dll
// and "SetLayeredWindowAttributes" and "UpdateLayeredWindow" in User32.dll; a
// name that is missing leaves its pointer null. The portable build binds the
// alpha blend to our own implementation (see alpha_blend_canvas.h), so that
// the same code paths, including "the function is absent", run everywhere.
#pragma once

#include "platform/win32_types.h"

class CCanvas;

#ifdef _WIN32
using GdiAlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int,
                                      int, int, BLENDFUNCTION);
using GdiGradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG,
                                        ULONG);
using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC,
                                            POINT*, COLORREF, BLENDFUNCTION*,
                                            DWORD);
extern GdiGradientFillFn pfnGdiGradientFill;
extern SetLayeredWindowAttributesFn pfnSetLayeredWindowAttributes;
extern UpdateLayeredWindowFn pfnUpdateLayeredWindow;
#else
using GdiAlphaBlendFn = bool (*)(CCanvas& dst, int x, int y, int w, int h,
                                 const CCanvas& src, int sx, int sy, int sw,
                                 int sh, BLENDFUNCTION blend);
#endif

extern GdiAlphaBlendFn pfnGdiAlphaBlend;

void BindAlphaFunctions();
void ReleaseAlphaFunctions();
