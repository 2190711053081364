#include "globe/globe_table_bands.h"

#include <new>

bool CGlobeTableBands::Reset(std::int32_t rows, std::int32_t width,
                             std::int32_t bandRows) {
  rowCount = rows > 0 ? rows : 0;
  rowWidth = width > 0 ? width : 0;
  rowsPerBand = bandRows > 0 ? bandRows : 1;
  bandCount =
      std::int32_t((std::int64_t{rowCount} + rowsPerBand - 1) / rowsPerBand);
  nextBand.store(0, std::memory_order_relaxed);
  fillLevel.store(0, std::memory_order_release);
  // Every band starts at no rows finished: atomics are value-initialised.
  finished.reset(new (std::nothrow) std::atomic<std::int32_t>[bandCount]);
  if (!finished) {
    rowCount = bandCount = 0;
    return false;
  }
  return true;
}

std::int32_t CGlobeTableBands::RowsIn(std::int32_t band) const {
  const std::int32_t first = band * rowsPerBand;
  return rowCount - first < rowsPerBand ? rowCount - first : rowsPerBand;
}

bool CGlobeTableBands::Claim(std::int32_t& first, std::int32_t& last) {
  const std::int32_t band = nextBand.fetch_add(1, std::memory_order_relaxed);
  if (band >= bandCount) return false;
  first = band * rowsPerBand;
  last = first + RowsIn(band);
  return true;
}

std::size_t CGlobeTableBands::FilledPrefix() const {
  // Walk from the band the published stretch ends in; every band before it
  // is complete.
  std::int32_t band =
      rowWidth == 0
          ? 0
          : std::int32_t(Filled() / std::size_t(rowWidth)) / rowsPerBand;
  std::size_t rows = std::size_t(band) * std::size_t(rowsPerBand);
  for (; band < bandCount; ++band) {
    const std::int32_t done = finished[band].load(std::memory_order_seq_cst);
    rows += std::size_t(done);
    if (done < RowsIn(band)) break;
  }
  return rows * std::size_t(rowWidth);
}

bool CGlobeTableBands::FinishRow(std::int32_t row) {
  const std::int32_t band = row / rowsPerBand;
  // Sequentially consistent, with the loads in FilledPrefix: of two workers
  // finishing neighbouring bands at once, at least one sees the other's
  // rows, so the last row finished is always published.
  finished[band].store(row - band * rowsPerBand + 1, std::memory_order_seq_cst);
  const std::size_t prefix = FilledPrefix();
  std::size_t current = fillLevel.load(std::memory_order_acquire);
  while (current < prefix) {
    if (fillLevel.compare_exchange_weak(current, prefix,
                                        std::memory_order_acq_rel,
                                        std::memory_order_acquire))
      return prefix == std::size_t(rowCount) * std::size_t(rowWidth);
  }
  return false;
}
