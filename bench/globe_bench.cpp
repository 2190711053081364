// The globe: one frame composed from its table (shading, gradient and far
// side on) against a memcpy of the bytes it must touch (the 12-byte table
// entry and the 4-byte pixel: 16 bytes a pixel), and the table's build, all
// in the same run: the plain per-pixel rule on one thread (the reference),
// the fast rows on one thread, and what the program runs (the fast rows on
// every core, through the builder); at the end, the frame and the lighting
// under the real Sun.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "globe/globe_draw.h"
#include "globe/globe_table.h"
#include "globe/globe_table_builder.h"
#include "globe/globe_table_fast.h"
#include "globe/globe_texture.h"
#include "globe/photo_maps.h"
#include "globe/sunlight.h"

namespace {
struct GlobeAtSize {
  explicit GlobeAtSize(int side)
      : texels(360 * 180),
        table(std::size_t(side) * side),
        frame(table.size()) {
    for (std::size_t i = 0; i < texels.size(); ++i)
      texels[i] = 0xFF000000u | std::uint32_t(i * 2654435761u >> 8);
    GlobeTableInputs in;
    in.width = in.height = side;
    in.textureWidth = 360;
    in.textureHeight = 180;
    in.texShift = 4;
    in.tiltDegrees = 30;
    std::atomic<std::size_t> fill{0};
    std::atomic<bool> stop{false};
    BuildGlobeTable(in, table.data(), fill, stop);
  }
  std::vector<std::uint32_t> texels;
  std::vector<GlobeEntry> table;
  std::vector<std::uint32_t> frame;
};

void BM_GlobeDraw(benchmark::State& state) {
  GlobeAtSize g(int(state.range(0)));
  const GlobeTexture texture{g.texels.data(), 360, 180, 4};
  GlobeLook look{12345, true, true, true};
  for (auto _ : state) {
    DrawGlobe(g.table.data(), g.table.size(), texture, look, g.frame.data());
    look.rotation = (look.rotation + 60) % 36000;
    benchmark::ClobberMemory();
  }
}

void BM_MemcpyTouchedBytes(benchmark::State& state) {
  const std::size_t bytes = std::size_t(state.range(0)) * state.range(0) * 16;
  std::vector<char> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

GlobeTableInputs TableInputs(int side) {
  GlobeTableInputs in;
  in.width = in.height = side;
  in.textureWidth = 360;
  in.textureHeight = 180;
  in.texShift = 4;
  in.tiltDegrees = 30;
  return in;
}

void BM_BuildTablePlain(benchmark::State& state) {
  const GlobeTableInputs in = TableInputs(int(state.range(0)));
  std::vector<GlobeEntry> table(std::size_t(in.width) * in.height);
  for (auto _ : state) {
    BuildGlobeTableReference(in, table.data());
    benchmark::ClobberMemory();
  }
}

// Also counts the samples the series could not decide (cast with libm), as
// a fraction of the samples that meet the sphere.
void BM_BuildTableOneThread(benchmark::State& state) {
  const GlobeTableInputs in = TableInputs(int(state.range(0)));
  std::vector<GlobeEntry> table(std::size_t(in.width) * in.height);
  const GlobeRaySetup setup = MakeGlobeRaySetup(in);
  std::size_t exact = 0;
  for (auto _ : state) {
    exact = 0;
    for (std::int32_t i = 0; i < in.height; ++i)
      exact += CastGlobeRow(setup, i, in.width,
                            table.data() + std::size_t(i) * in.width);
    benchmark::ClobberMemory();
  }
  std::size_t samples = 0;
  for (const GlobeEntry& e : table)
    samples += (e.front.alpha != 0) + (e.back.alpha != 0);
  state.counters["samples"] = double(samples);
  state.counters["libm_share"] = double(exact) / double(samples);
}

void BM_BuildTable(benchmark::State& state) {
  const GlobeTableInputs in = TableInputs(int(state.range(0)));
  CGlobeTableBuilder builder;
  for (auto _ : state) {
    builder.Start(in);
    builder.Wait();
    benchmark::ClobberMemory();
  }
}
}  // namespace

BENCHMARK(BM_MemcpyTouchedBytes)->Arg(512)->Arg(1024);
BENCHMARK(BM_GlobeDraw)->Arg(512)->Arg(1024);
BENCHMARK(BM_BuildTablePlain)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTableOneThread)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTable)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The real Sun: a frame read from the lit 2048 x 1024 photographs with the
// fixed shading off (against BM_GlobeDraw, the built-in map with it), and
// the lighting of the photographs with the city lights, which runs once a
// minute on a worker.
namespace {
// The photographs and their lights at `width` columns, as the globe lights
// them.
std::shared_ptr<SunlitSources> PhotoSources(std::int32_t width) {
  auto s = std::make_shared<SunlitSources>();
  DecodedBitmap day, night;
  if (!LoadDayPhoto(day, width) || !LoadNightLights(night)) return s;
  s->width = day.width;
  s->height = day.height;
  s->day = std::move(day.pixels);
  s->lights = ResampleTexels(night, day.width, day.height);
  return s;
}

// The frame with the photographs at the fineness the window takes them.
void BM_GlobeDrawSun(benchmark::State& state) {
  const int side = int(state.range(0));
  const std::shared_ptr<SunlitSources> photo =
      PhotoSources(PhotoWidthFor(side, side));
  std::vector<std::uint32_t> lit(photo->day.size());
  const std::atomic<bool> stop{false};
  LightTexture(*photo, {23.44, 30}, lit.data(), stop);
  GlobeTableInputs in;
  in.width = in.height = side;
  in.textureWidth = photo->width;
  in.textureHeight = photo->height;
  in.texShift = TextureLimitsFor(photo->width, photo->height).texShift;
  in.tiltDegrees = 30;
  std::vector<GlobeEntry> table(std::size_t(side) * side);
  std::vector<std::uint32_t> frame(table.size());
  std::atomic<std::size_t> fill{0};
  std::atomic<bool> stopTable{false};
  BuildGlobeTable(in, table.data(), fill, stopTable);
  const GlobeTexture texture{lit.data(), photo->width, photo->height,
                             in.texShift};
  GlobeLook look{12345, false, true, true};
  for (auto _ : state) {
    DrawGlobe(table.data(), table.size(), texture, look, frame.data());
    look.rotation = (look.rotation + 60) % 36000;
    benchmark::ClobberMemory();
  }
}

// Lighting the photographs at `width` columns (2048: the files as they are).
void BM_SunlitRebuild(benchmark::State& state) {
  const std::shared_ptr<SunlitSources> photo =
      PhotoSources(std::int32_t(state.range(0)));
  std::vector<std::uint32_t> lit(photo->day.size());
  const std::atomic<bool> stop{false};
  SubsolarPoint sun{-10, 0};
  for (auto _ : state) {
    LightTexture(*photo, sun, lit.data(), stop);
    sun.longitude = sun.longitude < 179 ? sun.longitude + 0.25 : -180;
    benchmark::ClobberMemory();
  }
}
}  // namespace

BENCHMARK(BM_GlobeDrawSun)->Arg(1024);
BENCHMARK(BM_SunlitRebuild)
    ->Arg(2048)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond);
