// The clock face: its layout (fonts, twelve outlines, the embossed split and
// the dial layer) and its frame (dial layer blend and three hands), each
// against a memcpy of one frame measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "parts/clock/clock_frm.h"
#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "settings/settings_store.h"
#include "snap/snap_host.h"

namespace {
SYSTEMTIME TwentyPastTen() {
  SYSTEMTIME t{};
  t.wYear = 2026;
  t.wMonth = 12;
  t.wDay = 7;
  t.wDayOfWeek = 1;
  t.wHour = 10;
  t.wMinute = 20;
  t.wSecond = 35;
  t.wMilliseconds = 250;
  return t;
}

struct ClockAtSize {
  explicit ClockAtSize(int side) : host(TwentyPastTen()) {
    BindAlphaFunctions();
    clock.Create(host);
    canvas.Resize(side, side);
    client = RECT{0, 0, side, side};
    clock.Layout(client);
    clock.Tick(TwentyPastTen());
  }
  ~ClockAtSize() { clock.Destroy(); }
  CSnapHost host;
  CClockFrm clock;
  CCanvas canvas;
  RECT client;
};

void BM_ClockLayout(benchmark::State& state) {
  ClockAtSize face(int(state.range(0)));
  for (auto _ : state) face.clock.Layout(face.client);
}

void BM_ClockDraw(benchmark::State& state) {
  ClockAtSize face(int(state.range(0)));
  for (auto _ : state) {
    face.clock.Draw(face.canvas);
    benchmark::ClobberMemory();
  }
}

void BM_MemcpyFrame(benchmark::State& state) {
  const std::size_t bytes = std::size_t(state.range(0)) * state.range(0) * 4;
  std::vector<char> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
}  // namespace

BENCHMARK(BM_MemcpyFrame)->Arg(512)->Arg(1024);
BENCHMARK(BM_ClockDraw)->Arg(512)->Arg(1024);
BENCHMARK(BM_ClockLayout)->Arg(1024)->Unit(benchmark::kMillisecond);
