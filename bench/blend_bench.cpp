// The span blend over a whole 1024 x 1024 canvas, plain and SSE2, against a
// memcpy of the same bytes measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "pixels/blend.h"
#include "pixels/canvas.h"
#include "platform/cpu_features.h"

namespace {
constexpr int kSide = 1024;
using SpanFn = void (*)(std::uint32_t, std::uint32_t*, std::uint32_t*,
                        std::uint32_t);

void BlendCanvas(benchmark::State& state, SpanFn span) {
  CCanvas canvas;
  canvas.Resize(kSide, kSide);
  for (int i = 0; i < kSide * kSide; ++i) canvas.Pixels()[i] = 0x80402010u + i;
  for (auto _ : state) {
    for (int y = 0; y < kSide; ++y) {
      std::uint32_t* row = canvas.Row(y);
      span(100, row, row + kSide - 1, 0xFF336699);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSide * kSide * 4);
}

void BM_Memcpy_1024x1024(benchmark::State& state) {
  std::vector<std::uint32_t> from(kSide * kSide, 1), to(kSide * kSide);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSide * kSide * 4);
}

void BM_BlendSpanPlain_1024x1024(benchmark::State& state) {
  BlendCanvas(state, BlendSpanPlain);
}

void BM_BlendSpanSse2_1024x1024(benchmark::State& state) {
  BlendCanvas(state, BlendSpanSse2);
}
}  // namespace

BENCHMARK(BM_Memcpy_1024x1024);
BENCHMARK(BM_BlendSpanPlain_1024x1024);
BENCHMARK(BM_BlendSpanSse2_1024x1024);

namespace {
void BM_BlendSpanAvx2_1024x1024(benchmark::State& state) {
  if (!CpuSupports(CpuFeature::kAvx2)) return state.SkipWithError("no AVX2");
  BlendCanvas(state, BlendSpanAvx2);
}
}  // namespace
BENCHMARK(BM_BlendSpanAvx2_1024x1024);
