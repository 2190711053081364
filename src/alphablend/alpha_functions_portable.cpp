#include "alphablend/alpha_blend_canvas.h"
#include "alphablend/alpha_functions.h"

GdiAlphaBlendFn pfnGdiAlphaBlend = nullptr;

void BindAlphaFunctions() { pfnGdiAlphaBlend = SoftwareAlphaBlend; }

void ReleaseAlphaFunctions() { pfnGdiAlphaBlend = nullptr; }
