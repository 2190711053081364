// A clock hand through the anti-aliased polygon fill and a triangle of the
// same size through the flat fill, each against a memcpy of as many bytes as
// the fill covers, measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "pixels/canvas.h"
#include "pixels/polygon_fill.h"

namespace {
constexpr int kSide = 512;

// The minute hand of a 512 x 512 clock at twenty past: 256 long, 25 wide.
void HandCorners(Point2D out[4]) {
  const double length = 256, width = 25, angle = -2 * M_PI / 3;
  const double k = width / 2;
  const double uv[4][2] = {{k, -k}, {k, k}, {k - length, k}, {k - length, -k}};
  for (int i = 0; i < 4; ++i) {
    const double u = uv[i][0], v = uv[i][1];
    out[i] = {256 + v * std::cos(angle) + u * std::sin(angle),
              256 - v * std::sin(angle) + u * std::cos(angle)};
  }
}

int CoveredPixels(void (*fill)(CCanvas&)) {
  CCanvas canvas;
  canvas.Resize(kSide, kSide);
  canvas.Clear();
  fill(canvas);
  int n = 0;
  for (int i = 0; i < kSide * kSide; ++i) n += canvas.Pixels()[i] != 0;
  return n;
}

void FillHand(CCanvas& canvas) {
  Point2D hand[4];
  HandCorners(hand);
  FillPolygon(canvas, hand, 4, 0x80FFFFFF, 0x80000000, 0x8000FF00);
}

void FillHandTriangle(CCanvas& canvas) {
  Point2D hand[4];
  HandCorners(hand);
  FillTriangle(canvas, hand[0], hand[1], hand[2], 0x8000FF00);
}

void RunFill(benchmark::State& state, void (*fill)(CCanvas&)) {
  CCanvas canvas;
  canvas.Resize(kSide, kSide);
  canvas.Clear();
  for (auto _ : state) {
    fill(canvas);
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = CoveredPixels(fill);
}

void RunMemcpy(benchmark::State& state, void (*fill)(CCanvas&)) {
  const std::size_t bytes = std::size_t(CoveredPixels(fill)) * 4;
  std::vector<char> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["bytes"] = double(bytes);
}

void BM_FillPolygon_Hand(benchmark::State& s) { RunFill(s, FillHand); }
void BM_Memcpy_HandBytes(benchmark::State& s) { RunMemcpy(s, FillHand); }
void BM_FillTriangle_HalfHand(benchmark::State& s) {
  RunFill(s, FillHandTriangle);
}
void BM_Memcpy_HalfHandBytes(benchmark::State& s) {
  RunMemcpy(s, FillHandTriangle);
}
}  // namespace

BENCHMARK(BM_Memcpy_HandBytes);
BENCHMARK(BM_FillPolygon_Hand);
BENCHMARK(BM_Memcpy_HalfHandBytes);
BENCHMARK(BM_FillTriangle_HalfHand);
