// CGlobeTableBuilder: the projection table and the worker threads that fill
// it. A build reads its inputs once, at Start, and fills the table in bands
// of rows on worker threads; the filled part is published as one unbroken
// stretch from the start of the table, so the globe grows row by row on the
// screen while the rest is still being cast.
//
// Everything here is used from the thread that owns the builder (the
// window's thread); the workers touch only the table's rows, the fill level,
// the done flag and the stop request.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

#include "globe/globe_table.h"
#include "globe/globe_table_bands.h"
#include "globe/globe_table_ray.h"

class CGlobeTableBuilder {
 public:
  CGlobeTableBuilder();
  ~CGlobeTableBuilder();
  CGlobeTableBuilder(const CGlobeTableBuilder&) = delete;
  CGlobeTableBuilder& operator=(const CGlobeTableBuilder&) = delete;

  // Stops a running build, sizes the table for `inputs` and starts filling
  // it. A build that starts clears the done flag. False, with no table left,
  // when the table's memory cannot be had; a table with no entries, or a
  // texture without texels, is complete (and done) at once.
  bool Start(const GlobeTableInputs& inputs);

  // Asks the workers to stop after their current rows and waits for them.
  // The rows filled so far stay valid.
  void Stop();

  // Waits until the running build has filled the whole table.
  void Wait();

  // Whether workers are still filling the table.
  bool Running() const;

  // How many entries from the start of the table are filled (acquire order:
  // they may be read once this says so).
  std::size_t Filled() const;

  // True once for every build that completed, then false until the next one
  // completes.
  bool TakeDone();

  // The most entries a table may have; a larger one counts as a table whose
  // memory cannot be had. By default the entries of the largest canvas
  // there can be (2^28 pixels): no window could show a larger table.
  void LimitEntries(std::size_t maxEntries) { entryLimit = maxEntries; }

  const GlobeEntry* Entries() const { return table.data(); }
  std::size_t Size() const { return table.size(); }
  // The inputs of the table as it is (default inputs when there is none).
  const GlobeTableInputs& Inputs() const { return inputs; }

 private:
  void Join();
  // One worker: claims bands and casts their rows until none is left or a
  // stop is asked for.
  void Work();

  std::vector<GlobeEntry> table;
  std::size_t entryLimit = std::size_t{1} << 28;
  GlobeTableInputs inputs;
  GlobeRaySetup setup{};
  CGlobeTableBands bands;
  std::vector<std::thread> workers;
  std::atomic<int> activeWorkers{0};
  std::atomic<bool> done{false};
  std::atomic<bool> stopRequest{false};
};
