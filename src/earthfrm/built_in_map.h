// The built-in 360 x 180 world map.
#pragma once

#include "platform/win32_types.h"

struct DecodedBitmap;

// Windows: bitmap resource 104 of the module; portable build: the map
// embedded in the program. False only if the map cannot be decoded.
bool LoadBuiltInMap(HINSTANCE instance, DecodedBitmap& out);
