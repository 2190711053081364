// The embossed dial text of a 1024 x 1024 clock: twelve glyph-like shapes of
// a few hundred rectangles each around a circle. Splitting the shape (done at
// each layout) and filling it (done every frame), against a memcpy of the
// whole canvas's bytes, measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "pixels/canvas.h"
#include "regions/three_dim_rgn.h"

namespace {
constexpr int kSide = 1024;

// A glyph 96 wide and 128 tall centred on (cx, cy): an elliptical stroke with
// a gap that differs per glyph, a diagonal bar on odd glyphs and an upright
// one on every third, rasterised row by row as a scan converter would.
CRegion Glyph(int index, double cx, double cy) {
  const double rx = 40, ry = 56, stroke = 12;
  const double gapAngle = index * 0.7;
  std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>> rows;
  const int top = int(cy) - 64;
  for (int y = top; y < top + 128; ++y) {
    std::vector<std::pair<std::int32_t, std::int32_t>> runs;
    bool inside = false;
    int start = 0;
    for (int x = int(cx) - 48; x <= int(cx) + 48; ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      const double r = std::sqrt(u * u + v * v);
      const double angle = std::atan2(v, u);
      const bool onRing =
          std::abs(r - 1) * rx < stroke / 2 &&
          std::abs(std::remainder(angle - gapAngle, 2 * M_PI)) > 0.6;
      const bool onDiagonal =
          index % 2 == 1 &&
          std::abs((x + 0.5 - cx) + 0.6 * (y + 0.5 - cy)) < 7 &&
          std::abs(y + 0.5 - cy) < 58;
      const bool onUpright = index % 3 == 0 && std::abs(x + 0.5 - cx - 10) < 6;
      const bool in = x < int(cx) + 48 && (onRing || onDiagonal || onUpright);
      if (in && !inside) start = x;
      if (!in && inside) runs.push_back({start, x});
      inside = in;
    }
    rows.push_back(runs);
  }
  return CRegion::FromRowRuns(top, rows);
}

const CRegion& DialText() {
  static const CRegion text = [] {
    CRegion all;
    for (int i = 0; i < 12; ++i) {
      const double angle = i * M_PI / 6;
      all = CRegion::Combine(
          all,
          Glyph(i, 512 + 420 * std::sin(angle), 512 - 420 * std::cos(angle)),
          RegionOp::kOr);
    }
    return all;
  }();
  return text;
}

void BM_SetThreeDimRgnShape_DialText(benchmark::State& state) {
  ThreeDimRgn rgn;
  InitThreeDimRgn(rgn);
  for (auto _ : state) {
    SetThreeDimRgnShape(rgn, DialText());  // includes copying the shape in
    benchmark::DoNotOptimize(rgn.pFaceData.get());
  }
  state.counters["shapeRects"] = double(DialText().Rects().size());
  state.counters["partRects"] =
      double(rgn.hrgnHighlight.Rects().size() + rgn.hrgnShadow.Rects().size() +
             rgn.hrgnFace.Rects().size());
  FreeThreeDimRgn(rgn);
}

void BM_FillThreeDimRgn_DialText(benchmark::State& state) {
  ThreeDimRgn rgn;
  InitThreeDimRgn(rgn);
  SetThreeDimRgnColor(rgn, RGB(200, 100, 0));
  rgn.alpha = 192;
  SetThreeDimRgnShape(rgn, DialText());
  CCanvas canvas;
  canvas.Resize(kSide, kSide);
  canvas.Clear();
  for (auto _ : state) {
    FillThreeDimRgn(rgn, canvas);
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = double(
      rgn.hrgnHighlight.Area() + rgn.hrgnShadow.Area() + rgn.hrgnFace.Area());
  FreeThreeDimRgn(rgn);
}

void BM_Memcpy_CanvasBytes(benchmark::State& state) {
  const std::size_t bytes = std::size_t(kSide) * kSide * 4;
  std::vector<char> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["bytes"] = double(bytes);
}
}  // namespace

BENCHMARK(BM_Memcpy_CanvasBytes);
BENCHMARK(BM_SetThreeDimRgnShape_DialText);
BENCHMARK(BM_FillThreeDimRgn_DialText);
