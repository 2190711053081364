// The fast table rows, written once for any lane type and compiled by each
// path for its own instruction set: globe_table_plain.cpp (one double at a
// time) and globe_table_avx2.cpp (four). A path defines ONDRAVA_LANES_TARGET
// (its target attribute, or nothing) and a lane type L with
//   L::Real, L::Mask, L::kWidth, arithmetic and comparisons on Real (with
//   doubles on either side), &, | and ! on Mask, and
//   Set, Columns, Load, Store, Sqrt, Abs, Trunc, Select, Bits
// before it includes this file. Everything here has internal linkage, so the
// two paths' copies never meet at link time.
//
// The ray, the discriminant, the normal, the dot products, alpha and shade
// are the per-pixel rule's own IEEE operations in the rule's order, so they
// are identical in any lane; the angles are globe_table_texels.h's.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "globe/globe_table_fast.h"
#include "globe/globe_table_ray.h"
#include "globe/globe_table_texels.h"

namespace {
// A row is cast a chunk of columns at a time, in stages: the rays, then the
// normals, then the texels, then the entries. Each stage is a short loop
// whose steps do not depend on one another, so the processor overlaps the
// long square-root and division latencies of many steps; one step through
// all stages would wait for each in turn.
constexpr int kChunk = 64;  // columns; a multiple of every lane width

struct ChunkSamples {  // the chunk's front samples, then its back samples
  alignas(32) double t[2 * kChunk];
  alignas(32) double ct[2 * kChunk], r0n[2 * kChunk], r1n[2 * kChunk];
  alignas(32) double alphaK[2 * kChunk], shadeK[2 * kChunk];
  alignas(32) double u[2 * kChunk], v[2 * kChunk];
  unsigned hit[2 * kChunk], decided[2 * kChunk];  // bits per lane group
};

// Ray parameters of the near and far hits (0 for none) of columns
// j .. j + count - 1 of the row at height d1, as CastGlobeEntryExact finds
// them.
template <class L>
ONDRAVA_LANES_TARGET void CastRays(const GlobeRaySetup& s, double d1,
                                   std::int32_t j, int count,
                                   ChunkSamples& chunk) {
  using Real = typename L::Real;
  using Mask = typename L::Mask;
  const double d2 = s.f;
  const double qb = -d2 * s.centreZ;
  for (int c = 0; c < count; c += L::kWidth) {
    const Real d0 = L::Columns(j + c) - s.cx;
    const Real qa = d0 * d0 + d1 * d1 + d2 * d2;
    const Real disc = qb * qb - qa * s.qc;
    const Real root = L::Sqrt(disc);
    const Mask crossing = disc > 0.0;
    // Where the ray grazes the sphere the root is 0, and the near hit's
    // quotient is the rule's -qb / qa.
    const Mask grazing = (disc == 0.0) & (qa != 0.0);
    const Real zero = L::Set(0.0);
    L::Store(L::Select(crossing | grazing, (-qb - root) / qa, zero),
             chunk.t + c);
    L::Store(L::Select(crossing, (-qb + root) / qa, zero),
             chunk.t + kChunk + c);
  }
}

// The normals at the hits, and what the per-pixel rule makes of them up to
// the angles: the dot products with the orientation and the truncated
// products alpha and shade come from.
template <class L>
ONDRAVA_LANES_TARGET void CastNormals(const GlobeRaySetup& s, double d1,
                                      std::int32_t j, int count,
                                      ChunkSamples& chunk) {
  using Real = typename L::Real;
  const double d2 = s.f;
  for (int side = 0; side < 2 * kChunk; side += kChunk) {
    for (int c = 0; c < count; c += L::kWidth) {
      const int at = side + c;
      const Real d0 = L::Columns(j + c) - s.cx;
      const Real t = L::Load(chunk.t + at);
      const Real p0 = t * d0, p1 = t * d1, p2 = t * d2 - s.centreZ;
      const Real length = L::Sqrt(p0 * p0 + p1 * p1 + p2 * p2);
      const Real n0 = p0 / length, n1 = p1 / length, n2 = p2 / length;
      L::Store(s.r2[0] * n0 + s.r2[1] * n1 + s.r2[2] * n2, chunk.ct + at);
      L::Store(s.r0[0] * n0 + s.r0[1] * n1 + s.r0[2] * n2, chunk.r0n + at);
      L::Store(s.r1[0] * n0 + s.r1[1] * n1 + s.r1[2] * n2, chunk.r1n + at);
      const Real lit = n0 * s.light[0] + n1 * s.light[1] + n2 * s.light[2];
      L::Store(L::Trunc(n2 * double(s.gradientSpan)), chunk.alphaK + at);
      L::Store(L::Trunc(lit * double(s.shadingSpan)), chunk.shadeK + at);
      chunk.hit[at] = L::Bits(!(t < 1e-9));
    }
  }
}

template <class L>
ONDRAVA_LANES_TARGET void CastTexels(const TexelScales& k, int count,
                                     ChunkSamples& chunk) {
  for (int side = 0; side < 2 * kChunk; side += kChunk) {
    for (int c = 0; c < count; c += L::kWidth) {
      const int at = side + c;
      const TexelLanes<L> texel =
          ApproxTexels<L>(k, L::Load(chunk.ct + at), L::Load(chunk.r0n + at),
                          L::Load(chunk.r1n + at));
      L::Store(texel.u, chunk.u + at);
      L::Store(texel.v, chunk.v + at);
      chunk.decided[at] = L::Bits(texel.approximated);
    }
  }
}

// Writes the chunk's entries; samples the series could not decide are cast
// the libm way. Returns how many were.
template <class L>
std::size_t EmitChunk(const GlobeRaySetup& s, std::int32_t i, std::int32_t j,
                      int count, const ChunkSamples& chunk, GlobeEntry* out) {
  std::size_t exact = 0;
  for (int at = 0; at < 2 * kChunk; ++at) {
    const int c = at < kChunk ? at : at - kChunk;
    if (c >= count) continue;
    GlobeSample& sample = at < kChunk ? out[c].front : out[c].back;
    const int group = at - at % L::kWidth, lane = at % L::kWidth;
    if (!(chunk.hit[group] >> lane & 1u)) {
      sample = GlobeSample{};
    } else if (chunk.decided[group] >> lane & 1u) {
      sample = GlobeSample{std::uint16_t(std::int32_t(chunk.u[at])),
                           std::uint16_t(std::int32_t(chunk.v[at])),
                           GlobeAlpha(s, int(chunk.alphaK[at])),
                           GlobeShade(s, int(chunk.shadeK[at]))};
    } else {
      const double d[3] = {(j + c) - s.cx, s.cy - i, s.f};
      CastGlobeSampleExact(s, d, chunk.t[at], sample);
      ++exact;
    }
  }
  return exact;
}

template <class L>
ONDRAVA_LANES_TARGET std::size_t CastRow(const GlobeRaySetup& s, std::int32_t i,
                                         std::int32_t width, GlobeEntry* row) {
  static_assert(kChunk % L::kWidth == 0);
  if (width <= 0) return 0;
  const GlobeColumnSpan span = GlobeHitColumns(s, i, width);
  // Entries that miss are all zero bytes.
  std::memset(static_cast<void*>(row), 0, sizeof(GlobeEntry) * span.first);
  std::memset(static_cast<void*>(row + span.last), 0,
              sizeof(GlobeEntry) * (width - span.last));
  const TexelScales k = ScalesFor(s);
  if (!k.usable) {
    for (std::int32_t j = span.first; j < span.last; ++j)
      CastGlobeEntryExact(s, i, j, row[j]);
    return 2 * std::size_t(span.last - span.first);
  }
  const double d1 = s.cy - i;
  ChunkSamples chunk;
  std::size_t exact = 0;
  for (std::int32_t j = span.first; j < span.last; j += kChunk) {
    const int count = std::min(kChunk, span.last - j);
    CastRays<L>(s, d1, j, count, chunk);
    CastNormals<L>(s, d1, j, count, chunk);
    CastTexels<L>(k, count, chunk);
    exact += EmitChunk<L>(s, i, j, count, chunk, row + j);
  }
  return exact;
}

}  // namespace
