// Blending one canvas onto another with per-pixel and constant alpha.
#pragma once

#include "platform/win32_types.h"

class CCanvas;

// Blends the source rectangle of `src` onto the destination rectangle of
// `dst` through the bound system alpha blend. Returns false, drawing nothing,
// when the function is absent or the blend is refused.
bool AlphaBlendCanvas(CCanvas& dst, int x, int y, int w, int h,
                      const CCanvas& src, int sx, int sy, int sw, int sh,
                      BLENDFUNCTION blend);

#ifndef _WIN32
// The portable build's own blend, bound as the system function: source
// premultiplied, scaled by the constant alpha, then "over" the destination.
bool SoftwareAlphaBlend(CCanvas& dst, int x, int y, int w, int h,
                        const CCanvas& src, int sx, int sy, int sw, int sh,
                        BLENDFUNCTION blend);
#endif
