#include "globe/globe_table_builder.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "globe/globe_table_fast.h"

namespace {
std::size_t WorkerCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? cores : 1;
}

// Small bands keep the workers busy to the end and the published stretch
// growing a few rows at a time; no smaller than a row, no larger than 16.
std::int32_t RowsPerBand(std::int32_t rows, std::size_t workers) {
  const std::int64_t even = rows / (std::int64_t(workers) * 8);
  return std::int32_t(std::clamp<std::int64_t>(even, 1, 16));
}
}  // namespace

CGlobeTableBuilder::CGlobeTableBuilder() = default;

CGlobeTableBuilder::~CGlobeTableBuilder() { Stop(); }

void CGlobeTableBuilder::Join() {
  for (std::thread& worker : workers)
    if (worker.joinable()) worker.join();
  workers.clear();
}

void CGlobeTableBuilder::Stop() {
  stopRequest.store(true, std::memory_order_release);
  Join();
  stopRequest.store(false, std::memory_order_release);
}

void CGlobeTableBuilder::Wait() { Join(); }

bool CGlobeTableBuilder::Running() const {
  return activeWorkers.load(std::memory_order_acquire) > 0;
}

std::size_t CGlobeTableBuilder::Filled() const { return bands.Filled(); }

bool CGlobeTableBuilder::TakeDone() {
  return done.exchange(false, std::memory_order_acq_rel);
}

void CGlobeTableBuilder::Work() {
  const std::size_t width = std::size_t(inputs.width);
  std::int32_t first = 0, last = 0;
  while (!stopRequest.load(std::memory_order_acquire) &&
         bands.Claim(first, last)) {
    for (std::int32_t row = first; row < last; ++row) {
      if (stopRequest.load(std::memory_order_acquire)) break;
      CastGlobeRow(setup, row, inputs.width,
                   table.data() + std::size_t(row) * width);
      if (bands.FinishRow(row)) done.store(true, std::memory_order_release);
    }
  }
  activeWorkers.fetch_sub(1, std::memory_order_acq_rel);
}

bool CGlobeTableBuilder::Start(const GlobeTableInputs& next) {
  Stop();
  done.store(false, std::memory_order_release);
  inputs = next;
  inputs.width = inputs.width > 0 ? inputs.width : 0;
  inputs.height = inputs.height > 0 ? inputs.height : 0;
  const std::size_t entries =
      std::size_t(inputs.width) * std::size_t(inputs.height);
  const std::size_t workerCount = WorkerCount();
  bool allocated = entries <= entryLimit;
  try {
    // The workers write every entry, and nothing past the fill level is
    // read: a table of the same size is reused as it is.
    if (allocated) table.resize(entries);
  } catch (const std::bad_alloc&) {
    allocated = false;
  }
  if (!allocated || !bands.Reset(inputs.height, inputs.width,
                                 RowsPerBand(inputs.height, workerCount))) {
    table.clear();
    table.shrink_to_fit();
    inputs = GlobeTableInputs{};
    bands.Reset(0, 0, 1);
    return false;
  }
  if (entries == 0 || inputs.textureWidth <= 0 || inputs.textureHeight <= 0) {
    done.store(true, std::memory_order_release);
    return true;
  }
  setup = MakeGlobeRaySetup(inputs);
  const std::size_t threads =
      std::min(workerCount, std::size_t(bands.BandCount()));
  for (std::size_t t = 0; t < threads; ++t) {
    activeWorkers.fetch_add(1, std::memory_order_acq_rel);
    try {
      workers.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      activeWorkers.fetch_sub(1, std::memory_order_acq_rel);
      break;
    }
  }
  if (workers.empty()) {
    // No thread to be had: build here, so that the globe still appears.
    activeWorkers.fetch_add(1, std::memory_order_acq_rel);
    Work();
  }
  return true;
}
