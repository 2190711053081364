#include "globe/sunlit_texture_builder.h"

#include <new>
#include <system_error>

CSunlitTextureBuilder::~CSunlitTextureBuilder() { Stop(); }

void CSunlitTextureBuilder::Join() {
  if (worker.joinable()) worker.join();
}

void CSunlitTextureBuilder::Stop() {
  stopRequest.store(true);
  Join();
  done.store(false);
  building.reset();
}

void CSunlitTextureBuilder::Wait() { Join(); }

void CSunlitTextureBuilder::Start(std::shared_ptr<const SunlitSources> sources,
                                  const SubsolarPoint& sun) {
  Stop();
  if (!sources) return;
  building = std::move(sources);
  sunBuilt = sun;
  stopRequest.store(false);
  succeeded = false;
  auto work = [this] {
    const SunlitSources& s = *building;
    try {
      buffer.resize(std::size_t(s.width) * std::size_t(s.height));
      succeeded = LightTexture(s, sunBuilt, buffer.data(), stopRequest);
    } catch (const std::bad_alloc&) {
      buffer.clear();
    }
    done.store(true, std::memory_order_release);
  };
  try {
    worker = std::thread(work);
  } catch (const std::system_error&) {
    work();  // no thread to be had: light the texture here, once
  }
}

bool CSunlitTextureBuilder::TakeFinished(
    std::vector<std::uint32_t>& pixels, SubsolarPoint& sun,
    std::shared_ptr<const SunlitSources>& sources) {
  if (!done.load(std::memory_order_acquire)) return false;
  Join();
  done.store(false);
  const bool ok = succeeded;
  if (ok) {
    pixels.swap(buffer);
    sun = sunBuilt;
    sources = building;
  }
  building.reset();
  return ok;
}
