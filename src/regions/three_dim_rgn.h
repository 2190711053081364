// An embossed translucent fill of a region: a one-pixel light rim along the
// upper-left edges of the shape, a one-pixel black rim just outside its
// lower-right edges, and the face in the chosen colour, all with one coverage.
//
// The split of a shape into its three parts and the extraction of their
// rectangle lists happen only when the shape changes; a fill walks the stored
// lists and neither combines regions nor allocates, so the clock can redraw
// its dial text every frame for the price of the pixel blends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/win32_types.h"
#include "regions/region.h"

class CCanvas;

// A plain record owned by value by its user: Init once, set a colour and an
// alpha, then any number of shape changes and fills, and Free once.
struct ThreeDimRgn {
  // Pixels of the shape whose upper-left diagonal neighbour is outside it.
  CRegion hrgnHighlight;
  // Pixels outside the shape whose upper-left diagonal neighbour is inside.
  CRegion hrgnShadow;
  // Pixels of the shape whose upper-left diagonal neighbour is inside too.
  CRegion hrgnFace;
  COLORREF crShadow = 0;     // always black
  COLORREF crHighlight = 0;  // the face colour lightened
  COLORREF crFace = 0;
  // Region data (header and rectangles) of the three parts. A buffer only
  // grows; its size in bytes is kept beside it.
  std::unique_ptr<unsigned char[]> pHighlightData;
  std::unique_ptr<unsigned char[]> pShadowData;
  std::unique_ptr<unsigned char[]> pFaceData;
  std::int32_t cbHighlightData = 0;
  std::int32_t cbShadowData = 0;
  std::int32_t cbFaceData = 0;
  std::uint8_t alpha = 0;  // coverage of all three fills
};

// Each part becomes the single pixel (0, 0) with a buffer of exactly its data
// size; colours and alpha are left to the caller. A part whose buffer cannot
// be allocated stays empty and draws nothing.
void InitThreeDimRgn(ThreeDimRgn& rgn);
// Releases the regions and buffers; a freed record fills nothing.
void FreeThreeDimRgn(ThreeDimRgn& rgn);
void SetThreeDimRgnColor(ThreeDimRgn& rgn, COLORREF color);
// Takes the shape and splits it. When the memory for the split or for a
// larger buffer cannot be had, the record keeps its previous shape and data
// untouched (later fills draw the previous shape) and false is returned.
bool SetThreeDimRgnShape(ThreeDimRgn& rgn, CRegion shape);
// Highlight, then shadow, then face, each clipped to the canvas.
void FillThreeDimRgn(const ThreeDimRgn& rgn, CCanvas& canvas);

// Where the data buffers come from: an array new that returns null instead of
// throwing. Tests install one that fails to reach the out-of-memory path;
// null restores the default. Not meant to be changed while fills run.
using ThreeDimRgnAllocator = unsigned char* (*)(std::size_t bytes);
void SetThreeDimRgnAllocator(ThreeDimRgnAllocator allocate);
