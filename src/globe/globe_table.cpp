#include "globe/globe_table.h"

#include "globe/globe_table_fast.h"
#include "globe/globe_table_ray.h"
#include "platform/cpu_features.h"

namespace {
using CastRowFn = std::size_t (*)(const GlobeRaySetup&, std::int32_t,
                                  std::int32_t, GlobeEntry*);
const CastRowFn castRow =
    ChoosePath<CastRowFn>(CastGlobeRowPlain, nullptr, CastGlobeRowAvx2);
}  // namespace

std::size_t CastGlobeRow(const GlobeRaySetup& s, std::int32_t i,
                         std::int32_t width, GlobeEntry* row) {
  return castRow(s, i, width, row);
}

void BuildGlobeTableReference(const GlobeTableInputs& in, GlobeEntry* table) {
  const GlobeRaySetup s = MakeGlobeRaySetup(in);
  for (std::int32_t i = 0; i < in.height; ++i)
    for (std::int32_t j = 0; j < in.width; ++j)
      CastGlobeEntryExact(s, i, j, table[std::size_t(i) * in.width + j]);
}

bool BuildGlobeTable(const GlobeTableInputs& in, GlobeEntry* table,
                     std::atomic<std::size_t>& fillLevel,
                     const std::atomic<bool>& stop) {
  const GlobeRaySetup s = MakeGlobeRaySetup(in);
  const std::size_t width = std::size_t(in.width > 0 ? in.width : 0);
  for (std::int32_t i = 0; i < in.height; ++i) {
    CastGlobeRow(s, i, in.width, table + std::size_t(i) * width);
    fillLevel.store((std::size_t(i) + 1) * width, std::memory_order_release);
    if (stop.load(std::memory_order_acquire)) return false;
  }
  return true;
}
