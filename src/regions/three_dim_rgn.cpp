#include "regions/three_dim_rgn.h"

#include <limits>
#include <new>
#include <utility>

#include "pixels/colors.h"
#include "pixels/region_fill.h"

namespace {
unsigned char* AllocateNothrow(std::size_t bytes) {
  return new (std::nothrow) unsigned char[bytes];
}

ThreeDimRgnAllocator g_allocate = AllocateNothrow;

// The record keeps buffer sizes in 32 bits, as the system's region calls do.
constexpr std::size_t kMaxBufferBytes =
    std::numeric_limits<std::int32_t>::max();

struct Part {
  CRegion& region;
  std::unique_ptr<unsigned char[]>& data;
  std::int32_t& bytes;
};

// In fill order.
Part Highlight(ThreeDimRgn& r) {
  return {r.hrgnHighlight, r.pHighlightData, r.cbHighlightData};
}
Part Shadow(ThreeDimRgn& r) {
  return {r.hrgnShadow, r.pShadowData, r.cbShadowData};
}
Part Face(ThreeDimRgn& r) { return {r.hrgnFace, r.pFaceData, r.cbFaceData}; }

// A buffer for `bytes`, or null when it cannot be had.
std::unique_ptr<unsigned char[]> NewBuffer(std::size_t bytes) {
  if (bytes > kMaxBufferBytes) return nullptr;
  return std::unique_ptr<unsigned char[]>(g_allocate(bytes));
}

// Bytes usable in a part's buffer; a size field that disagrees with a missing
// buffer, or went negative, counts as no buffer at all.
std::size_t Capacity(const std::unique_ptr<unsigned char[]>& data,
                     std::int32_t bytes) {
  return data && bytes > 0 ? std::size_t(bytes) : 0;
}

void FillPart(CCanvas& canvas, const std::unique_ptr<unsigned char[]>& data,
              std::int32_t bytes, COLORREF color, std::uint8_t alpha) {
  FillRegion(canvas, data.get(), Capacity(data, bytes), color, alpha);
}
}  // namespace

void SetThreeDimRgnAllocator(ThreeDimRgnAllocator allocate) {
  g_allocate = allocate ? allocate : AllocateNothrow;
}

void InitThreeDimRgn(ThreeDimRgn& rgn) {
  FreeThreeDimRgn(rgn);
  const CRegion pixel = CRegion::FromRect(RECT{0, 0, 1, 1});
  for (Part part : {Highlight(rgn), Shadow(rgn), Face(rgn)}) {
    const std::size_t size = pixel.DataSize();
    auto buffer = NewBuffer(size);
    if (!buffer) continue;
    part.region = pixel;
    part.data = std::move(buffer);
    part.bytes = static_cast<std::int32_t>(size);
    part.region.WriteData(part.data.get(), size);
  }
}

void FreeThreeDimRgn(ThreeDimRgn& rgn) {
  for (Part part : {Highlight(rgn), Shadow(rgn), Face(rgn)}) {
    part.data.reset();
    part.bytes = 0;
    part.region = CRegion();
  }
}

void SetThreeDimRgnColor(ThreeDimRgn& rgn, COLORREF color) {
  rgn.crFace = color;
  rgn.crShadow = ShadowColor(color);
  rgn.crHighlight = HighlightColor(color);
}

bool SetThreeDimRgnShape(ThreeDimRgn& rgn, CRegion shape) {
  // Everything that can fail happens before the record is touched, so a
  // failure leaves the three parts and their data agreeing with each other.
  CRegion parts[3];
  try {
    // Subtracting the moved copy removes exactly the face (S and the moved
    // copy) from either side, with one pass instead of two.
    CRegion moved = shape;
    moved.Offset(1, 1);
    parts[0] = CRegion::Combine(shape, moved, RegionOp::kDiff);  // highlight
    parts[1] = CRegion::Combine(moved, shape, RegionOp::kDiff);  // shadow
    parts[2] = CRegion::Combine(shape, moved, RegionOp::kAnd);   // face
  } catch (const std::bad_alloc&) {
    return false;
  }

  Part targets[3] = {Highlight(rgn), Shadow(rgn), Face(rgn)};
  std::unique_ptr<unsigned char[]> grown[3];
  for (int i = 0; i < 3; ++i) {
    const std::size_t size = parts[i].DataSize();
    if (size <= Capacity(targets[i].data, targets[i].bytes)) continue;
    grown[i] = NewBuffer(size);
    if (!grown[i]) return false;
  }

  for (int i = 0; i < 3; ++i) {
    Part& part = targets[i];
    if (grown[i]) {
      part.bytes = static_cast<std::int32_t>(parts[i].DataSize());
      part.data = std::move(grown[i]);
    }
    part.region = std::move(parts[i]);
    part.region.WriteData(part.data.get(), Capacity(part.data, part.bytes));
  }
  return true;
}

void FillThreeDimRgn(const ThreeDimRgn& rgn, CCanvas& canvas) {
  FillPart(canvas, rgn.pHighlightData, rgn.cbHighlightData, rgn.crHighlight,
           rgn.alpha);
  FillPart(canvas, rgn.pShadowData, rgn.cbShadowData, rgn.crShadow, rgn.alpha);
  FillPart(canvas, rgn.pFaceData, rgn.cbFaceData, rgn.crFace, rgn.alpha);
}
