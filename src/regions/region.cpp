#include "regions/region.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {
constexpr std::int64_t kMinCoord = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxCoord = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kNoBoundary = std::numeric_limits<std::int64_t>::max();

constexpr DWORD kHeaderBytes = 32;
constexpr DWORD kRectanglesType = 1;  // RDH_RECTANGLES
// The header stores the rectangles' byte size in 32 bits.
constexpr std::size_t kMaxDataRects = 0xFFFFFFFFu / sizeof(RECT);

// LONG is `long` on Windows and a 32-bit int elsewhere; the core does its
// arithmetic in fixed widths and converts only at the RECT boundary.
std::int32_t L(LONG v) { return static_cast<std::int32_t>(v); }
RECT MakeRect(std::int32_t left, std::int32_t top, std::int32_t right,
              std::int32_t bottom) {
  return RECT{LONG{left}, LONG{top}, LONG{right}, LONG{bottom}};
}
std::int32_t Clamp(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp(v, kMinCoord, kMaxCoord));
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right &&
         a.bottom == b.bottom;
}

// Which pixels an operation keeps, indexed by (inA << 1 | inB).
unsigned TruthTable(RegionOp op) {
  switch (op) {
    case RegionOp::kAnd:
      return 0b1000;
    case RegionOp::kOr:
      return 0b1110;
    case RegionOp::kXor:
      return 0b0110;
    case RegionOp::kDiff:
      return 0b0100;
  }
  return 0;  // an out-of-range op keeps nothing
}

// Appends bands in increasing y and keeps the result canonical on the way:
// a span touching or overlapping the previous one of its band is merged into
// it, and a band equal to the band just above it is folded into that band,
// as the window system's region code does.
class CBandBuilder {
 public:
  explicit CBandBuilder(std::vector<RECT>& out)
      : out_(out), bandStart_(out.size()) {}

  void BeginBand(std::int32_t top, std::int32_t bottom) {
    top_ = top;
    bottom_ = bottom;
    bandStart_ = out_.size();
  }

  void Add(std::int32_t left, std::int32_t right) {
    if (left >= right) return;
    if (out_.size() > bandStart_ && L(out_.back().right) >= left) {
      out_.back().right = std::max(out_.back().right, LONG{right});
      return;
    }
    out_.push_back(MakeRect(left, top_, right, bottom_));
  }

  void EndBand() {
    const std::size_t count = out_.size() - bandStart_;
    if (count == 0) return;
    if (hasPrevious_ && bandStart_ - previousStart_ == count &&
        L(out_[previousStart_].bottom) == top_ && SameSpans(count)) {
      for (std::size_t i = previousStart_; i < bandStart_; ++i)
        out_[i].bottom = LONG{bottom_};
      out_.resize(bandStart_);
    } else {
      previousStart_ = bandStart_;
      hasPrevious_ = true;
    }
    bandStart_ = out_.size();
  }

 private:
  bool SameSpans(std::size_t count) const {
    for (std::size_t i = 0; i < count; ++i) {
      const RECT& a = out_[previousStart_ + i];
      const RECT& b = out_[bandStart_ + i];
      if (a.left != b.left || a.right != b.right) return false;
    }
    return true;
  }

  std::vector<RECT>& out_;
  std::size_t bandStart_;
  std::size_t previousStart_ = 0;
  bool hasPrevious_ = false;
  std::int32_t top_ = 0;
  std::int32_t bottom_ = 0;
};

// One past the last rectangle of the band that starts at `first`.
const RECT* BandEnd(const RECT* first, const RECT* end) {
  const LONG top = first->top;
  while (first != end && first->top == top) ++first;
  return first;
}

// The spans of one band of the result: a walk over the merged span edges of
// both inputs, emitting an edge wherever the truth table's answer changes.
// Both inputs are sorted, disjoint and non-touching, so this is linear in
// their length and its output is the same.
void CombineSpans(const RECT* a, const RECT* aEnd, const RECT* b,
                  const RECT* bEnd, unsigned table, CBandBuilder& out) {
  // Edge k of a list: the left of span k/2 when k is even, else its right.
  const std::size_t aEdges = 2 * std::size_t(aEnd - a);
  const std::size_t bEdges = 2 * std::size_t(bEnd - b);
  auto edge = [](const RECT* spans, std::size_t k) -> std::int64_t {
    return (k & 1) ? spans[k / 2].right : spans[k / 2].left;
  };
  std::size_t ka = 0, kb = 0;
  bool inside = false;
  std::int64_t start = 0;
  while (ka < aEdges || kb < bEdges) {
    const std::int64_t xa = ka < aEdges ? edge(a, ka) : kNoBoundary;
    const std::int64_t xb = kb < bEdges ? edge(b, kb) : kNoBoundary;
    const std::int64_t x = std::min(xa, xb);
    if (xa == x) ++ka;
    if (xb == x) ++kb;
    const unsigned index = unsigned(((ka & 1) << 1) | (kb & 1));
    const bool keep = (table >> index) & 1;
    if (keep == inside) continue;
    if (keep)
      start = x;
    else
      out.Add(static_cast<std::int32_t>(start), static_cast<std::int32_t>(x));
    inside = keep;
  }
}

void CopySpans(const RECT* first, const RECT* end, CBandBuilder& out) {
  for (; first != end; ++first) out.Add(L(first->left), L(first->right));
}

// Whether rectangles already come in bands (sorted, each band one height,
// spans in order without overlap, bands not overlapping), so that a single
// canonicalising pass suffices. Region data from the system has this form.
bool IsBanded(const std::vector<RECT>& rects) {
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    if (r.left >= r.right || r.top >= r.bottom) return false;
    if (i == 0) continue;
    const RECT& p = rects[i - 1];
    if (r.top == p.top) {
      if (r.bottom != p.bottom || r.left < p.right) return false;
    } else if (r.top < p.bottom) {
      return false;
    }
  }
  return true;
}

CRegion UnionOf(const RECT* rects, std::size_t count) {
  if (count == 1) return CRegion::FromRect(rects[0]);
  const std::size_t half = count / 2;
  return CRegion::Combine(UnionOf(rects, half),
                          UnionOf(rects + half, count - half), RegionOp::kOr);
}
}  // namespace

CRegion CRegion::FromRect(const RECT& rect) {
  CRegion region;
  if (rect.left < rect.right && rect.top < rect.bottom)
    region.rects_.push_back(rect);
  return region;
}

CRegion CRegion::FromRects(const std::vector<RECT>& rects) {
  CRegion region;
  if (IsBanded(rects)) {
    CBandBuilder builder(region.rects_);
    for (auto it = rects.data(), end = it + rects.size(); it != end;) {
      const RECT* bandEnd = BandEnd(it, end);
      builder.BeginBand(L(it->top), L(it->bottom));
      CopySpans(it, bandEnd, builder);
      builder.EndBand();
      it = bandEnd;
    }
    return region;
  }
  std::vector<RECT> valid;
  valid.reserve(rects.size());
  for (const RECT& r : rects)
    if (r.left < r.right && r.top < r.bottom) valid.push_back(r);
  if (valid.empty()) return region;
  // Rectangles close in y end up in the same half, so the merges stay small.
  std::sort(valid.begin(), valid.end(), [](const RECT& a, const RECT& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  return UnionOf(valid.data(), valid.size());
}

CRegion CRegion::FromRowRuns(
    std::int32_t top,
    const std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>>&
        rows) {
  CRegion region;
  CBandBuilder builder(region.rects_);
  std::vector<std::pair<std::int32_t, std::int32_t>> sorted;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    // A row whose bottom edge is not representable cannot be stored.
    const std::int64_t y = std::int64_t{top} + std::int64_t(i);
    if (y >= kMaxCoord) break;
    const auto& runs = rows[i];
    const auto* use = &runs;
    // A scan converter hands over sorted runs; anything else is taken as the
    // union of its runs rather than trusted.
    const bool ordered = std::is_sorted(
        runs.begin(), runs.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    if (!ordered) {
      sorted = runs;
      std::sort(sorted.begin(), sorted.end());
      use = &sorted;
    }
    builder.BeginBand(static_cast<std::int32_t>(y),
                      static_cast<std::int32_t>(y + 1));
    for (const auto& run : *use) builder.Add(run.first, run.second);
    builder.EndBand();
  }
  return region;
}

CRegion CRegion::Combine(const CRegion& a, const CRegion& b, RegionOp op) {
  const unsigned table = TruthTable(op);
  const bool keepAOnly = (table >> 2) & 1;
  const bool keepBOnly = (table >> 1) & 1;

  CRegion result;
  result.rects_.reserve(a.rects_.size() + b.rects_.size());
  CBandBuilder out(result.rects_);
  const RECT* pa = a.rects_.data();
  const RECT* const ea = pa + a.rects_.size();
  const RECT* pb = b.rects_.data();
  const RECT* const eb = pb + b.rects_.size();
  const RECT* aBand = pa != ea ? BandEnd(pa, ea) : ea;
  const RECT* bBand = pb != eb ? BandEnd(pb, eb) : eb;

  // Sweep down through every y where a band of either input starts or ends;
  // between two such y both inputs have fixed spans.
  std::int64_t y = kMinCoord;
  while (pa != ea || pb != eb) {
    if (pa != ea && pa->bottom <= y) {
      pa = aBand;
      aBand = pa != ea ? BandEnd(pa, ea) : ea;
      continue;
    }
    if (pb != eb && pb->bottom <= y) {
      pb = bBand;
      bBand = pb != eb ? BandEnd(pb, eb) : eb;
      continue;
    }
    if ((pa == ea && !keepBOnly) || (pb == eb && !keepAOnly)) break;
    const bool aHere = pa != ea && pa->top <= y;
    const bool bHere = pb != eb && pb->top <= y;
    std::int64_t next = kNoBoundary;
    if (pa != ea)
      next = std::min<std::int64_t>(next, aHere ? pa->bottom : pa->top);
    if (pb != eb)
      next = std::min<std::int64_t>(next, bHere ? pb->bottom : pb->top);
    if (aHere || bHere) {
      out.BeginBand(static_cast<std::int32_t>(y),
                    static_cast<std::int32_t>(next));
      if (aHere && bHere)
        CombineSpans(pa, aBand, pb, bBand, table, out);
      else if (aHere && keepAOnly)
        CopySpans(pa, aBand, out);
      else if (bHere && keepBOnly)
        CopySpans(pb, bBand, out);
      out.EndBand();
    }
    y = next;
  }
  return result;
}

void CRegion::Offset(std::int32_t dx, std::int32_t dy) {
  if (rects_.empty() || (dx == 0 && dy == 0)) return;
  const RECT bounds = Bounds();
  if (bounds.left + std::int64_t{dx} >= kMinCoord &&
      bounds.right + std::int64_t{dx} <= kMaxCoord &&
      bounds.top + std::int64_t{dy} >= kMinCoord &&
      bounds.bottom + std::int64_t{dy} <= kMaxCoord) {
    for (RECT& r : rects_) {
      r.left += dx;
      r.right += dx;
      r.top += dy;
      r.bottom += dy;
    }
    return;
  }
  // Part of the region would leave the coordinate range: that part is cut
  // off at the limits. Clipping can empty rectangles and make bands equal,
  // so the result is rebuilt.
  std::vector<RECT> moved;
  moved.reserve(rects_.size());
  CBandBuilder out(moved);
  const RECT* const end = rects_.data() + rects_.size();
  for (const RECT* it = rects_.data(); it != end;) {
    const RECT* bandEnd = BandEnd(it, end);
    const std::int32_t top = Clamp(std::int64_t{it->top} + dy);
    const std::int32_t bottom = Clamp(std::int64_t{it->bottom} + dy);
    if (top < bottom) {
      out.BeginBand(top, bottom);
      for (; it != bandEnd; ++it)
        out.Add(Clamp(std::int64_t{it->left} + dx),
                Clamp(std::int64_t{it->right} + dx));
      out.EndBand();
    }
    it = bandEnd;
  }
  rects_ = std::move(moved);
}

bool CRegion::Contains(std::int32_t x, std::int32_t y) const {
  // Bands do not overlap, so bottoms ascend with the rectangles.
  auto it = std::upper_bound(
      rects_.begin(), rects_.end(), y,
      [](std::int32_t value, const RECT& r) { return value < r.bottom; });
  if (it == rects_.end() || it->top > y) return false;
  const LONG top = it->top;
  auto bandEnd = it;
  while (bandEnd != rects_.end() && bandEnd->top == top) ++bandEnd;
  it = std::upper_bound(it, bandEnd, x, [](std::int32_t value, const RECT& r) {
    return value < r.right;
  });
  return it != bandEnd && it->left <= x;
}

RECT CRegion::Bounds() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT bounds{rects_.front().left, rects_.front().top, rects_.front().right,
              rects_.back().bottom};
  for (const RECT& r : rects_) {
    bounds.left = std::min(bounds.left, r.left);
    bounds.right = std::max(bounds.right, r.right);
  }
  return bounds;
}

std::int64_t CRegion::Area() const {
  // The whole coordinate plane has nearly 2^64 pixels, more than the result
  // type holds: larger areas saturate. The rectangles do not overlap and lie
  // in that plane, so the unsigned sum itself never wraps.
  constexpr std::uint64_t kMaxArea = std::numeric_limits<std::int64_t>::max();
  std::uint64_t area = 0;
  for (const RECT& r : rects_)
    area += std::uint64_t(std::int64_t{r.right} - r.left) *
            std::uint64_t(std::int64_t{r.bottom} - r.top);
  return static_cast<std::int64_t>(std::min(area, kMaxArea));
}

std::size_t CRegion::DataSize() const {
  return kHeaderBytes + rects_.size() * sizeof(RECT);
}

std::size_t CRegion::WriteData(void* buffer, std::size_t bufferSize) const {
  const std::size_t size = DataSize();
  if (!buffer || bufferSize < size || rects_.size() > kMaxDataRects) return 0;
  RGNDATAHEADER header{};
  header.dwSize = kHeaderBytes;
  header.iType = kRectanglesType;
  header.nCount = static_cast<DWORD>(rects_.size());
  header.nRgnSize = static_cast<DWORD>(rects_.size() * sizeof(RECT));
  header.rcBound = Bounds();
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::memcpy(bytes, &header, sizeof header);
  if (!rects_.empty())
    std::memcpy(bytes + sizeof header, rects_.data(),
                rects_.size() * sizeof(RECT));
  return size;
}

bool CRegion::operator==(const CRegion& other) const {
  return std::equal(rects_.begin(), rects_.end(), other.rects_.begin(),
                    other.rects_.end(), SameRect);
}
