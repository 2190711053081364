#include "earthfrm/globe_table_builder.h"

#include <new>
#include <system_error>

GlobeTableBuilder::GlobeTableBuilder() = default;

GlobeTableBuilder::~GlobeTableBuilder() { Stop(); }

void GlobeTableBuilder::Join() {
  for (std::thread& worker : workers)
    if (worker.joinable()) worker.join();
  workers.clear();
}

void GlobeTableBuilder::Stop() {
  stopRequest.store(true, std::memory_order_release);
  Join();
  stopRequest.store(false, std::memory_order_release);
}

void GlobeTableBuilder::Wait() { Join(); }

bool GlobeTableBuilder::Running() const {
  return !workers.empty() && !done.load(std::memory_order_acquire);
}

std::size_t GlobeTableBuilder::Filled() const {
  return fillLevel.load(std::memory_order_acquire);
}

bool GlobeTableBuilder::TakeDone() {
  return done.exchange(false, std::memory_order_acq_rel);
}

bool GlobeTableBuilder::Start(const GlobeTableInputs& next) {
  Stop();
  done.store(false, std::memory_order_release);
  fillLevel.store(0, std::memory_order_release);
  inputs = next;
  inputs.width = inputs.width > 0 ? inputs.width : 0;
  inputs.height = inputs.height > 0 ? inputs.height : 0;
  const std::size_t entries =
      std::size_t(inputs.width) * std::size_t(inputs.height);
  try {
    table.assign(entries, GlobeEntry{});
  } catch (const std::bad_alloc&) {
    table.clear();
    table.shrink_to_fit();
    inputs = GlobeTableInputs{};
    return false;
  }
  if (entries == 0 || inputs.textureWidth == 0) {
    done.store(true, std::memory_order_release);
    return true;
  }
  auto fill = [this] {
    if (BuildGlobeTable(inputs, table.data(), fillLevel, stopRequest))
      done.store(true, std::memory_order_release);
  };
  try {
    workers.emplace_back(fill);
  } catch (const std::system_error&) {
    fill();  // no thread: build here, so the globe still appears
  }
  return true;
}
