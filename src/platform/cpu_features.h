// The instruction sets our SIMD paths use, probed once per process.
//
// Every kernel family (span blends, row blends, the globe frame, the globe
// table) keeps a plain C++ path beside its SIMD paths and picks one of them
// once, through ChoosePath. The environment variable ONDRAVA_DISABLE, a list
// such as "avx2,sse2", turns paths off, so that the plain paths can be run
// and tested on any host.
#pragma once

#include <string_view>

enum class CpuFeature : unsigned {
  kSse2 = 1u << 0,
  kAvx2 = 1u << 1,
};

// Whether the processor (and the operating system) can run the instructions:
// what a test of a SIMD path itself asks before calling it.
bool CpuSupports(CpuFeature feature);

// Whether the dispatched paths may use the instructions: supported and not
// turned off by ONDRAVA_DISABLE. Turning off an instruction set also turns
// off every wider one built on it (no AVX2 without SSE2).
bool CpuUses(CpuFeature feature);

// The features a ONDRAVA_DISABLE text turns off, as a mask of CpuFeature
// bits: names separated by commas or blanks, in any case; unknown names are
// ignored. "sse2" includes "avx2".
unsigned DisabledCpuFeatures(std::string_view list);

// The widest path this process may use; null entries are paths that do not
// exist for a family.
template <class Fn>
Fn ChoosePath(Fn plain, Fn sse2, Fn avx2) {
  if (avx2 && CpuUses(CpuFeature::kAvx2)) return avx2;
  if (sse2 && CpuUses(CpuFeature::kSse2)) return sse2;
  return plain;
}
