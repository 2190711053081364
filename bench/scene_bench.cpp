// Cost of drawing the tilt guide's translucent cylinder (94 triangles) into a
// 256 x 256 canvas, against a memcpy of the canvas's bytes as the yardstick.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "pixels/canvas.h"
#include "scene/scene_render.h"

namespace {

constexpr int kWidth = 256;
constexpr int kHeight = 256;
constexpr std::size_t kCanvasBytes = std::size_t{kWidth} * kHeight * 4;

class CylinderBench : public CGSObject {
 public:
  void Build() override {
    BeginBlock(12);
    Color(255, 255, 255, 127);
    Disc(-1);
    BeginBlock(12);
    Color(255, 255, 255, 127);
    Side();
    BeginBlock(12);
    Color(255, 255, 255, 127);
    Disc(+1);
  }

 private:
  static constexpr int kSegments = 24;
  static constexpr double kRadius = 3.5;
  static constexpr double kHalfHeight = 3.5;

  // A zig-zag strip across the half disc, alternating above and below the x
  // axis.
  void Disc(double side) {
    for (int i = 0; i <= kSegments; ++i) {
      const double angle = i * kPi / kSegments;
      const double sign = (i % 2 == 0) ? 1.0 : -1.0;
      Normal(0, 0, side);
      Vertex(kRadius * std::cos(angle), sign * kRadius * std::sin(angle),
             side * kHalfHeight);
    }
  }

  void Side() {
    for (int i = 0; i <= kSegments; ++i) {
      const double phi = kTwoPi * i / kSegments;
      const double x = std::cos(phi), y = std::sin(phi);
      NormalUnit(x, y, 0);
      Vertex(kRadius * x, kRadius * y, -kHalfHeight);
      NormalUnit(x, y, 0);
      Vertex(kRadius * x, kRadius * y, kHalfHeight);
    }
  }
};

Matrix4 GuideProjection() {
  const double a = kWidth / 32.0, b = kHeight / 32.0;
  Matrix4 projection;
  SetPerspective(projection, 2.6 * std::sqrt(a * a + b * b), 1, 1, a, b, 1,
                 16777215, 1, 65536);
  return projection;
}

void BM_RenderCylinder(benchmark::State& state) {
  CGSRoot root;
  auto* cylinder = new CylinderBench;
  cylinder->Build();
  root.PushBack(cylinder);
  RotateX(root.matrix, root.matrix, 120 * kPi / 180);
  const Matrix4 projection = GuideProjection();
  CCanvas canvas;
  canvas.Resize(kWidth, kHeight);
  canvas.Clear();
  for (auto _ : state) {
    RenderScene(root, canvas, projection);
    benchmark::DoNotOptimize(canvas.Pixels());
    benchmark::ClobberMemory();
  }
  state.counters["triangles"] = root.triangleList.triangleCount;
}
BENCHMARK(BM_RenderCylinder);

void BM_MemcpyCanvas(benchmark::State& state) {
  std::vector<std::uint8_t> source(kCanvasBytes, 0x5A);
  std::vector<std::uint8_t> target(kCanvasBytes);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), kCanvasBytes);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyCanvas);

}  // namespace
