// The built-in 360 x 180 world map.
#pragma once

struct DecodedBitmap;

// Windows: bitmap resource 104 of the program's executable; portable build:
// the map embedded in the program. False only if the map cannot be decoded.
bool LoadBuiltInMap(DecodedBitmap& out);
