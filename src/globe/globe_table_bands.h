// The table's rows shared out among workers in bands. Bands are claimed in
// order from the start of the table; each worker reports every row it
// finishes, and the filled part is published as one unbroken stretch from
// the start, however the bands' rows finish in time.
//
// Reset while no worker runs; everything else may be called from any number
// of workers at once, without locks.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class CGlobeTableBands {
 public:
  // `rows` rows of `width` entries, in bands of `bandRows` rows. False, with
  // no bands, when the bookkeeping's memory cannot be had.
  bool Reset(std::int32_t rows, std::int32_t width, std::int32_t bandRows);

  std::int32_t BandCount() const { return bandCount; }

  // The next unclaimed band's rows [first, last); false when none is left.
  bool Claim(std::int32_t& first, std::int32_t& last);

  // Row `row` of a claimed band is finished (rows of a band finish in
  // order). Publishes what is filled now; true for the one call that
  // completes the table.
  bool FinishRow(std::int32_t row);

  // Entries from the start of the table that are filled (acquire order).
  std::size_t Filled() const {
    return fillLevel.load(std::memory_order_acquire);
  }

 private:
  std::int32_t RowsIn(std::int32_t band) const;
  std::size_t FilledPrefix() const;

  std::int32_t rowCount = 0, rowWidth = 0, rowsPerBand = 1, bandCount = 0;
  // Per band: how many of its rows, from its first, are finished.
  std::unique_ptr<std::atomic<std::int32_t>[]> finished;
  std::atomic<std::int32_t> nextBand{0};
  std::atomic<std::size_t> fillLevel{0};
};
