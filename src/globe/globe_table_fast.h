// The fast projection-table rows: the ray cast with the libm calls replaced
// by series that carry a proven error bound, and the libm path kept for the
// few samples whose texel that bound cannot decide. Every entry equals the
// per-pixel rule's (globe_table_ray.h) bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "globe/globe_table_ray.h"

// Casts array row i (`width` entries) into `row`. Returns how many samples
// were cast the libm way.
std::size_t CastGlobeRow(const GlobeRaySetup& s, std::int32_t i,
                         std::int32_t width, GlobeEntry* row);

// The paths CastGlobeRow picks from: one sample at a time, and four at a time
// with AVX2 (callable only where the CPU has AVX2).
std::size_t CastGlobeRowPlain(const GlobeRaySetup& s, std::int32_t i,
                              std::int32_t width, GlobeEntry* row);
std::size_t CastGlobeRowAvx2(const GlobeRaySetup& s, std::int32_t i,
                             std::int32_t width, GlobeEntry* row);

// The texel decision alone, from the normal's dot products with the
// orientation's rows (as ExactGlobeTexel takes them): `approximated` false
// means the series could not decide and the sample needs the libm path.
struct GlobeTexel {
  std::int32_t u = 0, v = 0;
  bool approximated = false;
};
void ApproxGlobeTexelsPlain(const GlobeRaySetup& s, const double* ct,
                            const double* r0n, const double* r1n,
                            std::size_t count, GlobeTexel* out);
void ApproxGlobeTexelsAvx2(const GlobeRaySetup& s, const double* ct,
                           const double* r0n, const double* r1n,
                           std::size_t count, GlobeTexel* out);

// acos by the arcsine series the fast paths use, and the bound on its error
// that their margins rely on.
double ApproxGlobeAcos(double x);
extern const double kGlobeAcosError;
