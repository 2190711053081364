#include "pixels/alpha_blend_canvas.h"
#include "pixels/alpha_functions.h"

GdiAlphaBlendFn pfnGdiAlphaBlend = nullptr;

void BindAlphaFunctions() { pfnGdiAlphaBlend = SoftwareAlphaBlend; }

void ReleaseAlphaFunctions() { pfnGdiAlphaBlend = nullptr; }
